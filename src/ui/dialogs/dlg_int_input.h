#pragma once

#include "core/dialogs/jump_target.h"
#include "ui/dialogs/run_tool_window.h"

namespace mv {

class TFrmInputInt;

// "整数型定型入力": an integer of a chosen width and byte order to put in at the caret. The
// address jump is the same dialog in its jump form ("アドレスジャンプ"): a number without
// width or byte order, 32-bit below 4 GiB of data and 64-bit from there, read as an absolute
// address or as a distance from the caret, captured from the caret address and limited to
// the data.
class TDlgIntInput : public TRunToolWindow {
    Q_OBJECT
public:
    enum class TForm { Input, AddressJump };

    TDlgIntInput(QWidget* owner, TForm form);

    [[nodiscard]] TForm Form() const { return form_; }
    [[nodiscard]] TFrmInputInt& FrmInputInt() { return *frame_; }
    // The radix field the document prefers takes the focus.
    void FocusField(TCardinalNumber radix);
    // The jump form's number: the value as its pattern reads it, to be taken as the frame's
    // address mode says.
    [[nodiscard]] std::uint64_t JumpValue() const;

    // The input form captures the value at the caret, the jump form the caret address; the
    // jump form's limits are the last address of the data, and its pattern follows the size.
    void TakeCaret(const TCaretFeed& feed) override;
    void TakeStatus(const TStatusFeed& feed) override;

private:
    TForm form_;
    TFrmInputInt* frame_;
};

} // namespace mv
