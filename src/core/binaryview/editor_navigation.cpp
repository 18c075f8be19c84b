// Caret movement, selection, modes, mouse and scroll bar of the binary editor.
#include "core/binaryview/editor_core.h"

#include "core/typedvalues/command_ids.h"

#include <algorithm>
#include <optional>

namespace mv {

namespace {

using namespace cmd;

// The plain movement behind a selecting or repeating variant; nothing for other commands.
struct TMoveCommand {
    CommandId Plain;
    enum { Plain_, Selecting, Repeating } Variant;
};

std::optional<TMoveCommand> MoveCommandOf(CommandId command) {
    static constexpr std::pair<CommandId, TMoveCommand> kMoves[] = {
        {UP, {UP, TMoveCommand::Plain_}},
        {DOWN, {DOWN, TMoveCommand::Plain_}},
        {LEFT, {LEFT, TMoveCommand::Plain_}},
        {RIGHT, {RIGHT, TMoveCommand::Plain_}},
        {LEFTEX, {LEFTEX, TMoveCommand::Plain_}},
        {RIGHTEX, {RIGHTEX, TMoveCommand::Plain_}},
        {PAGEUP, {PAGEUP, TMoveCommand::Plain_}},
        {PAGEDOWN, {PAGEDOWN, TMoveCommand::Plain_}},
        {FILETOP, {FILETOP, TMoveCommand::Plain_}},
        {FILEEND, {FILEEND, TMoveCommand::Plain_}},
        {PARATOP, {PARATOP, TMoveCommand::Plain_}},
        {PARAEND, {PARAEND, TMoveCommand::Plain_}},
        {UPSEL, {UP, TMoveCommand::Selecting}},
        {DOWNSEL, {DOWN, TMoveCommand::Selecting}},
        {LEFTSEL, {LEFT, TMoveCommand::Selecting}},
        {RIGHTSEL, {RIGHT, TMoveCommand::Selecting}},
        {LEFTEXSEL, {LEFTEX, TMoveCommand::Selecting}},
        {RIGHTEXSEL, {RIGHTEX, TMoveCommand::Selecting}},
        {PAGEUPSEL, {PAGEUP, TMoveCommand::Selecting}},
        {PAGEDOWNSEL, {PAGEDOWN, TMoveCommand::Selecting}},
        {FILETOPSEL, {FILETOP, TMoveCommand::Selecting}},
        {FILEENDSEL, {FILEEND, TMoveCommand::Selecting}},
        {PARATOPSEL, {PARATOP, TMoveCommand::Selecting}},
        {PARAENDSEL, {PARAEND, TMoveCommand::Selecting}},
        {UPHIGH, {UP, TMoveCommand::Repeating}},
        {DOWNHIGH, {DOWN, TMoveCommand::Repeating}},
        {LEFTHIGH, {LEFT, TMoveCommand::Repeating}},
        {RIGHTHIGH, {RIGHT, TMoveCommand::Repeating}},
        {PAGEUPHIGH, {PAGEUP, TMoveCommand::Repeating}},
        {PAGEDOWNHIGH, {PAGEDOWN, TMoveCommand::Repeating}},
    };
    for (const auto& [id, move] : kMoves)
        if (id == command) return move;
    return std::nullopt;
}

} // namespace

Address TEditorCore::LastLine() const { return module_.Size() / Columns; }

void TEditorCore::RunMove(CommandId command) {
    if (const auto move = MoveCommandOf(command)) {
        switch (move->Variant) {
        case TMoveCommand::Plain_:
            EndTemporarySelection();
            if (Move(move->Plain)) history_.AdvanceGroup();
            break;
        case TMoveCommand::Selecting:
            StartOrContinueSelection();
            if (Move(move->Plain)) history_.AdvanceGroup();
            break;
        case TMoveCommand::Repeating:
            RepeatMove(move->Plain);
            break;
        }
        return;
    }
    RunSelectionCommand(command);
}

// One plain movement; answers whether the caret moved.
bool TEditorCore::Move(CommandId plainCommand) {
    const Address address = CaretAddress();
    const Address size = module_.Size();
    const bool hexArea = inputArea_ == TInputArea::Hex;
    TCaretState to{address, subPosition_};
    switch (plainCommand) {
    case UP:
        if (address < Columns) return false;
        to.Address = address - Columns;
        break;
    case DOWN:
        if (address / Columns == LastLine()) return false;
        to.Address = static_cast<Address>(std::min<std::int64_t>(std::int64_t{address} + Columns, size));
        break;
    case LEFTEX:
        if (hexArea && subPosition_ == 1) {
            to.SubPosition = 0;
            break;
        }
        if (address == 0) return false;
        to = {address - 1, static_cast<std::uint8_t>(hexArea ? 1 : 0)};
        break;
    case LEFT:
        if (address == 0) return false;
        to = {address - 1, 0};
        break;
    case RIGHTEX:
        if (address == size) return false;
        to = hexArea && subPosition_ == 0 ? TCaretState{address, 1} : TCaretState{address + 1, 0};
        break;
    case RIGHT:
        if (address == size) return false;
        to = {address + 1, 0};
        break;
    case PAGEUP:
        if (topLine_ == 0 && caretRow_ == 0) return false;
        if (topLine_ > 0) {
            topLine_ = std::max<std::int64_t>(topLine_ - visibleLines_, 0);
            to.Address = CaretAddress();
        } else {
            to.Address = caretColumn_;
        }
        break;
    case PAGEDOWN:
        if (address / Columns == LastLine()) return false;
        if (topLine_ + visibleLines_ - 1 < LastLine()) {
            topLine_ += visibleLines_;
            to.Address = std::min(CaretAddress(), size);
        } else {
            to.Address = std::min(LastLine() * Columns + caretColumn_, size);
        }
        break;
    case FILETOP:
        to = {0, 0};
        break;
    case FILEEND:
        to = {size, 0};
        break;
    case PARATOP:
        to = {address - caretColumn_, 0};
        break;
    case PARAEND:
        to = {static_cast<Address>(std::min<std::int64_t>(std::int64_t{address} - caretColumn_ + Columns - 1, size)), 0};
        break;
    default:
        return false;
    }
    const TCaretState from = Caret();
    const std::int64_t topBefore = topLine_;
    SetCaret(to);
    return Caret() != from || topLine_ != topBefore;
}

// Holding the key combination moves continuously: one step per handled event, until the
// move stops or the modifiers change.
void TEditorCore::RepeatMove(CommandId plainCommand) {
    EndTemporarySelection();
    const int modifiers = host_.ModifierState();
    bool moved = false;
    while (Move(plainCommand)) {
        moved = true;
        host_.HandleOneEvent();
        if (host_.ModifierState() != modifiers) break;
    }
    if (moved) history_.AdvanceGroup();
}

void TEditorCore::StartOrContinueSelection() {
    if (selectionState_ == TSelectionState::None) anchor_ = CaretAddress();
    selectionState_ = TSelectionState::Temporary;
}

void TEditorCore::EndTemporarySelection() {
    if (selectionState_ == TSelectionState::Temporary) selectionState_ = TSelectionState::None;
}

void TEditorCore::RunSelectionCommand(CommandId command) {
    const Address size = module_.Size();
    const Address caret = CaretAddress();
    switch (command) {
    case SELECT:
        if (size == 0) return;
        if (selectionState_ == TSelectionState::None) {
            anchor_ = caret;
            selectionState_ = TSelectionState::Fixed;
        } else {
            selectionState_ = TSelectionState::None;
        }
        CaretMoved();
        history_.AdvanceGroup();
        return;
    case SELECTALL:
        if (size == 0) return;
        anchor_ = 0;
        selectionState_ = TSelectionState::Temporary;
        SetCaret({size, 0});
        history_.AdvanceGroup();
        return;
    case SELECTTOP:
    case SELECTEND: {
        const Address end = command == SELECTTOP ? 0 : size;
        if (caret == end) return;
        anchor_ = end;
        selectionState_ = TSelectionState::Temporary;
        CaretMoved();
        return;
    }
    case SELECTSWAP: {
        if (selectionState_ == TSelectionState::None) return;
        const Address other = std::min(anchor_, size);
        anchor_ = caret;
        SetCaret({other, 0});
        history_.AdvanceGroup();
        return;
    }
    case INPUTAREA:
        ToggleInputArea();
        return;
    case INPUTMODE:
        if (inputMode_ != TInputMode::ViewOnly)
            SetInputMode(inputMode_ == TInputMode::Overwrite ? TInputMode::Insert : TInputMode::Overwrite);
        return;
    case CHARASET:
        SetCharaSet(static_cast<mv::CharaSet>((static_cast<int>(charaSet_) + 1) % CharaSetCount));
        return;
    case CHECKSUM:
        SetCheckSum(checkSum_ == TCheckSum::Simple ? TCheckSum::Ascii : TCheckSum::Simple);
        return;
    case EXPANDTENKEY:
        SetExpandTenKey(!expandTenKey_);
        return;
    default:
        return;
    }
}

void TEditorCore::ToggleInputArea() {
    if (inputArea_ == TInputArea::Character)
        inputArea_ = TInputArea::Hex;
    else if (characterColumnShown_)
        inputArea_ = TInputArea::Character;
    else
        return;
    SetCaret({CaretAddress(), 0});
    history_.AdvanceGroup();
}

// ---- mouse

void TEditorCore::MouseDown(TMouseButton button, Address address, TInputArea area, bool shiftHeld) {
    const TSelection selection = Selection();
    switch (button) {
    case TMouseButton::Left:
        if (!shiftHeld)
            EndTemporarySelection();
        else if (selectionState_ == TSelectionState::None)
            StartOrContinueSelection();
        break;
    case TMouseButton::Right:
        // A right click inside the selection keeps it for the context menu.
        if (!selection.Empty() && address >= selection.Start && address < selection.End) return;
        selectionState_ = TSelectionState::None;
        break;
    case TMouseButton::Middle:
        break;
    }
    if (area == TInputArea::Character && !characterColumnShown_) area = TInputArea::Hex;
    inputArea_ = area;
    const TCaretState before = Caret();
    SetCaret({address, 0});
    // A click ends a run of packed typing just as a caret key does.
    if (Caret() != before) history_.AdvanceGroup();
}

void TEditorCore::DragTo(std::int32_t row, std::int32_t column) {
    if (selectionState_ == TSelectionState::None) StartOrContinueSelection();
    std::int64_t line = std::int64_t{topLine_} + row;
    column = std::clamp(column, 0, Columns - 1);
    if (row < 0) {
        line = std::max<std::int64_t>(topLine_ - 1, 0);
        column = 0;
    } else if (row >= visibleLines_) {
        line = std::int64_t{topLine_} + visibleLines_;
    }
    const auto address = static_cast<Address>(
        std::min<std::int64_t>(line * Columns + column, module_.Size()));
    if (address != CaretAddress()) SetCaret({address, 0});
}

void TEditorCore::MouseUp() { KeyUp(); }

// ---- scroll bar

void TEditorCore::ScrollLines(std::int32_t delta) {
    ScrollTo(std::clamp<std::int64_t>(topLine_ + delta, 0, LastLine()));
}

void TEditorCore::ScrollTo(std::int64_t topLine) {
    if (topLine < 0 || topLine > LastLine() || topLine == topLine_) return;
    topLine_ = topLine;
    SetCaret({std::min(CaretAddress(), module_.Size()), subPosition_});
}

} // namespace mv
