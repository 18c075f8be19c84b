#include "core/binaryview/editor_core.h"
#include "core/filer/editor_filer_target.h"
#include "core/filer/field_model.h"

#include "filer_fakes.h"
#include "support/scripted_editor_host.h"
#include "support/store_bytes.h"

#include <gtest/gtest.h>

#include <cstdint>

namespace mv {
namespace {

using test::Bytes;
using Log = std::vector<std::string>;
const Log NoWrites{"close", "close"};

// The initialization runs before the fields are read, the finalization after they are
// written; an integer is shown as read even outside its limits and written only when edited.
TEST(IntegerField, ShowsTheValueReadAndWritesOnlyEdits) {
    test::TFilerTool tool("INITIALIZE WRITEINTEGER(0, 1, 200) FINALIZE WRITEINTEGER(8, 1, 0x77)\n"
                          "COMMAND EDITINTEGER(a, 0, 1, 0, 100) BIGENDIAN\n"
                          "EDITINTEGER(b, 1, 2, 0, 0) EDITINTEGER(c, 3, 4, 0, 0x7FFFFFFF)\n"
                          "EDITINTEGER(d, 8, 2, 0, 0)",
                          {0, 0x12, 0x34, 0xFF, 0xFF, 0xFF, 0xFF, 0, 0x77});
    EXPECT_EQ(tool.Target.Log, (Log{"close", "write 0+1", "close"}));
    auto& a = tool.Field<TIntegerFieldModel>(0);
    auto& b = tool.Field<TIntegerFieldModel>(1);
    auto& c = tool.Field<TIntegerFieldModel>(2);
    auto& d = tool.Field<TIntegerFieldModel>(3);
    EXPECT_EQ(a.Value(), 200);
    EXPECT_EQ(a.CheckValue(200), "値は 0 ～ 100 の範囲で指定して下さい.");
    EXPECT_EQ(b.Value(), 0x1234);
    EXPECT_EQ(c.Value(), -1);
    EXPECT_FALSE(d.InRange()) << "a two-byte field at the last byte";
    const Bytes read = tool.Target.Bytes;
    EXPECT_EQ(tool.Apply(), (Log{"close", "write 8+1", "close"}));
    EXPECT_EQ(tool.Target.Bytes, read);

    EXPECT_EQ(a.SetValue(101), "値は 0 ～ 100 の範囲で指定して下さい.");
    EXPECT_FALSE(a.Changed());
    EXPECT_EQ(a.SetValue(50), "");
    EXPECT_EQ(a.SetText("200"), "") << "the value read, put back, passes outside the limits";
    EXPECT_FALSE(a.Changed() || !a.Refusal().empty());
    EXPECT_EQ(a.SetValue(50), "");
    EXPECT_EQ(b.SetValue(0x10000), "値は 0 ～ 65535 の範囲で指定して下さい.") << "the width";
    EXPECT_EQ(b.SetValue(0x1234), "");
    EXPECT_FALSE(b.Changed()) << "the value shown";
    EXPECT_EQ(b.SetValue(0x0102), "");
    EXPECT_EQ(d.SetValue(5), "");
    EXPECT_FALSE(c.Changed() || d.Changed());
    EXPECT_EQ(tool.Apply(), (Log{"close", "write 0+1", "write 1+2", "write 8+1", "close"}));
    EXPECT_EQ(tool.Target.Bytes, (Bytes{50, 1, 2, 0xFF, 0xFF, 0xFF, 0xFF, 0, 0x77}));
    EXPECT_FALSE(a.Changed());
    EXPECT_EQ(a.SetValue(200), "値は 0 ～ 100 の範囲で指定して下さい.")
        << "the field holds what the apply wrote, no longer the value read";
}

// The filer's limits within what the width holds; limits the width cannot meet at all give
// way to the width's own, so a message never names an empty range.
TEST(IntegerField, LimitsTheWidthCanHold) {
    struct Case {
        const char* filer;
        std::int64_t low, high;
    };
    const Case cases[] = {
        {"EDITINTEGER(f, 0, 1, 300, 400)", 0, 255},
        {"EDITINTEGER(f, 0, 1, 100, 300)", 100, 255},
        {"EDITINTEGER(f, 0, 2, 0xFFFFFFFB, 0xFFFFFFFE)", 0, 65535},
        {"EDITINTEGER(f, 0, 4, 0xFFFFFFFB, 10)", -5, 10},
        {"EDITINTEGER(f, 0, 4, 0, 0)", INT32_MIN, INT32_MAX},
    };
    for (const Case& c : cases) {
        test::TFilerTool tool(c.filer, Bytes(4, 0));
        auto& f = tool.Field<TIntegerFieldModel>(0);
        EXPECT_EQ(f.Limits().Low, c.low) << c.filer;
        EXPECT_EQ(f.Limits().High, c.high) << c.filer;
        EXPECT_EQ(f.CheckValue(c.high + 1), "値は " + std::to_string(c.low) + " ～ " +
                                                std::to_string(c.high) + " の範囲で指定して下さい.")
            << c.filer;
    }
}

TEST(StringField, ShowsPrintableCharactersAndWritesOnlyEdits) {
    test::TFilerTool tool("EDITSTRING(s, 0, 6, 0x2E) EDITSTRING(t, 6, 2, 0)",
                          {0x41, 0x00, 0x42, 0x82, 0xA0, 0xFF, 0x82, 0x7F});
    auto& s = tool.Field<TStringFieldModel>(0);
    EXPECT_EQ(s.Text(), "A Bあ");
    EXPECT_EQ(tool.Field<TStringFieldModel>(1).Text(), "") << "a lone lead byte, then DEL";
    const Bytes read = tool.Target.Bytes;
    EXPECT_EQ(tool.Apply(), NoWrites);
    EXPECT_EQ(tool.Target.Bytes, read);

    EXPECT_EQ(s.SetText("한"), "Shift JIS で表せない文字は入力できません.");
    EXPECT_EQ(s.SetText("ABCDEFG"), "文字列が長すぎます. この欄には 6 バイトまで入力できます.");
    EXPECT_EQ(s.Text(), "A Bあ");
    EXPECT_EQ(s.SetText("日本?"), "");
    EXPECT_EQ(tool.Apply(), (Log{"close", "write 0+6", "close"}));
    EXPECT_EQ(tool.Target.Bytes, (Bytes{0x93, 0xFA, 0x96, 0x7B, '?', '.', 0x82, 0x7F}));

    EXPECT_EQ(s.SetText("x"), "");
    EXPECT_EQ(s.SetText("日本?"), "");
    EXPECT_FALSE(s.Changed()) << "typed back to the text it holds";

    EXPECT_EQ(s.SetText("x"), "");
    tool.Target.Bytes.resize(5);
    EXPECT_EQ(tool.Apply(), NoWrites) << "the field has fallen out of range since the read";
    EXPECT_TRUE(s.Changed()) << "the edit is not written";
    tool.Read();
    EXPECT_EQ(s.Text(), "x") << "a field past the end keeps what it showed";
    EXPECT_FALSE(s.Changed());
}

// Two bits and an integer over one byte: the unchanged ones do not undo the edited one.
TEST(BitField, WritesOnlyItsOwnBitWhenEdited) {
    test::TFilerTool tool("EDITBIT(b0, 0, 0) EDITBIT(b7, 0, 7) EDITINTEGER(i, 0, 1, 0, 0)\n"
                          "EDITBIT(far, 1, 0)",
                          {0x81});
    auto& b0 = tool.Field<TBitFieldModel>(0);
    auto& b7 = tool.Field<TBitFieldModel>(1);
    EXPECT_TRUE(b0.Checked() && b7.Checked());
    EXPECT_FALSE(tool.Field(3).InRange());
    EXPECT_EQ(tool.Apply(), NoWrites);
    b0.SetChecked(false);
    b7.SetChecked(true);
    EXPECT_FALSE(b7.Changed());
    EXPECT_EQ(tool.Apply(), (Log{"close", "write 0+1", "close"}));
    EXPECT_EQ(tool.Target.Bytes, Bytes{0x80});
}

TEST(SelectField, KeepsAValueTheListLacksUntilAnotherIsPicked) {
    test::TFilerTool tool("EDITSELECT(s, 0, 2, 1=>one, 8=>eight, 8=>acht)\n"
                          "BIGENDIAN EDITSELECT(t, 2, 4, 0=>zero) EDITSELECT(u, 6, 1, 8=>a, 8=>b)",
                          {0x0C, 0x00, 0xFF, 0xFF, 0xFF, 0xFE, 0x08});
    auto& s = tool.Field<TSelectFieldModel>(0);
    EXPECT_EQ(s.Items(),
              (std::vector<TSelectItem>{
                  {"0x000C (一覧にない値)", 12}, {"one", 1}, {"eight", 8}, {"acht", 8}}));
    EXPECT_EQ(s.Selected(), 0);
    EXPECT_EQ(tool.Field<TSelectFieldModel>(1).Items()[0].Label, "0xFFFFFFFE (一覧にない値)");
    EXPECT_EQ(tool.Field<TSelectFieldModel>(2).Selected(), 1) << "the last equal option";
    const Bytes read = tool.Target.Bytes;
    EXPECT_EQ(tool.Apply(), NoWrites);
    EXPECT_EQ(tool.Target.Bytes, read);

    s.Select(4);
    EXPECT_FALSE(s.Changed());
    s.Select(1);
    EXPECT_EQ(tool.Apply(), (Log{"close", "write 0+2", "close"}));
    EXPECT_EQ(tool.Target.Bytes[0], 1);
    s.Select(0);
    tool.Apply();
    EXPECT_EQ(tool.Target.Bytes, read) << "the unlisted item keeps its value";

    tool.Target.Bytes[0] = 8;
    tool.Read();
    EXPECT_EQ(s.Items().size(), 3u);
    EXPECT_EQ(s.Selected(), 2);
    s.Select(0);
    s.Select(2);
    EXPECT_FALSE(s.Changed()) << "chosen back";
}


// Through the editor core, each procedure's writes come back with a single undo.
TEST(EditorFilerTarget, OneApplyIsOneUndoStep) {
    test::TScriptedEditorHost host;
    TEditorCore editor(host);
    test::Append(editor.Module(), Bytes{1, 2, 3, 4, 5, 6});
    TEditorFilerTarget target(editor);
    const test::TParsed filer = test::Parse("EDITINTEGER(i, 2, 2, 0, 0)\n"
                                            "INITIALIZE CLEAR(4, 2, 0xEE)\n"
                                            "FINALIZE WRITEPATTERNHEX(0, 2, AB)");
    TIntegerFieldModel field(BuildFilerLayout(filer.Edit).Pages.at(0).Items.at(0));
    const std::vector<TFilerField*> fields{&field};

    ReadFilerFields(target, host, filer.Initialize, fields);
    EXPECT_EQ(field.Value(), 0x0403);
    EXPECT_EQ(field.SetValue(0x7777), "");
    EXPECT_TRUE(WriteFilerFields(target, host, filer.Finalize, fields));
    EXPECT_EQ(test::Contents(editor.Module()), (Bytes{0xAB, 0xAB, 0x77, 0x77, 0xEE, 0xEE}));

    editor.History().Undo();
    EXPECT_EQ(test::Contents(editor.Module()), (Bytes{1, 2, 3, 4, 0xEE, 0xEE}));
    editor.History().Undo();
    EXPECT_EQ(test::Contents(editor.Module()), (Bytes{1, 2, 3, 4, 5, 6}));
    EXPECT_FALSE(editor.History().CanUndo());

    // View-only: the fields are filled, but nothing is run or written.
    editor.SetInputMode(TInputMode::ViewOnly);
    ReadFilerFields(target, host, filer.Initialize, fields);
    EXPECT_EQ(field.SetValue(0x0102), "");
    EXPECT_FALSE(WriteFilerFields(target, host, filer.Finalize, fields));
    EXPECT_EQ(test::Contents(editor.Module()), (Bytes{1, 2, 3, 4, 5, 6}));
}

} // namespace
} // namespace mv
