#include "ui/document/input_tools.h"

#include "core/dialogs/jump_target.h"
#include "ui/dialogs/dlg_char_input.h"
#include "ui/dialogs/dlg_int_input.h"
#include "ui/dialogs/dlg_rotate.h"
#include "ui/dialogs/dlg_str_input.h"
#include "ui/dialogs/tool_relative_jump.h"
#include "ui/document/document_tools.h"
#include "ui/document/document_window.h"
#include "ui/typedvalues/frm_input_char.h"
#include "ui/typedvalues/frm_input_int.h"
#include "ui/typedvalues/frm_input_str.h"

namespace mv {

namespace {

std::span<const Byte> BytesOf(const std::string& text) {
    return {reinterpret_cast<const Byte*>(text.data()), text.size()};
}

TToolWindow* NewIntInput(TDocumentTools& tools) {
    TMvPrBinaryFormWClass& window = tools.Window();
    auto* dialog = new TDlgIntInput(&window, TDlgIntInput::TForm::Input);
    TFrmInputInt& frame = dialog->FrmInputInt();
    frame.SetIntWidth(tools.IntWidth());
    frame.SetByteOrder(window.ByteOrder());
    dialog->FocusField(tools.IntCardinal());
    dialog->OnRun = [&tools, &frame] {
        tools.EnterBytes(frame.IntegerData().Bytes);
        tools.SetIntWidth(frame.IntWidth());
    };
    return dialog;
}

TToolWindow* NewStrInput(TDocumentTools& tools) {
    auto* dialog = new TDlgStrInput(&tools.Window());
    TFrmInputStr& frame = dialog->FrmInputStr();
    dialog->OnRun = [&tools, &frame] { tools.EnterBytes(BytesOf(frame.GetText())); };
    return dialog;
}

TToolWindow* NewCharInput(TDocumentTools& tools) {
    auto* dialog = new TDlgCharInput(&tools.Window());
    TFrmInputChar& frame = dialog->FrmInputChar();
    dialog->OnRun = [&tools, &frame] {
        const auto code = static_cast<Byte>(frame.SelectedCode());
        tools.EnterBytes({&code, 1});
    };
    return dialog;
}

TToolWindow* NewRotate(TDocumentTools& tools, bool bytes) {
    auto* dialog = new TDlgRotate(&tools.Window(), bytes);
    dialog->OnRun = [&tools, dialog] {
        tools.Window().Core().Rotate(dialog->Left(), dialog->RotateBits());
    };
    return dialog;
}

TToolWindow* NewAddressJump(TDocumentTools& tools) {
    TMvPrBinaryFormWClass& window = tools.Window();
    auto* dialog = new TDlgIntInput(&window, TDlgIntInput::TForm::AddressJump);
    dialog->FocusField(tools.IntCardinal());
    dialog->OnRun = [&tools, dialog] {
        const Address caret = tools.Window().Core().CaretAddress();
        if (!tools.JumpTo(
                AddressJumpTarget(dialog->FrmInputInt().Address(), caret, dialog->JumpValue())))
            dialog->TakeKeyboard();
    };
    return dialog;
}

TToolWindow* NewRelativeJump(TDocumentTools& tools) {
    auto* tool = new TToolRelativeJump(&tools.Window());
    tool->OnJump = [&tools, tool](std::int64_t distance) {
        const Address caret = tools.Window().Core().CaretAddress();
        if (!tools.JumpTo(RelativeJumpTarget(caret, distance))) tool->TakeKeyboard();
    };
    return tool;
}

} // namespace

void RegisterInputTools(TDocumentTools& tools) {
    using enum TToolSlot;
    constexpr TToolRefusal InViewMode = TToolRefusal::InViewMode;
    tools.Register(IntInput, "MM_InputInt", InViewMode, [&tools] { return NewIntInput(tools); });
    tools.Register(StrInput, "MM_InputStr", InViewMode, [&tools] { return NewStrInput(tools); });
    tools.Register(CharInput, "MM_InputChar", InViewMode, [&tools] { return NewCharInput(tools); });
    tools.Register(BitRoll, "MM_BitRoll", InViewMode, [&tools] { return NewRotate(tools, false); });
    tools.Register(ByteRoll, "MM_ByteRoll", InViewMode,
                   [&tools] { return NewRotate(tools, true); });
    tools.Register(AddressJump, "MM_AddressJump", TToolRefusal::WhenEmpty,
                   [&tools] { return NewAddressJump(tools); });
    tools.Register(RelativeJump, "MM_RelativeJump", TToolRefusal::Never,
                   [&tools] { return NewRelativeJump(tools); });
}

} // namespace mv
