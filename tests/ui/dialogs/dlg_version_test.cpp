// The version dialog with the shipped pictures, with pictures missing or damaged, its links,
// and the opening screen of a start.
#include "ui/dialogs/dlg_version.h"

#include "core/dialogs/web_links.h"
#include "support/modal_answer.h"
#include "ui/dialogs/shipped_program.h"

#include <QtCore/QElapsedTimer>
#include <QtCore/QUrl>
#include <QtGui/QDesktopServices>
#include <QtTest/QTest>
#include <QtWidgets/QLabel>
#include <QtWidgets/QPushButton>
#include <QtWidgets/QToolButton>

#include <fstream>

#include <gtest/gtest.h>

#include <set>

namespace mv {
namespace {

const QString PictureFolder = QStringLiteral(MV_SOURCE_DIR "/resources/version");

TEST(DlgVersion, ShowsThePictureWithTheVersionSixteenPixelsInsideItsRightEdge) {
    TDlgVersion dialog(nullptr, PictureFolder);
    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
    EXPECT_EQ(dialog.size(), QSize(408, 312));
    EXPECT_TRUE(dialog.HasPicture());
    EXPECT_EQ(dialog.Label_Version->text(), "Version 1.03");
    EXPECT_EQ(dialog.Label_Version->geometry().right() + 1, 400 - 16);
    // The links lie below the picture, inside the dialog.
    for (const QToolButton* logo : dialog.findChildren<QToolButton*>()) {
        EXPECT_EQ(logo->iconSize(), QSize(88, 31));
        EXPECT_GE(logo->mapTo(&dialog, QPoint(0, 0)).y(), 254);
        EXPECT_LE(logo->mapTo(&dialog, QPoint(0, logo->height())).y(), 312);
    }
}

TEST(DlgVersion, AMissingOrDamagedPictureLeavesThePanelPlain) {
    test::TTempFolder folder;
    const std::vector<std::uint8_t> real = test::TTempFolder::Read(PictureFolder.toStdString() + "/version.jpg");
    const std::vector<std::vector<std::uint8_t>> damaged{
        {},
        {'n', 'o', 't', ' ', 'a', ' ', 'j', 'p', 'e', 'g'},
        std::vector<std::uint8_t>(real.begin(), real.begin() + static_cast<std::ptrdiff_t>(real.size() / 3))};
    TDlgVersion without(nullptr, QString::fromStdString(folder.Path()));
    without.show();
    EXPECT_FALSE(without.HasPicture());
    for (const std::vector<std::uint8_t>& bytes : damaged) {
        folder.Write("version.jpg", bytes);
        folder.Write("logo-filers.jpg", bytes);
        TDlgVersion dialog(nullptr, QString::fromStdString(folder.Path()));
        dialog.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
        EXPECT_FALSE(dialog.HasPicture());
        EXPECT_EQ(dialog.size(), QSize(408, 312));
        EXPECT_EQ(dialog.Label_Version->text(), "Version 1.03");
    }
}

TEST(DlgVersion, TheButtonAndEscapeCloseWithOK) {
    TDlgVersion dialog(nullptr, PictureFolder);
    test::AnswerModals({QStringLiteral("閉じる(&C)")});
    EXPECT_EQ(dialog.exec(), QDialog::Accepted);
    test::AnswerModals({QString()});
    EXPECT_EQ(dialog.exec(), QDialog::Accepted);
}

// Catches what the dialog hands to the desktop to open.
class TUrlCatcher : public QObject {
    Q_OBJECT
public:
    std::set<QString> Opened;
public slots:
    void Open(const QUrl& url) { Opened.insert(url.toString()); }
};

TEST(DlgVersion, EachLinkOpensItsOwnAddress) {
    TUrlCatcher catcher;
    QDesktopServices::setUrlHandler(QStringLiteral("https"), &catcher, "Open");
    QDesktopServices::setUrlHandler(QStringLiteral("mailto"), &catcher, "Open");
    TDlgVersion dialog(nullptr, PictureFolder);
    for (QLabel* label : dialog.findChildren<QLabel*>())
        if (label->text().contains(QStringLiteral("href"))) emit label->linkActivated({});
    for (QToolButton* logo : dialog.findChildren<QToolButton*>()) logo->click();
    QDesktopServices::unsetUrlHandler(QStringLiteral("https"));
    QDesktopServices::unsetUrlHandler(QStringLiteral("mailto"));
    const auto text = [](std::string_view address) { return QString::fromLatin1(address.data(), address.size()); };
    EXPECT_EQ(catcher.Opened, (std::set<QString>{text(MakerWebPage), text(MakerMail), text(FilerLibraryPage),
                                                 text(DownloadPage)}));
}

using VersionInTheProgram = test::TShippedProgram;

TEST_F(VersionInTheProgram, TheMenuAndTheTrayShowIt) {
    Start();
    TMvPrBinaryFormWClass& window = Window(0);
    QWidget* owner = &window;
    for (int shown = 0; shown < 2; ++shown)
        Script({test::Handle([&owner](QWidget* dialog) {
            auto* version = qobject_cast<TDlgVersion*>(dialog);
            ASSERT_NE(version, nullptr);
            EXPECT_EQ(version->parentWidget(), owner);
            EXPECT_TRUE(version->HasPicture());
            version->btnClose->click();
        })});
    Click(window, "MM_Version");
    owner = nullptr;
    EXPECT_TRUE(shell->Offers(TTrayCommand::Version));
    shell->Run(TTrayCommand::Version);
}

// The opening picture stands a second at least, without its close button.
TEST_F(VersionInTheProgram, TheOpeningPictureHoldsTheStartASecond) {
    std::ofstream(home / "Morvane.ini") << "[Config]\nOpeningDlg=1\n";
    bool seen = false;
    QTimer look;
    look.callOnTimeout([&seen] {
        for (QWidget* widget : QApplication::topLevelWidgets())
            if (auto* opening = qobject_cast<TDlgVersion*>(widget); opening != nullptr && opening->isVisible())
                seen = seen || (!opening->btnClose->isVisible() && opening->HasPicture());
    });
    look.start(10);
    QElapsedTimer clock;
    clock.start();
    Start();
    EXPECT_GE(clock.elapsed(), TOpeningScreen::MinimumMilliseconds);
    EXPECT_TRUE(seen);
    for (QWidget* widget : QApplication::topLevelWidgets())
        EXPECT_EQ(qobject_cast<TDlgVersion*>(widget), nullptr) << "the opening picture stays";
    EXPECT_TRUE(shell->AcceptingRequests());
}

} // namespace
} // namespace mv

#include "dlg_version_test.moc"
