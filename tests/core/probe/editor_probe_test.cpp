#include "core/probe/editor_probe.h"

#include "core/binaryview/editor_fixture.h"

#include <gtest/gtest.h>

namespace mv::test {
namespace {

using R = TProbeRow;

class EditorProbe : public ::testing::Test {
protected:
    EditorProbe() { probe.Refresh(); }

    void CaretAt(Address address) {
        editor.core.SetCaret({address, 0});
        probe.Refresh();
    }
    // The text writes nothing, for that reason, and adds no undo step.
    void ExpectRefused(R row, std::string_view text, std::string_view reason) {
        const Bytes before = editor.Data();
        EXPECT_EQ(probe.Commit(row, text), reason) << text;
        EXPECT_EQ(editor.Data(), before) << text;
        EXPECT_FALSE(editor.core.History().CanUndo()) << text;
    }

    TEditorFixture editor{Hex("00 01 02 03 04 05 06 07 08 09 0a 0b 0c 0d 0e 0f 10 11 12 13")};
    TEditorProbe probe{editor.core};
};

// The model holds the bytes from the caret on, sixteen at most, and fewer near the end.
TEST_F(EditorProbe, ReadsAtMostSixteenBytesFromTheCaret) {
    CaretAt(2);
    EXPECT_EQ(Bytes(probe.Model().Bytes().begin(), probe.Model().Bytes().end()),
              Hex("02 03 04 05 06 07 08 09 0a 0b 0c 0d 0e 0f 10 11"));
    CaretAt(17);
    EXPECT_EQ(probe.Model().Bytes().size(), 3u);
    EXPECT_EQ(probe.Model().Text(R::UInt32), "");
    CaretAt(20);
    EXPECT_TRUE(probe.Model().Bytes().empty());
}

// The value's bytes in the chosen order over those at the caret, one undo step, the caret and
// the selection where they were; typing just before stays a step of its own.
TEST_F(EditorProbe, WritesAtTheCaretInTheChosenOrderAsOneUndoStep) {
    editor.Place(TInputMode::Insert, {1, 0});
    editor.core.TypeHexDigit(0xA);
    editor.Place(TInputMode::Insert, {0, 0}, 2, 4);
    probe.SetByteOrder(std::endian::big);
    EXPECT_EQ(probe.Commit(R::UInt32, "0x11223344"), "");
    // An overwrite, whatever the input mode.
    EXPECT_EQ(editor.Data(), Hex("00 a0 01 02 11 22 33 44 07 08 09 0a 0b 0c 0d 0e 0f 10 11 12 13"));
    EXPECT_EQ(editor.core.CaretAddress(), 4);
    EXPECT_EQ(probe.Selection(), (TByteRange{2, 2}));
    EXPECT_EQ(probe.Model().Text(R::UInt32), "287454020");
    EXPECT_EQ(editor.UndoAll(), 2);
}

TEST_F(EditorProbe, AValueAlreadyThereWritesNothing) {
    CaretAt(1);
    EXPECT_EQ(probe.Commit(R::Int16, "513"), "");
    EXPECT_FALSE(editor.core.Module().IsModified());
    EXPECT_FALSE(editor.core.History().CanUndo());
}

TEST_F(EditorProbe, RefusesMalformedTextTheViewModeAndTheEndOfTheData) {
    CaretAt(0);
    ExpectRefused(R::Int8, "128", "値は -128 ～ 127 の範囲で指定して下さい.");
    ExpectRefused(R::Float32, "1.5x", "実数値を入力して下さい.");
    ExpectRefused(R::Guid, "0", "この項目は編集できません.");
    CaretAt(18);
    ExpectRefused(R::UInt32, "1", "書き込む値の範囲がファイル終端を越えています.");
    CaretAt(0);
    editor.core.SetInputMode(TInputMode::ViewOnly);
    ExpectRefused(R::UInt8, "1", "閲覧モードでは書き込めません.");
}

// The selection as the range operations take it: cut back to data that shrank under it.
TEST_F(EditorProbe, TheSelectionIsTheSelectedBytesThatExist) {
    EXPECT_EQ(probe.Selection(), std::nullopt);
    editor.Place(TInputMode::Overwrite, {0, 0}, 18, 6);
    EXPECT_EQ(probe.Selection(), (TByteRange{6, 12}));
    editor.core.Module().DeleteBytes(10, 10);
    EXPECT_EQ(probe.Selection(), (TByteRange{6, 4}));
    editor.core.Module().DeleteBytes(0, 10);
    EXPECT_EQ(probe.Selection(), std::nullopt);
}

TEST(ByteCountText, DecimalAndHexadecimal) {
    EXPECT_EQ(ByteCountText(4096), "4096 バイト (00001000h)");
    EXPECT_EQ(ByteCountText(std::int64_t{5} << 32), "21474836480 バイト (500000000h)");
}

} // namespace
} // namespace mv::test
