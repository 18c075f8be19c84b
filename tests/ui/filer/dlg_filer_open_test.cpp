// The filer open dialog on folders of the test's own: what it lists, how it moves between
// folders, what it answers, and the filer folder of a user's own filers over the shipped ones.
#include "support/modal_answer.h"
#include "support/temp_folder.h"
#include "ui/dialogs/user_home.h"
#include "ui/filer/dlg_filer_open.h"
#include "ui/filer/filer_folders.h"

#include <QtCore/QTimer>
#include <QtTest/QTest>
#include <QtWidgets/QLineEdit>
#include <QtWidgets/QMessageBox>
#include <QtWidgets/QPushButton>
#include <QtWidgets/QTreeWidget>

#include <gtest/gtest.h>

#include <filesystem>

namespace fs = std::filesystem;

namespace mv {
namespace {

// Each row's three columns joined by " | ".
QStringList Rows(TDlgFilerOpen& dialog) {
    QStringList rows;
    QTreeWidget& files = dialog.Files();
    for (int i = 0; i < files.topLevelItemCount(); ++i) {
        const QTreeWidgetItem* item = files.topLevelItem(i);
        rows << item->text(0) + " | " + item->text(1) + " | " + item->text(2);
    }
    return rows;
}

void DoubleClick(TDlgFilerOpen& dialog, int row) {
    QTreeWidget& files = dialog.Files();
    const QPoint place = files.visualItemRect(files.topLevelItem(row)).center();
    QTest::mouseClick(files.viewport(), Qt::LeftButton, {}, place);
    QTest::mouseDClick(files.viewport(), Qt::LeftButton, {}, place);
}

class DlgFilerOpen : public ::testing::Test {
protected:
    DlgFilerOpen() {
        fs::create_directories(root / "filer/sub");
        root.Write("filer/B.MVF", {});
        const std::string header = "#DEFINE TITLE Sample\r\n";
        root.Write("filer/a.mvf", test::TTempFolder::Bytes(header.begin(), header.end()));
    }

    test::TTempFolder root;
    TDlgFilerOpen dialog{nullptr};
};

// The rows' order and texts are the browser's test; here the columns show them, a double click
// and Backspace move, and Open is offered only with a row chosen.
TEST_F(DlgFilerOpen, ListsAndMovesBetweenFolders) {
    dialog.SetFolder({root / "filer"});
    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
    EXPECT_EQ(dialog.Folder().text(), QString::fromStdString(root / "filer/"));
    EXPECT_EQ(Rows(dialog).value(2), QStringLiteral("a.mvf | Sample | (未定義)"));
    EXPECT_FALSE(dialog.OpenButton().isEnabled());
    dialog.Files().setCurrentItem(dialog.Files().topLevelItem(1));
    EXPECT_TRUE(dialog.OpenButton().isEnabled());

    DoubleClick(dialog, 1);
    EXPECT_EQ(dialog.Folder().text(), QString::fromStdString(root / "filer/sub/"));
    EXPECT_EQ(Rows(dialog), QStringList{QStringLiteral("親ディレクトリ... |  | ")});
    EXPECT_FALSE(dialog.OpenButton().isEnabled());
    DoubleClick(dialog, 0);
    EXPECT_EQ(dialog.Folder().text(), QString::fromStdString(root / "filer/"));
    QTest::keyClick(&dialog.Files(), Qt::Key_Backspace);
    EXPECT_EQ(dialog.Folder().text(), QString::fromStdString(root.Path() + "/"));
    EXPECT_TRUE(Rows(dialog).contains(QStringLiteral("filer |  | ")));
}

TEST_F(DlgFilerOpen, AMissingFolderIsSaid) {
    QString text;
    test::AnswerModals({QStringLiteral("キャンセル")}, [&text](QWidget* box) {
        text = qobject_cast<QMessageBox*>(box)->text();
    });
    dialog.SetFolder({root / "none"});
    EXPECT_EQ(text, QString::fromStdString(root / "none/ が見付かりません."));
    EXPECT_EQ(dialog.Files().topLevelItemCount(), 0);
    EXPECT_TRUE(dialog.Folder().text().isEmpty());
}

// The filer folder: the user's own filer of a shipped name is the one listed and chosen.
TEST_F(DlgFilerOpen, TheUsersFilersComeOverTheShippedOnes) {
    const test::TUserHome home;
    const std::string own = home / ".local/share/Corlith Applications/Morvane/filer";
    fs::create_directories(own);
    std::ofstream(own + "/WAV.MVF") << "#DEFINE TITLE Mine\r\n";
    EXPECT_EQ(FilerFolders(), (std::vector<std::string>{own, ShippedFilerFolder()}));

    QStringList rows;
    QTimer::singleShot(0, [&rows] {
        auto* open = qobject_cast<TDlgFilerOpen*>(QApplication::activeModalWidget());
        ASSERT_NE(open, nullptr);
        rows = Rows(*open);
        const auto found = open->Files().findItems(QStringLiteral("WAV.MVF"), Qt::MatchExactly);
        open->Files().setCurrentItem(found.value(0));
        open->OpenButton().click();
    });
    EXPECT_EQ(ChooseFiler(nullptr), own + "/WAV.MVF");
    EXPECT_TRUE(rows.contains(QStringLiteral("WAV.MVF | Mine | (未定義)")));
    EXPECT_TRUE(rows.contains(QStringLiteral("ZIP.MVF | ZIP ローカルファイルヘッダ | "
                                             "Morvane Prime 開発チーム")));
}

} // namespace
} // namespace mv
