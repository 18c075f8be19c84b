#include "editor_fixture.h"

#include "core/typedvalues/char_set.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace mv {
namespace {

using namespace cmd;
using test::ByteVector;
using test::TEditorFixture;
using Action = std::function<void(TEditorCore&)>;

Action Digit(int d) {
    return [d](TEditorCore& e) { e.TypeHexDigit(d); };
}
Action Command(CommandId c) {
    return [c](TEditorCore& e) { c >= 90000 ? e.RangeOperation(c) : e.ExecuteCommand(c); };
}

TEST(Editing, DigitsDeletionPasteAndDataEntryAtTheCaretOrOverTheSelection) {
    constexpr auto O = TInputMode::Overwrite, I = TInputMode::Insert;
    struct Case {
        const char* Name;
        ByteVector Start;
        TInputMode Mode;
        TCaretState Caret;
        Address SelStart, SelEnd;
        Action Do;
        ByteVector Expected;
        TCaretState CaretAfter;
    };
    const ByteVector four{0x10, 0x11, 0x12, 0x13};
    const Action insertData = [](TEditorCore& e) { e.InsertData(ByteVector{0xA0, 0xA1}, 1); };
    const Action overwriteData = [](TEditorCore& e) { e.OverwriteData(ByteVector{0xB0, 0xB1}, 1); };
    const Action filerWrite = [](TEditorCore& e) {
        EXPECT_TRUE(e.OverwriteInPlace(ByteVector{0x66}, 1));
    };
    const Case cases[] = {
        {"overwrite high", {0x3F}, O, {0, 0}, 0, 0, Digit(0xA), {0xAF}, {0, 1}},
        {"overwrite at EOF appends", {0x11}, O, {1, 0}, 0, 0, Digit(2), {0x11, 0x20}, {1, 1}},
        {"insert low fills the new byte", {0x70}, I, {0, 1}, 0, 0, Digit(5), {0x75}, {1, 0}},
        {"digit over selection inserts", four, O, {}, 1, 3, Digit(5), {0x10, 0x50, 0x13}, {1, 1}},
        {"delete", four, O, {1, 1}, 0, 0, Command(DELETE), {0x10, 0x12, 0x13}, {1, 0}},
        {"delete at EOF", four, O, {4, 0}, 0, 0, Command(DELETE), four, {4, 0}},
        {"delete selection", four, O, {}, 3, 1, Command(DELETE), {0x10, 0x13}, {1, 0}},
        {"backspace low", four, O, {2, 1}, 0, 0, Command(BACKSPACE), {0x10, 0x11, 0x13}, {2, 0}},
        {"cut", four, O, {}, 0, 2, Command(CUT), {0x12, 0x13}, {0, 0}},
        {"paste past the end", {0x10}, O, {1, 0}, 0, 0, Command(PASTE), {0x10, 'A', 'B'}, {3, 0}},
        {"paste replaces", four, I, {}, 3, 0, Command(PASTE), {'A', 'B', 0x13}, {2, 0}},
        {"insert data", {0x10, 0x11}, O, {}, 0, 0, insertData, {0x10, 0xA0, 0xA1, 0x11}, {3, 0}},
        {"overwrite past the end", {0x10}, I, {}, 0, 0, overwriteData, {0x10, 0xB0, 0xB1}, {3, 0}},
        {"the filer keeps the caret", {0x10}, O, {0, 1}, 0, 0, filerWrite, {0x10, 0x66}, {0, 1}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        TEditorFixture doc(c.Start);
        doc.Place(c.Mode, c.Caret, c.SelStart, c.SelEnd);
        doc.host.Text = "AB";
        c.Do(doc.core);
        EXPECT_EQ(doc.Data(), c.Expected);
        EXPECT_EQ(doc.core.Caret(), c.CaretAfter);
        EXPECT_EQ(doc.core.Selection().State, TSelectionState::None);
        doc.UndoAll();
        EXPECT_EQ(doc.Data(), c.Start);
    }
}

TEST(Editing, TypedDigitsUndoInOneStepOnlyWhenPackedAndCharactersAlwaysInOne) {
    for (const bool packed : {false, true}) {
        TEditorFixture doc;
        doc.Place(TInputMode::Insert, {});
        doc.core.History().UndoPacked = packed;
        for (int d : {1, 2, 3, 4, 5})
            doc.core.TypeHexDigit(d);
        doc.core.ExecuteCommand(BACKSPACE);
        EXPECT_EQ(doc.Data(), (ByteVector{0x12, 0x34}));
        EXPECT_EQ(doc.UndoAll(), packed ? 1 : 6) << "packed " << packed;
        // An undone step puts the caret where its first change found it, a redone one where
        // its last change left it.
        EXPECT_EQ(doc.core.Caret(), (TCaretState{0, 0}));
        doc.core.ExecuteCommand(REDO);
        EXPECT_EQ(doc.core.Caret(), (packed ? TCaretState{2, 0} : TCaretState{0, 1}));
    }
    TEditorFixture doc({'a', 'b', 'c', 'd'});
    TEditorCore& e = doc.core;
    e.History().UndoPacked = true; // characters advance the group all the same
    e.TypeCharacters("X\x01Y\r");  // control characters are left out
    e.SetInputMode(TInputMode::Insert);
    e.TypeCharacters("Z");
    EXPECT_EQ(doc.Data(), (ByteVector{'X', 'Y', 'Z', 'c', 'd'}));
    e.ExecuteCommand(SELECTALL);
    e.TypeCharacters("\x82\xA0");
    EXPECT_EQ(doc.Data(), (ByteVector{0x82, 0xA0}));
    EXPECT_EQ(doc.UndoAll(), 3);
}

TEST(Editing, CharactersAreStoredInTheDocumentsSetAndCappedWhole) {
    const std::string text = "A\x82\xA0\xB1"; // ASCII, "あ", half-width "ｱ"
    const std::string euc = "A\xA4\xA2\x8E\xB1";
    const std::string utf16 = std::string("A\0\x42\x30\x71\xFF", 6);
    for (const auto& [set, stored] :
         {std::pair{CharaSet::ShiftJis, text}, std::pair{CharaSet::Euc, euc},
          std::pair{CharaSet::Utf16Le, utf16}}) {
        TEditorFixture doc;
        doc.Place(TInputMode::Insert, {});
        doc.core.SetCharaSet(set);
        doc.core.TypeCharacters(text);
        EXPECT_EQ(doc.Data(), ByteVector(stored.begin(), stored.end()));
        EXPECT_EQ(doc.core.CaretAddress(), static_cast<Address>(stored.size()));
    }
    TEditorFixture doc;
    doc.Place(TInputMode::Insert, {});
    doc.core.TypeCharacters(std::string(600, 'a'));
    EXPECT_EQ(doc.core.Module().Size(), 500);
    // A pair that would straddle the cap is left out rather than split.
    doc.core.TypeCharacters(std::string(499, 'a') + "\x82\xA0" + "b");
    EXPECT_EQ(doc.core.Module().Size(), 999);
}

// Characters that Shift JIS lacks survive under the Unicode sets; the other sets take the
// text through Shift JIS. Either way the rules of typed characters hold: one undo step each,
// over the selection or at the caret by the mode, control codes left out.
TEST(Editing, Utf8TypingStoresEveryCharacterOfTheUnicodeSets) {
    constexpr auto O = TInputMode::Overwrite, I = TInputMode::Insert;
    struct Case {
        CharaSet Set;
        TInputMode Mode;
        Address SelStart, SelEnd;
        std::string Typed;
        ByteVector Expected; // typed into 11 22 33 44 at 1
    };
    const std::string text = "\xC3\xA9\x01\xE6\x97\xA5\xF0\x9F\x98\x80"; // é, a control, 日, 😀
    const Case cases[] = {
        {CharaSet::Utf8, I, 0, 0, text,
         {0x11, 0xC3, 0xA9, 0xE6, 0x97, 0xA5, 0xF0, 0x9F, 0x98, 0x80, 0x22, 0x33, 0x44}},
        {CharaSet::Utf16Le, O, 0, 0, "\xC3\xA9", {0x11, 0xE9, 0x00, 0x44}},
        {CharaSet::Utf16Be, O, 0, 0, text,
         {0x11, 0x00, 0xE9, 0x65, 0xE5, 0xD8, 0x3D, 0xDE, 0x00}},
        {CharaSet::Utf16Be, O, 1, 3, "A", {0x11, 0x00, 0x41, 0x44}},
        {CharaSet::Euc, I, 0, 0, text, {0x11, 0x3F, 0xC6, 0xFC, 0x3F, 0x22, 0x33, 0x44}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(CharaSetName(c.Set));
        const ByteVector start{0x11, 0x22, 0x33, 0x44};
        TEditorFixture doc(start);
        doc.Place(c.Mode, {1, 0}, c.SelStart, c.SelEnd);
        doc.core.SetCharaSet(c.Set);
        doc.core.TypeUtf8Characters(c.Typed);
        EXPECT_EQ(doc.Data(), c.Expected);
        EXPECT_EQ(doc.UndoAll(), c.SelStart == c.SelEnd ? 1 : 2); // the delete is a step
        EXPECT_EQ(doc.Data(), start);
    }
    // The cap counts the typed UTF-8 and never cuts a character.
    TEditorFixture doc;
    doc.Place(TInputMode::Insert, {});
    doc.core.SetCharaSet(CharaSet::Utf16Le);
    doc.core.TypeUtf8Characters(std::string(600, 'a'));
    EXPECT_EQ(doc.core.Module().Size(), 1000);
    doc.core.SetCharaSet(CharaSet::Utf8);
    doc.core.TypeUtf8Characters(std::string(498, 'a') + "\xE6\x97\xA5");
    EXPECT_EQ(doc.core.Module().Size(), 1498);
}

TEST(Editing, PastedTextTakesTheViewsSet) {
    for (const auto& [set, pasted] :
         {std::pair{CharaSet::ShiftJis, ByteVector{0x93, 0xFA, '?'}},
          std::pair{CharaSet::Utf8, ByteVector{0xE6, 0x97, 0xA5, 0xC3, 0xA9}},
          std::pair{CharaSet::Utf16Be, ByteVector{0x65, 0xE5, 0x00, 0xE9}}}) {
        TEditorFixture doc;
        doc.Place(TInputMode::Insert, {});
        doc.core.SetCharaSet(set);
        doc.host.Text = std::string("\xE6\x97\xA5\xC3\xA9\0x", 7); // 日é, then a zero
        doc.core.ExecuteCommand(PASTE);
        EXPECT_EQ(doc.Data(), pasted) << CharaSetName(set);
    }
}

TEST(Editing, CopyWorksInViewOnlyModeWhereEverythingElseIsRefused) {
    const ByteVector four{0x10, 0x11, 0x12, 0x13};
    TEditorFixture doc(four);
    doc.Place(TInputMode::ViewOnly, {}, 1, 3);
    TEditorCore& e = doc.core;
    doc.changes = 0;
    e.ExecuteCommand(COPY);
    EXPECT_EQ(doc.host.Payload, (ByteVector{2, 0, 0, 0, 0x11, 0x12}));
    EXPECT_EQ(doc.changes, 1);

    doc.host.Text = "xy";
    e.TypeHexDigit(1);
    e.TypeCharacters("ab");
    for (CommandId c : {DELETE, BACKSPACE, CUT, PASTE, COPYSEL, BITNOT, BYTEROLLL, INTINC})
        Command(c)(e);
    e.Rotate(false, 3);
    e.InsertData(four, 0);
    e.OverwriteData(four, 0);
    EXPECT_FALSE(e.OverwriteInPlace(four, 0));
    EXPECT_EQ(doc.Data(), four);
    EXPECT_FALSE(e.History().CanUndo());
    EXPECT_FALSE(e.Selection().Empty());
    EXPECT_TRUE(e.CanPaste()) << "what the clipboard offers, whatever the mode";
}

// Another program's payload is believed only where it holds together: a count past its bytes
// or no room for a count is refused with a message rather than cut to fit, and so is a format
// that was offered but never delivered. Bytes past the count are padding.
TEST(Editing, PasteTakesOnlyAClipboardThatHoldsTogether) {
    constexpr std::string_view Broken = "クリップボードのデータが壊れています.";
    constexpr std::string_view Unreadable = "クリップボードのデータを読み取れませんでした.";
    struct Case {
        const char* Name;
        std::optional<ByteVector> Payload;
        std::optional<std::string> Text;
        ByteVector Pasted; // into an empty file
        std::string_view Refusal;
    };
    const Case cases[] = {
        {"payload before text, padding dropped", ByteVector{2, 0, 0, 0, 7, 8, 9}, "text", {7, 8}, {}},
        {"text to the first zero", {}, std::string("AB\0C", 4), {'A', 'B'}, {}},
        {"count of zero", ByteVector{0, 0, 0, 0, 7}, {}, {}, {}},
        {"negative count", ByteVector{0xFF, 0xFF, 0xFF, 0xFF, 7, 8, 9}, {}, {}, Broken},
        {"count 1000 over three bytes", ByteVector{0xE8, 0x03, 0, 0, 7, 8, 9}, {}, {}, Broken},
        {"no room for the count", ByteVector{3, 0, 0}, "text", {}, Broken},
        {"payload never delivered", ByteVector{}, "text", {}, Unreadable},
        {"text never delivered", {}, "", {}, Unreadable},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        TEditorFixture doc;
        doc.Place(TInputMode::Insert, {});
        doc.host.Payload = c.Payload;
        doc.host.Text = c.Text;
        if (!c.Refusal.empty()) doc.host.Answer(mrOk);
        doc.core.ExecuteCommand(PASTE);
        EXPECT_EQ(doc.Data(), c.Pasted);
        EXPECT_EQ(doc.core.History().CanUndo(), !c.Pasted.empty());
        ASSERT_EQ(doc.host.Dialogs.size(), c.Refusal.empty() ? 0u : 1u);
        if (!c.Refusal.empty()) {
            EXPECT_EQ(doc.host.Dialogs[0].Text, c.Refusal);
        }
    }
}

// A range operation is an undo step and marks the file modified even where it leaves the
// bytes as they were; the byte commands need a file of two bytes, not a selection of two.
TEST(Editing, RangeOperationsKeepSelectionAndCaret) {
    constexpr auto BE = TByteOrder::BigEndian;
    struct Case {
        CommandId Command;
        ByteVector Start;
        Address SelStart, SelEnd;
        ByteVector Expected;
        bool Recorded = true;
        TByteOrder Order = TByteOrder::LittleEndian;
    };
    const Case cases[] = {
        {BITNOT, {0x0F, 0x00, 0xFF}, 0, 0, {0xF0, 0xFF, 0x00}},
        {BITREVERSE, {0x01, 0x02}, 0, 1, {0x80, 0x02}},
        {BYTEROLLL, {0x01, 0x02, 0x03}, 0, 0, {0x02, 0x03, 0x01}},
        {BYTEREVERSE, {0x01, 0x02, 0x03, 0x04}, 1, 4, {0x01, 0x04, 0x03, 0x02}},
        {BYTEROLLR, {0x01, 0x02}, 0, 1, {0x01, 0x02}}, // one byte turned by eight bits
        {BYTEROLLL, {0x01}, 0, 0, {0x01}, false},
        {BYTEREVERSE, {0x01}, 0, 1, {0x01}, false},
        {INTINC, {0x00, 0xFF}, 0, 2, {0x01, 0x00}, true, BE},
        {INTDEC, {0x00, 0x00, 0x05}, 0, 0, {0x00, 0xFF, 0x05}}, // the byte under the caret
        {INTINC, {}, 0, 0, {}, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.Command << " on " << c.Start.size() << " bytes");
        TEditorFixture doc(c.Start);
        doc.Place(TInputMode::Overwrite, {1, 1}, c.SelStart, c.SelEnd);
        doc.core.ByteOrder = c.Order;
        const TSelection selection = doc.core.Selection();
        const TCaretState caret = doc.core.Caret();
        doc.core.RangeOperation(c.Command);
        EXPECT_EQ(doc.Data(), c.Expected);
        EXPECT_EQ(doc.core.Module().IsModified(), c.Recorded);
        EXPECT_EQ(doc.core.Caret(), caret);
        EXPECT_EQ(doc.core.Selection().End, selection.End);
        EXPECT_EQ(doc.UndoAll(), c.Recorded ? 1 : 0);
        EXPECT_EQ(doc.Data(), c.Start);
    }
}

TEST(Editing, RotationDropsWholeTurnsOfTheRangeButStillRecordsOne) {
    TEditorFixture doc({0x01, 0x02, 0x03});
    // 2^29 bytes × 8 is 2^32 bits, 16 more than a multiple of the 24-bit range.
    doc.core.Rotate(true, std::int64_t{1} << 32);
    EXPECT_EQ(doc.Data(), (ByteVector{0x03, 0x01, 0x02}));
    doc.core.Module().SetModified(false);
    doc.core.Rotate(false, 24 * 1000);
    EXPECT_EQ(doc.Data(), (ByteVector{0x03, 0x01, 0x02}));
    EXPECT_TRUE(doc.core.Module().IsModified());
    EXPECT_EQ(doc.UndoAll(), 2);
    EXPECT_EQ(doc.Data(), (ByteVector{0x01, 0x02, 0x03}));
}

// The history's own tests pin what an overflowing step keeps; here, that a replace-all is
// recorded as one indivisible step, so that no undo reverts only its last replacements.
TEST(Editing, AReplaceAllOverflowingTheUndoBudgetLeavesNothingToUndo) {
    TEditorFixture replaced(ByteVector(20, 0x41));
    replaced.core.History().ApplySettings(1, true); // room for 17 records
    replaced.host.Answer(mrOk);                     // the run's count
    replaced.core.Search().Replace(ByteVector{0x41}, ByteVector{0x42}, false, false,
                                   TSearchDirection::Forward);
    EXPECT_EQ(replaced.Data(), ByteVector(20, 0x42));
    EXPECT_EQ(replaced.UndoAll(), 0);
}

// The data shrinks under a selection from outside the editor; the selection's far end then
// lies past the data, and no operation may read or write there.
TEST(Editing, StaleSelectionNeverReachesPastTheData) {
    struct Case {
        CommandId Command;
        ByteVector Expected;
    };
    const Case cases[] = {{DELETE, {0x10, 0x11}},
                          {PASTE, {0x10, 0x11, 'Z'}},
                          {BITNOT, {0x10, 0x11, 0xED, 0xEC}},
                          {COPY, {0x10, 0x11, 0x12, 0x13}}};
    for (const Case& c : cases) {
        TEditorFixture doc({0x10, 0x11, 0x12, 0x13, 0x14, 0x15, 0x16, 0x17});
        doc.Place(TInputMode::Overwrite, {}, 2, 7);
        doc.host.Text = "Z";
        doc.core.Module().DeleteBytes(4, 4);
        Command(c.Command)(doc.core);
        EXPECT_EQ(doc.Data(), c.Expected) << c.Command;
        if (c.Command == COPY) {
            EXPECT_EQ(doc.host.Payload, (ByteVector{2, 0, 0, 0, 0x12, 0x13}));
        }
    }
}

} // namespace
} // namespace mv
