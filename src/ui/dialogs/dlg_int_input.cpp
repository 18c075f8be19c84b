#include "ui/dialogs/dlg_int_input.h"

#include "platform/help_context.h"
#include "ui/typedvalues/edit_int.h"
#include "ui/typedvalues/frm_input_int.h"

#include <QtWidgets/QBoxLayout>
#include <QtWidgets/QPushButton>
#include <QtWidgets/QToolButton>

#include <algorithm>

namespace mv {

TDlgIntInput::TDlgIntInput(QWidget* owner, TForm form)
    : TRunToolWindow(owner,
                     form == TForm::AddressJump ? QStringLiteral("アドレスジャンプ")
                                                : QStringLiteral("整数型定型入力"),
                     form == TForm::AddressJump ? QStringLiteral("ジャンプ")
                                                : QStringLiteral("入力")),
      form_(form), frame_(new TFrmInputInt(this)) {
    SetHelpContext(*this, 15);
    Contents().addWidget(frame_);
    if (form == TForm::AddressJump) {
        frame_->SetDialogMode(TDialogMode::dmUnformat);
        frame_->SetAddress(TAddressMode::Absolute);
        frame_->CaptureButton().setText(QStringLiteral("現在アドレス取込(&G)"));
    } else {
        frame_->SetDialogMode(TDialogMode::dmInteger);
        frame_->SetVariableType(TVariableType::vtDoubleWord);
        frame_->SetByteOrder(TByteOrder::LittleEndian);
    }
    FocusField(TCardinalNumber::cnBinary);
}

void TDlgIntInput::FocusField(TCardinalNumber radix) {
    frame_->FocusField(radix);
}

std::uint64_t TDlgIntInput::JumpValue() const {
    return static_cast<std::uint64_t>(frame_->GetInteger());
}

void TDlgIntInput::TakeCaret(const TCaretFeed& feed) {
    frame_->SetCapturedValue(form_ == TForm::AddressJump ? TValueType{feed.Caret} : feed.Value);
}

void TDlgIntInput::TakeStatus(const TStatusFeed& feed) {
    if (form_ != TForm::AddressJump) return;
    if (const TIntPattern pattern = JumpPattern(feed.DataSize); pattern != frame_->Pattern()) {
        frame_->SetPattern(pattern);
        adjustSize(); // the fields have widened or narrowed
    }
    // Empty data has no last address; its limits read 0.
    const TValueType last = std::max(TValueType{feed.DataSize} - 1, TValueType{0});
    frame_->MaxDec().SetValue(last);
    frame_->MaxHex().SetValue(last);
}

} // namespace mv
