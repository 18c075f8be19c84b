#include "core/datastore/edit_history.h"
#include "core/datastore/memory_module.h"
#include "support/scripted_host.h"

#include <gtest/gtest.h>

#include <memory>
#include <new>
#include <numeric>
#include <string>
#include <vector>

namespace mv {
namespace {

using Bytes = std::vector<Byte>;

Bytes Text(std::string_view text) {
    return Bytes(text.begin(), text.end());
}

Bytes Counting(ByteCount size) {
    Bytes bytes(size);
    std::iota(bytes.begin(), bytes.end(), Byte{0});
    return bytes;
}

TEditRequest WithData(TEditKind kind, Address address, const Bytes& data, ByteCount count = 0) {
    TEditRequest request;
    request.Kind = kind;
    request.Address = address;
    request.Data = data.data();
    request.Length = static_cast<std::int32_t>(data.size());
    request.Count = count;
    return request;
}

// A request over a range; amount is the rotation amount of the rotations.
TEditRequest Ranged(TEditKind kind, Address address, ByteCount count, std::int32_t amount = 0) {
    TEditRequest request;
    request.Kind = kind;
    request.Address = address;
    request.Length = amount;
    request.Count = count;
    return request;
}

// One document: a module with its history, and what the history told the view.
struct Document {
    explicit Document(const Bytes& initial = {}) {
        module.InsertBytes(initial.data(), 0, static_cast<ByteCount>(initial.size()));
        history.OnPlaceCaret = [this](TCaretState caret) { carets.push_back(caret); };
        history.OnChange = [this] { ++changes; };
    }

    [[nodiscard]] Bytes Contents() const {
        Bytes bytes(module.Size());
        module.ReadBytes(bytes.data(), 0, module.Size());
        return bytes;
    }

    // Undoes until nothing is left; answers the number of steps.
    int UndoAll() {
        int steps = 0;
        for (; history.CanUndo(); ++steps)
            history.Undo();
        return steps;
    }

    TMemoryModule module;
    test::TScriptedHost host;
    TEditHistory history{module, host};
    std::vector<TCaretState> carets;
    int changes = 0;
};

TEST(EditHistory, TypingIsOneUndoStepOnlyWhileTheGroupStays) {
    struct Case {
        bool advance;
        int undoSteps;
    };
    for (const Case c : {Case{false, 1}, Case{true, 3}}) {
        SCOPED_TRACE(c.advance);
        Document doc(Bytes{0x00, 0x00});
        // Three hexadecimal digits typed in overwrite mode: "1", "2", "3".
        const struct {
            Address address;
            Byte value;
            TCaretState before, after;
        } typed[] = {
            {0, 0x10, {0, 0}, {0, 1}}, {0, 0x12, {0, 1}, {1, 0}}, {1, 0x30, {1, 0}, {1, 1}}};
        for (const auto& t : typed) {
            const Bytes data{t.value};
            TEditRequest request = WithData(TEditKind::Overwrite, t.address, data);
            request.CaretBefore = t.before;
            request.CaretAfter = t.after;
            doc.history.Apply(request, true);
            if (c.advance) doc.history.AdvanceGroup();
        }
        EXPECT_EQ(doc.Contents(), (Bytes{0x12, 0x30}));
        EXPECT_EQ(doc.carets.back(), (TCaretState{1, 1}));

        EXPECT_EQ(doc.UndoAll(), c.undoSteps);
        EXPECT_EQ(doc.Contents(), (Bytes{0x00, 0x00}));
        EXPECT_EQ(doc.carets.back(), (TCaretState{0, 0}));
        EXPECT_TRUE(doc.history.CanRedo());
    }
}

TEST(EditHistory, GroupOfReplacementsUndoesAndRedoesAsOneStep) {
    Document doc(Text("ab-ab-ab-ab-ab"));
    const Bytes xyz = Text("xyz");
    TCaretState caret{13, 1};
    for (Address at = 0; at < 20; at += 4) { // each "xyz" shifts the next match by one
        TEditRequest request = WithData(TEditKind::Replace, at, xyz, 2);
        request.CaretBefore = caret;
        request.CaretAfter = caret = {at + 3, 0};
        doc.history.Apply(request, false);
    }
    doc.history.AdvanceGroup();
    EXPECT_EQ(doc.Contents(), Text("xyz-xyz-xyz-xyz-xyz"));
    EXPECT_TRUE(doc.carets.empty());

    doc.history.Undo();
    EXPECT_EQ(doc.Contents(), Text("ab-ab-ab-ab-ab"));
    EXPECT_FALSE(doc.history.CanUndo());
    EXPECT_EQ(doc.carets, (std::vector<TCaretState>{{13, 1}}));

    doc.history.Redo();
    EXPECT_EQ(doc.Contents(), Text("xyz-xyz-xyz-xyz-xyz"));
    EXPECT_FALSE(doc.history.CanRedo());
    EXPECT_EQ(doc.carets.back(), (TCaretState{19, 0}));
}

TEST(EditHistory, GroupLargerThanCapacityIsDroppedButTheChangeStays) {
    Document doc;
    doc.history.ApplySettings(1, false);
    doc.history.UndoOverflowSound = false;
    const Bytes pasted(2000, 0x5A);
    doc.history.Apply(WithData(TEditKind::Insert, 0, pasted), true);
    EXPECT_EQ(doc.Contents(), pasted);
    EXPECT_FALSE(doc.history.CanUndo() || doc.history.CanRedo());
    EXPECT_EQ(doc.history.Used(), 0);
    EXPECT_EQ(doc.host.Beeps, 0);
    EXPECT_EQ(doc.changes, 1);
}

TEST(EditHistory, GroupOverflowingMidwayKeepsNoneOfItsLaterChanges) {
    Document doc(Bytes(40, 0x00));
    doc.history.ApplySettings(1, false); // room for 17 records of 60
    const Bytes one{0xAA};
    for (Address at = 0; at < 40; ++at) {
        TEditRequest request = WithData(TEditKind::Replace, at, one, 1);
        request.CaretBefore = {at, 0};
        doc.history.Apply(request, false);
    }
    EXPECT_EQ(doc.Contents(), Bytes(40, 0xAA));
    EXPECT_FALSE(doc.history.CanUndo()) << "undo would revert only the last changes";
    EXPECT_EQ(doc.history.Used(), 0);
    EXPECT_EQ(doc.host.Beeps, 1);
    EXPECT_EQ(doc.changes, 40);

    // The next group is recorded again.
    doc.history.AdvanceGroup();
    doc.history.Apply(WithData(TEditKind::Replace, 0, Bytes{0x01}, 1), false);
    doc.history.Undo();
    EXPECT_EQ(doc.Contents(), Bytes(40, 0xAA));
    EXPECT_FALSE(doc.history.CanUndo());

    // So is the same group after the history was cleared.
    doc.history.Apply(WithData(TEditKind::Replace, 0, Bytes{0x01}, 1), false);
    doc.history.Apply(WithData(TEditKind::Replace, 1, Bytes{0x02}, 1), false);
    for (int i = 0; i < 17; ++i)
        doc.history.Apply(WithData(TEditKind::Replace, 2, Bytes{0x03}, 1), false);
    doc.history.Clear();
    doc.history.Apply(WithData(TEditKind::Replace, 3, Bytes{0x04}, 1), false);
    EXPECT_TRUE(doc.history.CanUndo());
}

TEST(EditHistory, TrimDropsOldestGroupsWithABeepEachAndKeepsTheRedoTail) {
    Document doc;
    const Bytes a(600, 'a'), b(500, 'b');
    doc.history.Apply(WithData(TEditKind::Insert, 0, a), true);
    doc.history.AdvanceGroup();
    doc.history.Apply(WithData(TEditKind::Insert, 600, b), true);
    doc.history.AdvanceGroup();
    doc.history.Undo();

    const int changes = doc.changes;
    doc.history.ApplySettings(1, true);
    EXPECT_EQ(doc.host.Beeps, 1);
    EXPECT_EQ(doc.changes, changes + 1);
    EXPECT_FALSE(doc.history.CanUndo());
    ASSERT_TRUE(doc.history.CanRedo());
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
        const Bytes one{0x01};
        doc.history.Apply(WithData(TEditKind::Insert, at, one), true);
        doc.history.AdvanceGroup();
    }
    doc.history.ApplySettings(0, false);
    EXPECT_EQ(doc.host.Beeps, 2 + 3);
    EXPECT_FALSE(doc.history.CanUndo());
}

TEST(EditHistory, FlushAsksOnlyWhenThereIsHistoryAndClearsOnYes) {
    Document empty;
    empty.history.Flush(); // the scripted host fails the test on any dialog
    EXPECT_EQ(empty.changes, 0);

    struct Case {
        bool onlyRedoable;
        TModalResult answer;
        bool cleared;
    };
    for (const Case c : {Case{false, mrAbort, false}, Case{true, mrYes, true}}) {
        SCOPED_TRACE(testing::Message() << c.onlyRedoable << " " << c.answer);
        Document doc;
        const Bytes data = Text("hello");
        doc.history.Apply(WithData(TEditKind::Insert, 0, data), true);
        if (c.onlyRedoable) doc.history.Undo();
        const int changesBefore = doc.changes;

        doc.host.Answer(c.answer);
        doc.history.Flush();
        ASSERT_EQ(doc.host.Dialogs.size(), 1u);
        const auto& dialog = doc.host.Dialogs[0];
        EXPECT_EQ(dialog.Text,
                  "履歴を消去しようとしています.\r\n"
                  "この処理を行うと今まで行った処理を元に戻したりやり直し出来なくなります."
                  "\r\n履歴の消去を実行しますか？");
        EXPECT_EQ(dialog.Type, TMsgDlgType::mtConfirmation);
        EXPECT_TRUE(dialog.Buttons.Contains(TMsgDlgBtn::mbAbort));

        EXPECT_EQ(doc.history.CanUndo() || doc.history.CanRedo(), !c.cleared);
        EXPECT_EQ(doc.history.Used(), c.cleared ? 0 : 65);
        EXPECT_EQ(doc.changes, changesBefore + (c.cleared ? 1 : 0));
    }
}

TEST(EditHistory, BudgetChargesDataOnlyBeyondFourBytes) {
    const Bytes four(4, 0xEE), five(5, 0xEE);
    struct Case {
        const char* name;
        TEditRequest request;
        std::int64_t cost;
    };
    const Case cases[] = {
        {"insert 4", WithData(TEditKind::Insert, 3, four), 60},
        {"insert 5", WithData(TEditKind::Insert, 3, five), 65},
        {"overwrite 5 over 5", WithData(TEditKind::Overwrite, 3, five), 70},
        {"overwrite 5 over the last 4", WithData(TEditKind::Overwrite, 12, five), 65},
        {"replace 4 by 5", WithData(TEditKind::Replace, 3, five, 4), 65},
        {"delete 5", Ranged(TEditKind::Delete, 3, 5), 65},
        {"delete 5 of the last 4", Ranged(TEditKind::Delete, 12, 5), 60},
        {"rotation of 16 bytes", Ranged(TEditKind::BitRotation, 0, 16, 3), 60},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Document doc(Counting(16));
        doc.history.Apply(c.request, true);
        EXPECT_EQ(doc.history.Used(), c.cost);
        doc.history.Undo();
        EXPECT_EQ(doc.Contents(), Counting(16));
        EXPECT_EQ(doc.history.Used(), c.cost) << "undone records stay charged while redoable";
    }
}

TEST(EditHistory, RequestsThatDoNothingLeaveNoRecord) {
    const Bytes data = Text("xyz");
    struct Case {
        const char* name;
        TEditRequest request;
    };
    const Case cases[] = {
        {"bit rotation by 0", Ranged(TEditKind::BitRotation, 0, 4, 0)},
        {"negative address", WithData(TEditKind::Insert, -1, data)},
        {"negative length", Ranged(TEditKind::Insert, 0, 0, -1)},
        {"no data", Ranged(TEditKind::Overwrite, 0, 0, 3)},
        {"negative count", Ranged(TEditKind::Delete, 1, -1)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Document doc(Counting(8));
        doc.history.Apply(c.request, true);
        EXPECT_EQ(doc.Contents(), Counting(8));
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
    const Bytes ten(10, 0xAB);
    struct Case {
        const char* name;
        TEditRequest request;
    };
    const Case cases[] = {
        {"insert into a full block", WithData(TEditKind::Insert, 100, ten)},
        {"overwrite past the end", WithData(TEditKind::Overwrite, 4090, ten)},
        {"replace by more than fits", WithData(TEditKind::Replace, 100, ten, 1)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Document doc(Counting(TMemoryModule::BlockSize));
        const Bytes one{0xFF};
        doc.history.Apply(WithData(TEditKind::Overwrite, 0, one), true);
        doc.history.AdvanceGroup();
        doc.history.Apply(WithData(TEditKind::Overwrite, 1, one), true);
        doc.history.AdvanceGroup();
        doc.history.Undo();
        const Bytes before = doc.Contents();
        const int changes = doc.changes;
        const auto carets = doc.carets.size();

        StarveOfMemory(doc.module);
        EXPECT_THROW(doc.history.Apply(c.request, true), std::bad_alloc);
        EXPECT_EQ(doc.Contents(), before);
        EXPECT_EQ(doc.history.Used(), 2 * 60);
        EXPECT_EQ(doc.changes, changes);
        EXPECT_EQ(doc.carets.size(), carets);
        // Redoing and undoing same-length overwrites needs no memory.
        ASSERT_TRUE(doc.history.CanRedo());
        doc.history.Redo();
        EXPECT_EQ(doc.Contents()[1], 0xFF);
        doc.history.Undo();
        doc.history.Undo();
        EXPECT_EQ(doc.Contents(), Counting(TMemoryModule::BlockSize));
    }
}

TEST(EditHistory, OutOfMemoryDuringUndoKeepsTheRecordUndoable) {
    Document doc(Counting(TMemoryModule::BlockSize));
    doc.history.Apply(Ranged(TEditKind::Delete, 10, 100), true);
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
    EXPECT_EQ(doc.Contents(), Counting(TMemoryModule::BlockSize));
}

} // namespace
} // namespace mv
