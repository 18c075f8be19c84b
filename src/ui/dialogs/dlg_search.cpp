#include "ui/dialogs/dlg_search.h"

#include "platform/help_context.h"
#include "ui/typedvalues/frm_input_data.h"
#include "ui/typedvalues/frm_input_int.h"

#include <QtWidgets/QVBoxLayout>

namespace mv {

TDlgSearch::TDlgSearch(QWidget* owner, const TEnvironment& environment)
    : TSearchToolWindow(owner, QStringLiteral("検索"), QStringLiteral("検索開始")),
      frame_(new TFrmInputData) {
    SetHelpContext(*this, 18);
    PrepareFrame(*frame_, environment, false);
    FramesLayout().addWidget(frame_);
    frame_->FocusPage();
}

void TDlgSearch::TakeCaret(const TCaretFeed& feed) {
    frame_->FrmInputInt().SetCapturedValue(feed.Value);
}

void TDlgSearch::RunClicked() {
    if (Proceed(CheckSearchRun(PatternInputOf(*frame_), Host()), *frame_, nullptr))
        TSearchToolWindow::RunClicked();
}

} // namespace mv
