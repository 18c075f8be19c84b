#include "view_fixture.h"

#include "support/modal_answer.h"
#include "ui/binaryview/dlg_replace_query.h"

#include <QtCore/QTimer>

#include <vector>

namespace mv::test {
namespace {

// "No" and "All" answer in the replace run below; the work area test covers the placement.
TEST(DlgReplaceQuery, YesAnswersYesAndClosingCancels) {
    TDlgReplaceQuery question;
    AnswerModals({QStringLiteral("はい(&Y)")});
    EXPECT_EQ(question.Ask(QPoint(10, 10)), TReplaceAnswer::Yes);
    QTimer::singleShot(20, [&] { question.close(); });
    EXPECT_EQ(question.Ask(QPoint(10, 10)), TReplaceAnswer::Cancel);
}

using ReplaceRun = ViewFixture;

TEST_F(ReplaceRun, TheViewAsksAtEachHitUnderTheCaret) {
    Load({'a', 'b', '-', 'a', 'b', '-', 'a', 'b'});
    AnswerModals({QStringLiteral("いいえ(&N)"), QStringLiteral("一度に置換(&A)")});
    const std::vector<Byte> search = {'a', 'b'};
    const std::vector<Byte> replacement = {'X'};
    Core().Search().Replace(search, replacement, false, true, TSearchDirection::Forward);
    EXPECT_EQ(Bytes(), (std::vector<Byte>{'a', 'b', '-', 'X', '-', 'X'}));
}

} // namespace
} // namespace mv::test
