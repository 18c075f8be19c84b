#include "core/binaryview/editor_core.h"
#include "core/filer/editor_filer_target.h"
#include "core/filer/filer_analyzer.h"
#include "core/filer/filer_field.h"

#include "filer_fakes.h"
#include "support/scripted_editor_host.h"
#include "support/store_bytes.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace mv {
namespace {

using Bytes = std::vector<Byte>;

struct TFiler {
    explicit TFiler(const std::string& text) {
        const TAnalyzeError result = AnalyzeFilerText(text, Initialize, Edit, Finalize);
        EXPECT_FALSE(result.IsError) << result.Message;
    }
    TFilerCommands Initialize, Edit, Finalize;
};

TFilerItem IntegerField(std::int64_t address, std::int32_t width) {
    TFilerItem item;
    item.Kind = TFilerItemKind::EditInteger;
    item.Address = address;
    item.Width = width;
    return item;
}

class FilerFields : public testing::Test {
protected:
    std::vector<TFilerField*> Fields() { return {&first, &second}; }

    TFiler filer{"INITIALIZE WRITEINTEGER(0, 1, 7) FINALIZE WRITEINTEGER(3, 1, 9)"};
    test::TProbeField first{IntegerField(0, 1)};
    test::TProbeField second{IntegerField(2, 2)};
    test::TVectorTarget target{Bytes{1, 0, 0x34, 0x12}};
    test::TScriptedHost host;
};

// Reading runs the initialization as an undo step of its own; writing makes the fields and
// the finalization one step.
TEST_F(FilerFields, ReadingAndWritingCloseTheirUndoSteps) {
    ReadFilerFields(target, host, filer.Initialize, Fields());
    EXPECT_EQ(target.Log, (std::vector<std::string>{"close", "write 0+1", "close"}));
    EXPECT_EQ(first.Value, 7) << "fields read after the initialization";
    EXPECT_EQ(second.Value, 0x1234);

    target.Log.clear();
    first.Value = 5;
    second.Value = 0x0102;
    EXPECT_TRUE(WriteFilerFields(target, host, filer.Finalize, Fields()));
    EXPECT_EQ(target.Log,
              (std::vector<std::string>{"close", "write 0+1", "write 2+2", "write 3+1", "close"}));
    EXPECT_EQ(target.Bytes, (Bytes{5, 0, 2, 9}));
}

// Through the editor core, each procedure's writes come back with a single undo.
TEST(EditorFilerTarget, OneApplyIsOneUndoStep) {
    test::TScriptedEditorHost host;
    TEditorCore editor(host);
    test::Append(editor.Module(), Bytes{1, 2, 3, 4, 5, 6});
    TEditorFilerTarget target(editor);
    TFiler filer("INITIALIZE CLEAR(4, 2, 0xEE) FINALIZE WRITEPATTERNHEX(0, 2, AB)");
    test::TProbeField field(IntegerField(2, 2));

    const std::vector<TFilerField*> fields{&field};
    ReadFilerFields(target, host, filer.Initialize, fields);
    EXPECT_EQ(field.Value, 0x0403);
    field.Value = 0x7777;
    EXPECT_TRUE(WriteFilerFields(target, host, filer.Finalize, fields));
    EXPECT_EQ(test::Contents(editor.Module()), (Bytes{0xAB, 0xAB, 0x77, 0x77, 0xEE, 0xEE}));

    editor.History().Undo();
    EXPECT_EQ(test::Contents(editor.Module()), (Bytes{1, 2, 3, 4, 0xEE, 0xEE}));
    editor.History().Undo();
    EXPECT_EQ(test::Contents(editor.Module()), (Bytes{1, 2, 3, 4, 5, 6}));
    EXPECT_FALSE(editor.History().CanUndo());

    // View-only: the fields are filled, but nothing is run or written.
    editor.SetInputMode(TInputMode::ViewOnly);
    field.Value = 0;
    ReadFilerFields(target, host, filer.Initialize, fields);
    EXPECT_EQ(field.Value, 0x0403);
    EXPECT_FALSE(WriteFilerFields(target, host, filer.Finalize, fields));
    EXPECT_EQ(test::Contents(editor.Module()), (Bytes{1, 2, 3, 4, 5, 6}));
}

} // namespace
} // namespace mv
