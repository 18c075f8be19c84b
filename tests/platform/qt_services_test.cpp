// The Qt stand-ins for the message dialog, the system colours and the work area; the view's
// menu tests use the clipboard.
#include "platform/qt_host_services.h"
#include "platform/qt_translation.h"
#include "platform/system_color.h"
#include "platform/work_area.h"
#include "support/modal_answer.h"

#include <QtWidgets/QDialogButtonBox>
#include <QtWidgets/QMessageBox>
#include <QtWidgets/QPushButton>

#include <gtest/gtest.h>

namespace mv {
namespace {

// The box shows the text, the caption and icon of its type and the first button as the
// default unless the question names another; each button answers its own result, Escape the
// cancelling one.
TEST(MessageDlgBeep, ShowsTheBoxAndAnswersTheButtonChosen) {
    TQtHostServices host;
    using enum TMsgDlgBtn;
    QString text, caption, defaultButton;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    const auto look = [&](QWidget* dialog) {
        const auto* box = qobject_cast<QMessageBox*>(dialog);
        ASSERT_NE(box, nullptr);
        text = box->text();
        caption = box->windowTitle();
        icon = box->icon();
        defaultButton = box->defaultButton()->text();
    };
    test::AnswerModals({QStringLiteral("はい(&Y)")}, look);
    EXPECT_EQ(host.MessageDlgBeep("空の文字列です.\r\n削除されます.", TMsgDlgType::mtWarning,
                                  {mbYes, mbAbort, mbRetry}),
              mrYes);
    EXPECT_EQ(text, QStringLiteral("空の文字列です.\r\n削除されます."));
    EXPECT_EQ(caption, QStringLiteral("警告"));
    EXPECT_EQ(icon, QMessageBox::Warning);
    EXPECT_EQ(defaultButton, QStringLiteral("はい(&Y)"));
    // A question may keep Enter off its yes.
    test::AnswerModals({QStringLiteral("中止(&A)")}, look);
    EXPECT_EQ(host.MessageDlgBeep("x", TMsgDlgType::mtWarning,
                                  TMsgDlgButtons{mbYes, mbAbort, mbRetry}.DefaultingTo(mbRetry)),
              mrAbort);
    EXPECT_EQ(defaultButton, QStringLiteral("再試行(&R)"));

    test::AnswerModals({QString(), QStringLiteral("無視(&I)")});
    EXPECT_EQ(host.MessageDlgBeep("確認です", TMsgDlgType::mtConfirmation, {mbOK, mbCancel}),
              mrCancel);
    EXPECT_EQ(host.MessageDlgBeep("x", TMsgDlgType::mtWarning, {mbAbort, mbIgnore}), mrIgnore);
}

TEST(SystemColor, FixedValuesAndPaletteRoles) {
    QPalette palette;
    palette.setColor(QPalette::Active, QPalette::Highlight, QColor(1, 2, 3));
    palette.setColor(QPalette::Disabled, QPalette::Text, QColor(10, 11, 12));
    EXPECT_EQ(ToQColor(0x00123456, palette), QColor(0x56, 0x34, 0x12));
    EXPECT_EQ(ToQColor(clHighlight, palette), QColor(1, 2, 3));
    EXPECT_EQ(ToQColor(0x80000011, palette), QColor(10, 11, 12)); // grey text
    EXPECT_EQ(ToQColor(0x80000063, palette), QColor(Qt::black));
}

TEST(WorkArea, WindowsAreMovedBackInside) {
    const QRect area(0, 30, 1000, 700); // a task bar along the top
    struct TCase {
        QRect Frame;
        QPoint Expected;
    };
    const TCase cases[] = {
        {{900, 100, 200, 100}, {800, 100}}, // past the right edge
        {{-50, 0, 200, 100}, {0, 30}},      // before the left and the top
        {{100, 100, 1200, 800}, {0, 30}},   // larger than the area: its corner stays inside
    };
    for (const TCase& c : cases)
        EXPECT_EQ(KeptInside(c.Frame, area), c.Expected) << c.Frame.x() << "," << c.Frame.y();
}

// Qt's standard buttons speak Japanese with the rest of the program.
TEST(QtJapanese, StandardButtonsAreJapanese) {
    ASSERT_TRUE(InstallQtJapanese()) << "Qt's Japanese translation is not installed";
    QDialogButtonBox box(QDialogButtonBox::Cancel | QDialogButtonBox::Open);
    EXPECT_EQ(box.button(QDialogButtonBox::Cancel)->text(), QStringLiteral("キャンセル"));
    EXPECT_NE(box.button(QDialogButtonBox::Open)->text(), QStringLiteral("&Open"));
}

} // namespace
} // namespace mv
