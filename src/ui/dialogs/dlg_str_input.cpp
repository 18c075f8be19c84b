#include "ui/dialogs/dlg_str_input.h"

#include "platform/help_context.h"
#include "ui/typedvalues/frm_input_str.h"

#include <QtWidgets/QBoxLayout>
#include <QtWidgets/QPlainTextEdit>

namespace mv {

TDlgStrInput::TDlgStrInput(QWidget* owner)
    : TRunToolWindow(owner, QStringLiteral("文字列型定型入力"), QStringLiteral("入力")),
      frame_(new TFrmInputStr(this)) {
    SetHelpContext(*this, 16);
    Contents().addWidget(frame_);
    frame_->SetNewLineCode(TNewLineCode::CrLf);
    frame_->SetCharaSet(CharaSet::ShiftJis);
    frame_->EditBox().setFocus(Qt::OtherFocusReason);
}

} // namespace mv
