// The Qt stand-ins for the clipboard, the message dialog, the system colours and the work
// area.
#include "core/typedvalues/sjis_utf8.h"
#include "platform/clipboard.h"
#include "platform/qt_host_services.h"
#include "platform/system_color.h"
#include "platform/work_area.h"

#include <QtCore/QMimeData>
#include <QtCore/QTimer>
#include <QtGui/QClipboard>
#include <QtTest/QTest>
#include <QtWidgets/QApplication>
#include <QtWidgets/QMessageBox>
#include <QtWidgets/QPushButton>

#include <gtest/gtest.h>

namespace mv {
namespace {

TEST(Clipboard, PayloadRoundTripAndTextAsShiftJis) {
    const std::vector<Byte> payload = {2, 0, 0, 0, 0x00, 0xFF};
    WriteClipboardPayload(payload);
    EXPECT_EQ(ReadClipboardPayload(), payload);
    EXPECT_FALSE(ReadClipboardText().has_value());

    QGuiApplication::clipboard()->setText(QStringLiteral("aｱ日"));
    EXPECT_FALSE(ReadClipboardPayload().has_value());
    EXPECT_EQ(ReadClipboardText(), Utf8ToShiftJis("aｱ日"));

    QGuiApplication::clipboard()->clear();
    EXPECT_FALSE(ReadClipboardPayload().has_value());
    EXPECT_FALSE(ReadClipboardText().has_value());
}

// Presses the button of that caption, or Escape when the caption is empty, on the next box.
void Answer(const QString& caption) {
    auto* timer = new QTimer;
    timer->callOnTimeout([timer, caption] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (box == nullptr) return;
        timer->stop();
        timer->deleteLater();
        if (caption.isEmpty()) {
            QTest::keyClick(box, Qt::Key_Escape);
            return;
        }
        for (QAbstractButton* button : box->buttons())
            if (button->text() == caption) {
                button->click();
                return;
            }
        ADD_FAILURE() << "no button " << caption.toStdString();
        box->close();
    });
    timer->start(5);
}

// The box shows the text, the caption and icon of its type and the first button as the
// default; each button answers its own result, Escape the cancelling one.
TEST(MessageDlgBeep, ShowsTheBoxAndAnswersTheButtonChosen) {
    TQtHostServices host;
    using enum TMsgDlgBtn;
    QString text, caption, defaultButton;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    auto* timer = new QTimer;
    timer->callOnTimeout([&, timer] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (box == nullptr) return;
        timer->stop();
        timer->deleteLater();
        text = box->text();
        caption = box->windowTitle();
        icon = box->icon();
        defaultButton = box->defaultButton()->text();
        box->defaultButton()->click();
    });
    timer->start(5);
    EXPECT_EQ(host.MessageDlgBeep("空の文字列です.\r\n削除されます.", TMsgDlgType::mtWarning,
                                  {mbYes, mbAbort, mbRetry}),
              mrYes);
    EXPECT_EQ(text, QStringLiteral("空の文字列です.\r\n削除されます."));
    EXPECT_EQ(caption, QStringLiteral("警告"));
    EXPECT_EQ(icon, QMessageBox::Warning);
    EXPECT_EQ(defaultButton, QStringLiteral("はい(&Y)"));

    Answer(QString());
    EXPECT_EQ(host.MessageDlgBeep("確認です", TMsgDlgType::mtConfirmation, {mbOK, mbCancel}),
              mrCancel);
    Answer(QStringLiteral("中止(&A)"));
    EXPECT_EQ(host.MessageDlgBeep("x", TMsgDlgType::mtWarning, {mbAbort, mbIgnore}), mrAbort);
    Answer(QStringLiteral("無視(&I)"));
    EXPECT_EQ(host.MessageDlgBeep("x", TMsgDlgType::mtWarning, {mbAbort, mbIgnore}), mrIgnore);
    Answer(QStringLiteral("いいえ(&N)"));
    EXPECT_EQ(host.MessageDlgBeep("x", TMsgDlgType::mtWarning, {mbYes, mbNo, mbCancel}), mrNo);
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
        {{100, 690, 200, 100}, {100, 630}}, // past the bottom
        {{-50, 0, 200, 100}, {0, 30}},      // before the left and the top
        {{100, 100, 1200, 800}, {0, 30}},   // larger than the area: its corner stays inside
    };
    for (const TCase& c : cases)
        EXPECT_EQ(KeptInside(c.Frame, area), c.Expected) << c.Frame.x() << "," << c.Frame.y();
}

} // namespace
} // namespace mv
