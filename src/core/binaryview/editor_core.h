#pragma once

#include "core/binaryview/comparison.h"
#include "core/binaryview/editor_host.h"
#include "core/binaryview/search_engine.h"
#include "core/config/environment.h"
#include "core/datastore/address.h"
#include "core/datastore/edit_history.h"
#include "core/datastore/memory_module.h"
#include "core/typedvalues/char_set.h"
#include "core/typedvalues/command_table.h"
#include "core/typedvalues/key_assignment.h"

#include <array>
#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <string_view>

namespace mv {

inline constexpr std::string_view CopyTooLargeRefusal =
    "4 GiB 以上の範囲はクリップボードにコピー出来ません.";
inline constexpr std::string_view SourceChangedSaveRefusal =
    "編集していない部分をファイルから読み出せないため, 保存を中止します.";
inline constexpr std::string_view BackupSkippedNotice =
    " は必要な部分だけを読み込んでいます.\r\n"
    "バックアップファイルは作成せず, 変更した部分だけを書き込みます.";
inline constexpr std::string_view LeftoverJournalQuestion =
    " の前回の保存は途中で中断されました.\r\n"
    "保存前の内容に戻しますか？ (いいえ: 書き込まれた内容のままにします)";
inline constexpr std::string_view DamagedJournalNotice =
    " の前回の保存の記録が壊れているため, 保存前の内容には戻せません.";
inline constexpr std::string_view DeviceEditQuestion =
    "デバイスを編集すると, 保存した時にディスクの内容が直接書き換えられます.\r\n"
    "編集モードにしますか？";

enum class TInputArea : std::uint8_t { Hex = 0, Character = 1 };
enum class TSelectionState : std::uint8_t { None = 0, Temporary = 1, Fixed = 2 };

// The selected range [Start, End); both -1 when nothing is selected.
struct TSelection {
    TSelectionState State = TSelectionState::None;
    Address Start = -1;
    Address End = -1;
    [[nodiscard]] bool Empty() const { return Start < 0 || Start == End; }
};

// What a window keeps of the view over a reload or in a stored profile.
struct TViewPosition {
    std::int64_t TopLine = 0;
    std::int32_t CaretRow = 0;
    std::int32_t CaretColumn = 0;
    std::uint8_t SubPosition = 0;
    std::uint8_t InputArea = 0;
    friend bool operator==(const TViewPosition&, const TViewPosition&) = default;
};

// The up to four bytes from the caret, for the information panel.
struct TCaretPeek {
    std::array<Byte, 4> Bytes{};
    int Count = 0; // how many of them exist
};

enum class TMouseButton { Left, Right, Middle };

// The binary editor without pixels: the caret, the selection, every editor command, typing,
// the clipboard, range operations, search and replace, comparison, text output and loading
// and saving with backups. The widget sets the visible line count, forwards input and paints
// from the state this class exposes; every decision about bytes and the caret is made here.
class TEditorCore {
public:
    static constexpr int Columns = 16;
    // Typed or pasted characters arriving together are taken up to this many bytes.
    static constexpr std::size_t MaxTypedBytes = 500;

    explicit TEditorCore(TEditorHost& host);
    ~TEditorCore();
    TEditorCore(const TEditorCore&) = delete;
    TEditorCore& operator=(const TEditorCore&) = delete;

    // ---- the document
    [[nodiscard]] TMemoryModule& Module() { return module_; }
    [[nodiscard]] const TMemoryModule& Module() const { return module_; }
    [[nodiscard]] TEditHistory& History() { return history_; }
    [[nodiscard]] const TEditHistory& History() const { return history_; }
    // Whether UNDO and REDO would act: never in view-only mode. Menus enable their items by it.
    [[nodiscard]] bool CanUndo() const { return !ViewOnly() && history_.CanUndo(); }
    [[nodiscard]] bool CanRedo() const { return !ViewOnly() && history_.CanRedo(); }
    [[nodiscard]] TSearchEngine& Search() { return search_; }
    [[nodiscard]] TComparison& Comparison() { return comparison_; }
    [[nodiscard]] const TComparison& Comparison() const { return comparison_; }
    [[nodiscard]] TEditorHost& Host() { return host_; }

    // Load and save with the user-visible steps: history, backup, dialogs, caret, modified.
    // Looks whether the file read on demand is still as it was, and says once when it is not.
    void CheckSourceFile();
    // Says once that the file read on demand changed or failed, if it did.
    void ReportSourceFault();
    // After a scan that found nothing: whether a file read on demand, this one's or the other
    // store's, stopped it, which is then said.
    bool ScanStoppedByFault(const TMemoryModule* other);
    bool LoadFile(const std::string& fileName);
    // Loads the file again; a load that fails says why and leaves everything as it was.
    bool ReloadFile(const std::string& fileName);
    bool SaveFile(const std::string& fileName);

    // ---- settings
    // The environment steps that are not about pixels: key table and colours, undo budget,
    // caret marker, backups, expanded ten-key and, when its apply-modes flag is set, the
    // input mode, character set and checksum form.
    void ApplyEnvironment(const TEnvironment& environment);
    [[nodiscard]] const TKeyAssignment& KeyAssignment() const { return keys_; }
    [[nodiscard]] const TColors& Colors() const { return colors_; }

    [[nodiscard]] TInputMode InputMode() const { return inputMode_; }
    void SetInputMode(TInputMode mode);
    [[nodiscard]] mv::CharaSet CharaSet() const { return charaSet_; }
    void SetCharaSet(mv::CharaSet set);
    [[nodiscard]] TCheckSum CheckSum() const { return checkSum_; }
    void SetCheckSum(TCheckSum sum);
    [[nodiscard]] bool ExpandTenKey() const { return expandTenKey_; }
    void SetExpandTenKey(bool on);
    // The document window's byte order, which INTINC and INTDEC follow.
    TByteOrder ByteOrder = TByteOrder::LittleEndian;
    bool MakeBackFile = true;
    // Files from this size on are read on demand; smaller ones are read whole.
    std::int64_t OnDemandFrom = TMemoryModule::NeverOnDemand;
    // Where the journals of saves in place go when the file's own folder cannot hold them.
    std::string JournalFolder = ".";
    bool CaretMarker = false;
    bool CompareArrow = true;
    bool CompareColor = true;
    // Which keypad set types the hexadecimal digits A to F.
    bool SpecialJapaneseKeyboard = false;

    // ---- geometry that the widget decides
    void SetVisibleLines(std::int32_t lines); // keeps the caret inside the view
    [[nodiscard]] std::int32_t VisibleLines() const { return visibleLines_; }
    // Hiding the character column moves a caret that stands in it to the hexadecimal area.
    void SetCharacterColumnShown(bool shown);
    [[nodiscard]] bool CharacterColumnShown() const { return characterColumnShown_; }

    // ---- caret and selection
    [[nodiscard]] std::int64_t TopLine() const { return topLine_; }
    [[nodiscard]] std::int32_t CaretRow() const { return caretRow_; }
    [[nodiscard]] std::int32_t CaretColumn() const { return caretColumn_; }
    [[nodiscard]] Address CaretAddress() const;
    [[nodiscard]] TCaretState Caret() const;
    // Clamps to 0..Size, scrolls only as far as needed, clears the hit flags and the
    // highlight, and fires OnCaretMove.
    void SetCaret(TCaretState caret);
    [[nodiscard]] TInputArea InputArea() const { return inputArea_; }
    [[nodiscard]] TSelection Selection() const;
    [[nodiscard]] Address Anchor() const { return anchor_; }
    [[nodiscard]] TViewPosition ViewPosition() const;
    void SetViewPosition(const TViewPosition& position);
    [[nodiscard]] TCaretPeek PeekCaret() const;
    // Ends the current undo step from outside (the filer, the document window).
    void CloseUndoStep() { history_.AdvanceGroup(); }

    // The bytes drawn bold by the next repaint (a search or compare hit); -1 when none. The
    // widget forgets them once painted, so that only the repaint placing the caret shows them.
    [[nodiscard]] Address HighlightStart() const { return highlightStart_; }
    [[nodiscard]] ByteCount HighlightLength() const { return highlightLength_; }
    void SetHighlight(Address start, ByteCount length);
    void ForgetHighlight() { SetHighlight(-1, 0); }
    // The caret stands on the last search hit / the start of the last difference run.
    bool SearchHit = false;
    bool CompareHit = false;

    // ---- input
    // Runs an editor command: 90000 and above go to OnCommand, the user menus and the
    // context menu to OnPostMenu, everything else here. -1 does nothing.
    void ExecuteCommand(CommandId command);
    // A key press resolved through the key table (and the expanded ten-key). Answers false
    // for keys pressed with Alt, which belong to the menu.
    bool KeyDown(const TKeyPress& press);
    // A key release: a temporary selection whose anchor equals the caret ends.
    void KeyUp();
    // Mouse input already hit-tested by the widget: the address of the cell and its area.
    void MouseDown(TMouseButton button, Address address, TInputArea area, bool shiftHeld);
    // A drag step to (row relative to the top line, column 0-15) in the area the drag began;
    // rows and columns outside the view scroll by one line or stop at the edge column.
    void DragTo(std::int32_t row, std::int32_t column);
    void MouseUp();
    // The vertical scroll bar: by one line (the caret keeps its row) or to a thumb position.
    void ScrollLines(std::int32_t delta);
    void ScrollTo(std::int64_t topLine);

    // ---- data entry (refused silently in view-only mode)
    void TypeHexDigit(int digit);
    // Shift JIS text typed into the character column, at most MaxTypedBytes of it.
    void TypeCharacters(std::string_view shiftJisText);
    // UTF-8 text typed into the character column, at most MaxTypedBytes of it, cut between
    // characters: under a Unicode set every character is stored in the set's bytes; under the
    // other sets the text goes through Shift JIS as TypeCharacters takes it.
    void TypeUtf8Characters(std::string_view utf8Text);
    void InsertData(std::span<const Byte> bytes, Address address);
    void OverwriteData(std::span<const Byte> bytes, Address address);
    // Bytes entered at the caret as a paste enters them: replacing the selection, else
    // inserted or overwritten by the input mode; one undo step, the caret after them.
    void EnterData(std::span<const Byte> bytes);
    // For the filer: no caret move, no new undo step (the open one becomes indivisible);
    // answers false when refused.
    bool OverwriteInPlace(std::span<const Byte> bytes, Address address);
    // BITROLL (bits) and BYTEROLL (bytes × 8) over the selection or the whole file. The count
    // is 64-bit so that a byte count × 8 reaches here without wrapping; whole turns beyond
    // the first are dropped, and a rotation by whole turns is still an undo step. Counts below
    // 1 do nothing.
    void Rotate(bool left, std::int64_t bits);
    // The document window's BITNOT, BITREVERSE, BITROLLL, BITROLLR, BYTEREVERSE, BYTEROLLL,
    // BYTEROLLR, INTINC and INTDEC over the selection or, when there is none, the whole file
    // (the byte under the caret for INTINC and INTDEC). The selection stays.
    void RangeOperation(CommandId command);
    [[nodiscard]] bool CanPaste();

    // ---- text output of the selection or the whole file, one line at a time
    void TextOut(Address start, ByteCount count,
                 const std::function<void(std::string_view line, bool& proceed)>& onLine) const;

    // ---- events
    std::function<void()> OnChange;    // data, modes, comparison or history changed
    std::function<void()> OnCaretMove; // caret moved or the view scrolled
    std::function<void(CommandId)> OnCommand;  // commands of 90000 and above
    std::function<void(CommandId)> OnPostMenu; // USERMENU1-5 and POPUPMENU, to show later

private:
    friend class TSearchEngine;
    friend class TComparison;

    // Says why a load failed; answers whether it succeeded.
    bool LoadSucceeded(const std::string& fileName, int error);
    void RereadSavedFile(const std::string& fileName);
    bool SaveChangedRanges(const std::string& fileName);
    void OfferLeftoverJournal(const std::string& fileName);
    bool SaveWhole(const std::string& fileName);
    bool backupSkipSaid_ = false;
    // Says why the file behind `module` can no longer be read, with `more` after it.
    void TellSourceFault(const TMemoryModule& module, TMsgDlgType type, std::string_view more);
    bool sourceFaultReported_ = false;

    // Navigation
    void RunMove(CommandId command);
    bool Move(CommandId plainCommand); // answers whether the caret moved
    void RepeatMove(CommandId plainCommand);
    void StartOrContinueSelection();
    void EndTemporarySelection();
    void RunSelectionCommand(CommandId command);
    void ToggleInputArea();
    [[nodiscard]] Address LastLine() const;

    // Editing
    void Delete();
    void Backspace();
    void Copy();
    void Paste();
    void StepInteger(bool increment);
    // Typed characters in the document's bytes: over the selection, else at the caret by the
    // input mode; one undo step.
    void TypeBytes(std::span<const Byte> bytes);
    void WriteData(TEditKind kind, std::span<const Byte> bytes, Address address);
    // Applies with caret movement; advances the group unless packed typing asks otherwise.
    void Apply(const TEditRequest& request, bool advanceGroup);
    [[nodiscard]] bool ViewOnly() const { return inputMode_ == TInputMode::ViewOnly; }
    // The change would push the file past the largest address.
    [[nodiscard]] bool WouldOverflow(std::int64_t growth) const;

    void Changed() const;
    void CaretMoved() const;

    TEditorHost& host_;
    TMemoryModule module_;
    TEditHistory history_;
    TSearchEngine search_;
    TComparison comparison_;

    TKeyAssignment keys_;
    TColors colors_ = DefaultColors();
    TInputMode inputMode_ = TInputMode::Overwrite;
    mv::CharaSet charaSet_ = mv::CharaSet::ShiftJis;
    TCheckSum checkSum_ = TCheckSum::Simple;
    bool expandTenKey_ = true;

    std::int32_t visibleLines_ = 1;
    bool characterColumnShown_ = true;
    std::int64_t topLine_ = 0;
    bool deviceEditAgreed_ = false;
    std::int32_t caretRow_ = 0;
    std::int32_t caretColumn_ = 0;
    std::uint8_t subPosition_ = 0;
    TInputArea inputArea_ = TInputArea::Hex;
    TSelectionState selectionState_ = TSelectionState::None;
    Address anchor_ = 0;
    Address highlightStart_ = -1;
    ByteCount highlightLength_ = 0;
};

} // namespace mv
