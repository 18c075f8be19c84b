#include "view_fixture.h"

#include "support/modal_answer.h"
#include "ui/binaryview/dlg_replace_query.h"

#include <QtCore/QTimer>

namespace mv::test {
namespace {

// "No" and "All" answer in the search dialogs' replace runs; the work area test covers the
// placement.
TEST(DlgReplaceQuery, YesAnswersYesAndClosingCancels) {
    TDlgReplaceQuery question;
    AnswerModals({QStringLiteral("はい(&Y)")});
    EXPECT_EQ(question.Ask(QPoint(10, 10)), TReplaceAnswer::Yes);
    QTimer::singleShot(20, [&] { question.close(); });
    EXPECT_EQ(question.Ask(QPoint(10, 10)), TReplaceAnswer::Cancel);
}

} // namespace
} // namespace mv::test
