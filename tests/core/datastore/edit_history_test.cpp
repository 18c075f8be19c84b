#include "core/datastore/edit_history.h"
#include "core/datastore/memory_module.h"
#include "support/scripted_host.h"
#include "support/store_bytes.h"

#include <gtest/gtest.h>

#include <memory>
#include <new>
#include <string>
#include <vector>

namespace mv {
namespace {

using Bytes = std::vector<Byte>;

// A request with data, which must outlive it, or over a range with a rotation amount.
TEditRequest Request(TEditKind kind, Address address, ByteCount count, const Bytes* data,
                     std::int32_t amount = 0) {
    TEditRequest request;
    request.Kind = kind;
    request.Address = address;
    request.Count = count;
    request.Data = data != nullptr ? data->data() : nullptr;
    request.Length = data != nullptr ? static_cast<std::int32_t>(data->size()) : amount;
    return request;
}

// One document: a module with its history, and what the history told the view.
struct Document {
    explicit Document(const Bytes& initial = {}) {
        module.InsertBytes(initial.data(), 0, static_cast<ByteCount>(initial.size()));
        history.OnPlaceCaret = [this](TCaretState caret) { carets.push_back(caret); };
        history.OnChange = [this] { ++changes; };
    }
    [[nodiscard]] Bytes Contents() const { return test::Contents(module); }

    TMemoryModule module;
    test::TScriptedHost host;
    TEditHistory history{module, host};
    std::vector<TCaretState> carets;
    int changes = 0;
};

// With room for 17 records (1 KB), a group of 20 overflows while it is built and the budget
// drops what it has so far. A plain group (packed typing) goes on recording, so its last
// changes stay undoable; an indivisible one (a replace-all) records nothing more of itself, so
// that no undo reverts a part of it.
TEST(EditHistory, GroupOverflowingMidwayKeepsItsLaterChangesUnlessIndivisible) {
    for (const bool indivisible : {false, true}) {
        SCOPED_TRACE(indivisible);
        Document doc(Bytes(20, 0x00));
        doc.history.ApplySettings(1, false);
        if (indivisible) doc.history.MakeGroupIndivisible();
        const Bytes one{0xAA}, two{0xBB};
        for (Address at = 0; at < 20; ++at)
            doc.history.Apply(Request(TEditKind::Overwrite, at, 0, &one), false);
        EXPECT_EQ(doc.host.Beeps, 1);
        EXPECT_EQ(doc.changes, 20);
        Bytes expected(20, 0xAA);
        if (!indivisible) {
            // A replace-all joining the typing's group: the drop before it does not stop it.
            doc.history.MakeGroupIndivisible();
            doc.history.Apply(Request(TEditKind::Overwrite, 0, 0, &two), false);
            expected[18] = expected[19] = 0x00;
        }
        doc.history.Undo();
        EXPECT_EQ(doc.Contents(), expected);
        EXPECT_FALSE(doc.history.CanUndo());

        // The next group is recorded again.
        doc.history.AdvanceGroup();
        doc.history.Apply(Request(TEditKind::Overwrite, 0, 0, &two), false);
        EXPECT_TRUE(doc.history.CanUndo());
    }
}

TEST(EditHistory, TrimDropsOldestGroupsWithABeepEachAndKeepsTheRedoTail) {
    Document doc;
    const Bytes a(600, 'a'), b(500, 'b'), one{0x01};
    doc.history.Apply(Request(TEditKind::Insert, 0, 0, &a), true);
    doc.history.AdvanceGroup();
    doc.history.Apply(Request(TEditKind::Insert, 600, 0, &b), true);
    doc.history.AdvanceGroup();
    doc.history.Undo();

    const int changes = doc.changes;
    doc.history.ApplySettings(1, true);
    EXPECT_EQ(doc.host.Beeps, 1);
    EXPECT_EQ(doc.changes, changes + 1);
    EXPECT_FALSE(doc.history.CanUndo());
    EXPECT_EQ(doc.history.Used(), 560);
    EXPECT_EQ(doc.history.Usage(), 560 * 100 / 1024);
    doc.history.Redo();
    EXPECT_EQ(doc.module.Size(), 1100);
    doc.history.Undo();
    EXPECT_EQ(doc.Contents(), a);

    doc.history.ApplySettings(0, false); // drops the redoable group too
    EXPECT_EQ(doc.host.Beeps, 2);
    EXPECT_FALSE(doc.history.CanRedo());

    doc.history.ApplySettings(1, false);
    for (Address at : {0, 1, 2}) {
        doc.history.Apply(Request(TEditKind::Insert, at, 0, &one), true);
        doc.history.AdvanceGroup();
    }
    doc.history.ApplySettings(0, false);
    EXPECT_EQ(doc.host.Beeps, 2 + 3);
    EXPECT_FALSE(doc.history.CanUndo());
}

TEST(EditHistory, FlushAsksOnlyWhenThereIsHistoryAndClearsOnYes) {
    Document empty;
    empty.history.Flush(); // the scripted host fails the test on any dialog

    const Bytes data(5, 'h');
    for (const bool yes : {false, true}) {
        Document doc;
        doc.history.Apply(Request(TEditKind::Insert, 0, 0, &data), true);
        if (yes) doc.history.Undo(); // a redoable record alone is history too
        const int changesBefore = doc.changes;
        doc.host.Answer(yes ? mrYes : mrAbort);
        doc.history.Flush();
        ASSERT_EQ(doc.host.Dialogs.size(), 1u);
        EXPECT_EQ(doc.host.Dialogs[0].Text,
                  "履歴を消去しようとしています.\r\n"
                  "この処理を行うと今まで行った処理を元に戻したりやり直し出来なくなります."
                  "\r\n履歴の消去を実行しますか？");
        EXPECT_EQ(doc.host.Dialogs[0].Type, TMsgDlgType::mtConfirmation);
        EXPECT_EQ(doc.history.CanUndo() || doc.history.CanRedo(), !yes);
        EXPECT_EQ(doc.history.Used(), yes ? 0 : 65);
        EXPECT_EQ(doc.changes, changesBefore + (yes ? 1 : 0));
    }
}

TEST(EditHistory, BudgetChargesDataOnlyBeyondFourBytes) {
    const Bytes four(4, 0xEE), five(5, 0xEE);
    struct Case {
        TEditRequest request;
        std::int64_t cost;
    };
    const Case cases[] = {
        {Request(TEditKind::Insert, 3, 0, &four), 60},
        {Request(TEditKind::Insert, 3, 0, &five), 65},
        {Request(TEditKind::Overwrite, 3, 0, &five), 70},
        {Request(TEditKind::Overwrite, 12, 0, &five), 65}, // over the last 4
        {Request(TEditKind::Delete, 12, 5, nullptr), 60},  // the last 4
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << int(c.request.Kind) << " at " << c.request.Address);
        Document doc(test::Sequence(16));
        doc.history.Apply(c.request, true);
        EXPECT_EQ(doc.history.Used(), c.cost);
        doc.history.Undo();
        EXPECT_EQ(doc.Contents(), test::Sequence(16));
        EXPECT_EQ(doc.history.Used(), c.cost) << "undone records stay charged while redoable";
    }
}

TEST(EditHistory, RequestsThatDoNothingLeaveNoRecord) {
    const Bytes data(3, 'x');
    const std::pair<const char*, TEditRequest> cases[] = {
        {"rotation by 0", Request(TEditKind::BitRotation, 0, 4, nullptr, 0)},
        {"negative address", Request(TEditKind::Insert, -1, 0, &data)},
        {"negative length", Request(TEditKind::Insert, 0, 0, nullptr, -1)},
        {"no data", Request(TEditKind::Overwrite, 0, 0, nullptr, 3)},
        {"negative count", Request(TEditKind::Delete, 1, -1, nullptr)},
    };
    for (const auto& [name, request] : cases) {
        SCOPED_TRACE(name);
        Document doc(test::Sequence(8));
        doc.history.Apply(request, true);
        EXPECT_EQ(doc.Contents(), test::Sequence(8));
        EXPECT_FALSE(doc.history.CanUndo());
        EXPECT_EQ(doc.changes, 0);
        EXPECT_TRUE(doc.carets.empty());
    }
}

// A module whose block buffers have run out.
void StarveOfMemory(TMemoryModule& module) {
    module.AllocateBuffer = []() -> std::unique_ptr<Byte[]> { throw std::bad_alloc(); };
}

TEST(EditHistory, OutOfMemoryDuringApplyLeavesHistoryAndModuleAsTheyWere) {
    const Bytes ten(10, 0xAB), one{0xFF};
    // Into a full block, and past the end.
    for (const TEditRequest& request :
         {Request(TEditKind::Insert, 100, 0, &ten), Request(TEditKind::Overwrite, 4090, 0, &ten)}) {
        SCOPED_TRACE(int(request.Kind));
        Document doc(test::Sequence(TMemoryModule::BlockSize));
        doc.history.Apply(Request(TEditKind::Overwrite, 0, 0, &one), true);
        doc.history.AdvanceGroup();
        doc.history.Apply(Request(TEditKind::Overwrite, 1, 0, &one), true);
        doc.history.AdvanceGroup();
        doc.history.Undo();
        const Bytes before = doc.Contents();
        const auto [changes, carets] = std::pair(doc.changes, doc.carets.size());

        StarveOfMemory(doc.module);
        doc.host.Answer(mrOk);
        doc.history.Apply(request, true);
        ASSERT_EQ(doc.host.Dialogs.size(), 1u);
        EXPECT_EQ(doc.host.Dialogs[0].Text, OutOfMemoryRefusal);
        EXPECT_EQ(doc.Contents(), before);
        EXPECT_EQ(doc.history.Used(), 2 * 60);
        EXPECT_EQ(std::pair(doc.changes, doc.carets.size()), std::pair(changes, carets));
        doc.history.Redo(); // same-length overwrites need no memory
        EXPECT_EQ(doc.Contents()[1], 0xFF);
        doc.history.Undo();
        doc.history.Undo();
        EXPECT_EQ(doc.Contents(), test::Sequence(TMemoryModule::BlockSize));
    }
}

TEST(EditHistory, OutOfMemoryDuringUndoKeepsTheRecordUndoable) {
    Document doc(test::Sequence(TMemoryModule::BlockSize));
    doc.history.Apply(Request(TEditKind::Delete, 10, 100, nullptr), true);
    const Bytes edited = doc.Contents();
    // Refill the block so that putting the deleted bytes back needs a new one.
    const Bytes filler(100, 0);
    doc.module.InsertBytes(filler.data(), 2000, 100);
    const Bytes full = doc.Contents();

    const auto allocator = doc.module.AllocateBuffer;
    StarveOfMemory(doc.module);
    EXPECT_THROW(doc.history.Undo(), std::bad_alloc);
    EXPECT_EQ(doc.Contents(), full);
    EXPECT_TRUE(doc.history.CanUndo());
    EXPECT_FALSE(doc.history.CanRedo());

    doc.module.AllocateBuffer = allocator;
    doc.module.DeleteBytes(2000, 100);
    ASSERT_EQ(doc.Contents(), edited);
    doc.history.Undo();
    EXPECT_EQ(doc.Contents(), test::Sequence(TMemoryModule::BlockSize));
}

} // namespace
} // namespace mv
