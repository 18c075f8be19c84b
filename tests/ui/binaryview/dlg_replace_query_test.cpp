#include "view_fixture.h"

#include "ui/binaryview/dlg_replace_query.h"

#include <QtCore/QTimer>
#include <QtGui/QScreen>
#include <QtWidgets/QPushButton>

#include <vector>

namespace mv::test {
namespace {

// Presses the button of each caption in turn on the modal dialogs that come up next.
void AnswerWith(std::vector<QString> captions) {
    auto* timer = new QTimer;
    timer->callOnTimeout([timer, captions, next = std::size_t{0}]() mutable {
        QWidget* dialog = QApplication::activeModalWidget();
        if (dialog == nullptr) return;
        bool pressed = false;
        for (QPushButton* button : dialog->findChildren<QPushButton*>())
            if (!pressed && button->text() == captions[next]) {
                button->click();
                pressed = true;
            }
        if (!pressed) {
            ADD_FAILURE() << "no button " << captions[next].toStdString();
            dialog->close();
        }
        if (++next == captions.size()) {
            timer->stop();
            timer->deleteLater();
        }
    });
    timer->start(5);
}

// "No" and "All" answer in the replace run below.
TEST(DlgReplaceQuery, EachButtonGivesItsAnswerAndClosingCancels) {
    const std::pair<const char*, TReplaceAnswer> cases[] = {
        {"はい(&Y)", TReplaceAnswer::Yes},
        {"キャンセル(&C)", TReplaceAnswer::Cancel},
    };
    for (const auto& [caption, answer] : cases) {
        TDlgReplaceQuery question;
        AnswerWith({QString::fromUtf8(caption)});
        EXPECT_EQ(question.Ask(QPoint(10, 10)), answer) << caption;
    }
    TDlgReplaceQuery question;
    QTimer::singleShot(20, [&] { question.close(); });
    EXPECT_EQ(question.Ask(QPoint(10, 10)), TReplaceAnswer::Cancel);
}

TEST(DlgReplaceQuery, StaysInsideTheWorkArea) {
    TDlgReplaceQuery question;
    question.adjustSize();
    const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
    const QPoint corner = question.PlaceFor(area.bottomRight() - QPoint(5, 5));
    EXPECT_LE(corner.x() + question.width(), area.right() + 1);
    EXPECT_LE(corner.y() + question.height(), area.bottom() + 1);
    EXPECT_EQ(question.PlaceFor(area.topLeft() + QPoint(40, 50)), area.topLeft() + QPoint(40, 50));
}

using ReplaceRun = ViewFixture;

TEST_F(ReplaceRun, TheViewAsksAtEachHitUnderTheCaret) {
    Load({'a', 'b', '-', 'a', 'b', '-', 'a', 'b'});
    AnswerWith({QStringLiteral("いいえ(&N)"), QStringLiteral("一度に置換(&A)")});
    const std::vector<Byte> search = {'a', 'b'};
    const std::vector<Byte> replacement = {'X'};
    Core().Search().Replace(search, replacement, false, true, TSearchDirection::Forward);
    EXPECT_EQ(Bytes(), (std::vector<Byte>{'a', 'b', '-', 'X', '-', 'X'}));
}

} // namespace
} // namespace mv::test
