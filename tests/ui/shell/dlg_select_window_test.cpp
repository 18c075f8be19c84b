#include "ui/shell/dlg_select_window.h"

#include "support/modal_answer.h"

#include <QtWidgets/QListWidget>

#include <gtest/gtest.h>

namespace mv {
namespace {

const std::vector<std::string> kWindows{"/tmp/a.bin", "", "/tmp/日本語.bin"};

TDlgSelectWindow* Dialog(QWidget* modal) {
    auto* dialog = dynamic_cast<TDlgSelectWindow*>(modal);
    EXPECT_NE(dialog, nullptr);
    return dialog;
}

TEST(DlgSelectWindow, ListsEveryWindowAndAnswersTheChosenLine) {
    QStringList lines;
    QString caption;
    test::AnswerModals({QStringLiteral("決定")}, [&](QWidget* modal) {
        TDlgSelectWindow* dialog = Dialog(modal);
        caption = dialog->windowTitle();
        for (int row = 0; row < dialog->List()->count(); ++row)
            lines << dialog->List()->item(row)->text();
        EXPECT_EQ(dialog->SelectedIndex(), 0); // the first line comes selected
        dialog->List()->setCurrentRow(2);
    });
    EXPECT_EQ(SelectWindowDialog(QStringLiteral("ウィンドウ一覧"), nullptr, kWindows), 2);
    EXPECT_EQ(caption, QStringLiteral("ウィンドウ一覧"));
    EXPECT_EQ(lines.value(1), "2: (新規)"); // the texts are the core's test

    test::AnswerModals({QStringLiteral("キャンセル")});
    EXPECT_EQ(SelectWindowDialog(QStringLiteral("ウィンドウ一覧"), nullptr, kWindows), -1);
    test::AnswerModals({QString()}); // the close box
    EXPECT_EQ(SelectWindowDialog(QStringLiteral("ウィンドウ一覧"), nullptr, kWindows), -1);
}

TEST(DlgSelectWindow, DoubleClickOnALineChoosesIt) {
    TDlgSelectWindow dialog;
    dialog.SetWindows(kWindows);
    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
    QListWidget* list = dialog.List();
    QWidget* lines = list->viewport();
    // Below the last line there is nothing to choose: the dialog stays.
    const QPoint empty(5, lines->height() - 3);
    QTest::mouseClick(lines, Qt::LeftButton, {}, empty);
    QTest::mouseDClick(lines, Qt::LeftButton, {}, empty);
    EXPECT_TRUE(dialog.isVisible());
    const QPoint second = list->visualItemRect(list->item(1)).center();
    QTest::mouseClick(lines, Qt::LeftButton, {}, second);
    QTest::mouseDClick(lines, Qt::LeftButton, {}, second);
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.SelectedIndex(), 1);
}

TEST(DlgSelectWindow, OpensCentredOverItsOwner) {
    QWidget owner;
    owner.setGeometry(100, 120, 500, 400);
    owner.show();
    QRect placed;
    test::AnswerModals({QString()}, [&](QWidget* modal) { placed = modal->frameGeometry(); });
    (void)SelectWindowDialog(QStringLiteral("ウィンドウ一覧"), &owner, kWindows);
    EXPECT_EQ(placed.center(), owner.frameGeometry().center());
}

} // namespace
} // namespace mv
