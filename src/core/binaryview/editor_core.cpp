#include "core/binaryview/editor_core.h"

#include "core/binaryview/text_output.h"
#include "core/typedvalues/command_ids.h"

#include <algorithm>

namespace mv {

TEditorCore::TEditorCore(TEditorHost& host)
    : host_(host), history_(module_, host), search_(*this), comparison_(*this),
      keys_(TKeyAssignment::Template(TKeyAssignType::WindowsStandard)) {
    module_.OnChange = [this](TMemoryModule&) { Changed(); };
    history_.OnChange = [this] { Changed(); };
    history_.OnPlaceCaret = [this](TCaretState caret) { SetCaret(caret); };
}

TEditorCore::~TEditorCore() = default;

void TEditorCore::Changed() const {
    if (OnChange) OnChange();
}

void TEditorCore::CaretMoved() const {
    if (OnCaretMove) OnCaretMove();
}

// ---- settings

void TEditorCore::ApplyEnvironment(const TEnvironment& environment) {
    keys_ = environment.KeyAssignment;
    colors_ = environment.Colors;
    history_.ApplySettings(environment.UndoBuffer, environment.UndoPacked);
    CaretMarker = environment.CaretMarker;
    MakeBackFile = environment.MakeBackFile;
    OnDemandFrom = std::int64_t{environment.OnDemandMegabytes} << 20;
    SetExpandTenKey(environment.ExpandTenKey);
    if (environment.ApplyModes != 0) {
        inputMode_ = environment.InputMode;
        charaSet_ = environment.CharaSet;
        checkSum_ = environment.CheckSum;
    }
    Changed();
}

void TEditorCore::SetInputMode(TInputMode mode) {
    if (module_.FixedSize()) {
        if (mode == TInputMode::Insert) mode = TInputMode::Overwrite;
        // Edits of a device reach the disk itself at the next save: the user agrees once.
        if (inputMode_ == TInputMode::ViewOnly && mode != TInputMode::ViewOnly && !deviceEditAgreed_) {
            if (host_.MessageDlgBeep(DeviceEditQuestion, TMsgDlgType::mtConfirmation,
                                     {TMsgDlgBtn::mbYes, TMsgDlgBtn::mbNo}) != mrYes)
                return;
            deviceEditAgreed_ = true;
        }
    }
    inputMode_ = mode;
    Changed();
}

void TEditorCore::SetCharaSet(mv::CharaSet set) {
    charaSet_ = set;
    Changed();
}

void TEditorCore::SetCheckSum(TCheckSum sum) {
    checkSum_ = sum;
    Changed();
}

void TEditorCore::SetExpandTenKey(bool on) {
    expandTenKey_ = on;
    Changed();
}

void TEditorCore::SetVisibleLines(std::int32_t lines) {
    visibleLines_ = std::max(lines, 1);
    SetCaret(Caret());
}

void TEditorCore::SetCharacterColumnShown(bool shown) {
    characterColumnShown_ = shown;
    if (!shown && inputArea_ == TInputArea::Character) {
        inputArea_ = TInputArea::Hex;
        SetCaret({CaretAddress(), 0});
    }
}

// ---- caret and selection

Address TEditorCore::CaretAddress() const { return (topLine_ + caretRow_) * Columns + caretColumn_; }

TCaretState TEditorCore::Caret() const { return {CaretAddress(), subPosition_}; }

void TEditorCore::SetCaret(TCaretState caret) {
    SearchHit = false;
    CompareHit = false;
    const Address address = std::clamp<Address>(caret.Address, 0, module_.Size());
    const std::int64_t line = address / Columns;
    if (line < topLine_)
        topLine_ = line;
    else if (line > topLine_ + visibleLines_ - 1)
        topLine_ = line - visibleLines_ + 1;
    caretRow_ = static_cast<std::int32_t>(line - topLine_);
    caretColumn_ = static_cast<std::int32_t>(address % Columns);
    subPosition_ = caret.SubPosition != 0 ? 1 : 0;
    ForgetHighlight();
    CaretMoved();
}

void TEditorCore::SetHighlight(Address start, ByteCount length) {
    highlightStart_ = start;
    highlightLength_ = length;
}

// The anchor may lie past the end after the data shrank; the range never does.
TSelection TEditorCore::Selection() const {
    if (selectionState_ == TSelectionState::None) return {};
    const Address anchor = std::min(anchor_, module_.Size());
    const Address caret = CaretAddress();
    if (anchor == caret) return {selectionState_, -1, -1};
    return {selectionState_, std::min(anchor, caret), std::max(anchor, caret)};
}

TViewPosition TEditorCore::ViewPosition() const {
    return {topLine_, caretRow_, caretColumn_, subPosition_, static_cast<std::uint8_t>(inputArea_)};
}

void TEditorCore::SetViewPosition(const TViewPosition& position) {
    topLine_ = std::clamp<std::int64_t>(position.TopLine, 0, LastLine());
    inputArea_ = position.InputArea == 1 && characterColumnShown_ ? TInputArea::Character
                                                                  : TInputArea::Hex;
    const std::int64_t row = std::clamp(position.CaretRow, 0, visibleLines_ - 1);
    const std::int64_t column = std::clamp(position.CaretColumn, 0, Columns - 1);
    const std::int64_t address = (topLine_ + row) * Columns + column;
    SetCaret({static_cast<Address>(std::min<std::int64_t>(address, module_.Size())),
              position.SubPosition});
}

TCaretPeek TEditorCore::PeekCaret() const {
    TCaretPeek peek;
    const Address caret = CaretAddress();
    peek.Count = static_cast<int>(std::clamp<std::int64_t>(std::int64_t{module_.Size()} - caret, 0, 4));
    module_.ReadBytes(peek.Bytes.data(), caret, 4);
    return peek;
}

// ---- commands

void TEditorCore::ExecuteCommand(CommandId command) {
    using namespace cmd;
    if (command == NoCommand) return;
    if (command >= 90000) {
        if (OnCommand) OnCommand(command);
        return;
    }
    switch (command) {
    case USERMENU1:
    case USERMENU2:
    case USERMENU3:
    case USERMENU4:
    case USERMENU5:
    case POPUPMENU:
        if (OnPostMenu) OnPostMenu(command);
        return;
    case UNDO:
        if (CanUndo()) history_.Undo();
        return;
    case REDO:
        if (CanRedo()) history_.Redo();
        return;
    case CUT:
        if (!ViewOnly() && !Selection().Empty()) {
            Copy();
            Delete();
        }
        return;
    case COPY:
        Copy();
        return;
    case COPYSEL:
        if (!ViewOnly() && !Selection().Empty()) {
            Copy();
            selectionState_ = TSelectionState::None;
            history_.AdvanceGroup();
            Changed();
        }
        return;
    case PASTE:
        Paste();
        return;
    case DELETE:
        Delete();
        return;
    case BACKSPACE:
        Backspace();
        return;
    default:
        RunMove(command);
    }
}

bool TEditorCore::KeyDown(const TKeyPress& press) {
    if (press.State & 4) return false; // Alt belongs to the menu bar
    const TKeyResolution resolution = ResolveKey(
        keys_, press, {expandTenKey_, inputArea_ == TInputArea::Hex, SpecialJapaneseKeyboard});
    if (resolution.HexDigit) {
        TypeHexDigit(*resolution.HexDigit);
        return true;
    }
    if (resolution.Command == NoCommand) return false;
    ExecuteCommand(resolution.Command);
    return true;
}

void TEditorCore::KeyUp() {
    if (selectionState_ == TSelectionState::Temporary && std::min(anchor_, module_.Size()) == CaretAddress())
        selectionState_ = TSelectionState::None;
}

void TEditorCore::TextOut(Address start, ByteCount count,
                          const std::function<void(std::string_view, bool&)>& onLine) const {
    TTextOutput(module_, charaSet_, checkSum_ == TCheckSum::Ascii).Run(start, count, onLine);
}

} // namespace mv
