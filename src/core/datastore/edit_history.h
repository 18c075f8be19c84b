#pragma once

#include "core/datastore/address.h"
#include "core/datastore/edit_record.h"
#include "core/datastore/edit_request.h"

#include <cstdint>
#include <functional>
#include <list>
#include <optional>
#include <string_view>

namespace mv {

class TMemoryModule;
class THostServices;

// The undo and redo history of one document. Every change of the module's bytes goes through
// Apply, which performs it and records what is needed to revert it. Records carry a group
// number so that one user action made of several changes is undone and redone as one step.
// The history keeps to a byte budget by dropping its oldest groups.
//
// If a change runs out of memory, Apply says so and leaves the history and the module as
// they were; in an undo or redo, std::bad_alloc reaches the caller after the last record that
// completed.
inline constexpr std::string_view OutOfMemoryRefusal =
    "メモリが不足しているため, この編集は出来ません.\r\nデータは変更されていません.";
inline constexpr std::string_view FixedSizeRefusal =
    "デバイスの大きさは変えられません.\r\n挿入, 削除など長さの変わる編集は出来ません.";

class TEditHistory {
public:
    using GroupNumber = decltype(TEditRecord::Group);
    using PlaceCaretEvent = std::function<void(TCaretState)>;
    using ChangeEvent = std::function<void()>;

    static constexpr std::int32_t DefaultCapacity = 131072;

    TEditHistory(TMemoryModule& module, THostServices& host);
    TEditHistory(const TEditHistory&) = delete;
    TEditHistory& operator=(const TEditHistory&) = delete;

    // Performs and records one change; with moveCaret, places the caret at its CaretAfter.
    // A change joining an indivisible group whose earlier records the budget dropped is not
    // recorded. A rotation by 0 does nothing. Requests with a negative address, length or
    // count, or without data for their length, are refused and change nothing.
    void Apply(const TEditRequest& request, bool moveCaret);
    // Revert / repeat one group; nothing when unavailable.
    void Undo();
    void Redo();
    [[nodiscard]] bool CanUndo() const { return next_ != records_.begin(); }
    [[nodiscard]] bool CanRedo() const { return next_ != records_.end(); }

    // Drops every record and fires OnChange.
    void Clear();
    // Asks for confirmation and clears on Yes; nothing with an empty history.
    void Flush();

    // The group that the next applied record joins; editing commands advance it after their
    // work so that each is one undo step.
    [[nodiscard]] GroupNumber Group() const { return group_; }
    void AdvanceGroup() {
        ++group_;
        groupIndivisible_ = false;
        indivisibleGroupDropped_ = false;
    }
    // Makes the rest of the open group one action that an undo reverts whole or not at all (a
    // replace-all, a filer apply): once the budget drops records of the group, its later
    // changes are performed but not recorded. Other groups (a run of packed typing) go on
    // recording after such a drop, so that the last changes stay undoable.
    void MakeGroupIndivisible() { groupIndivisible_ = true; }

    // Takes the environment's undo settings and trims the history to the new capacity.
    void ApplySettings(std::int32_t undoBufferKilobytes, bool undoPacked);
    [[nodiscard]] std::int64_t Capacity() const { return capacity_; }
    [[nodiscard]] std::int64_t Used() const { return used_; }
    // Used budget as a percentage of the capacity.
    [[nodiscard]] int Usage() const;

    // Read by the view when it decides whether typing advances the group.
    bool UndoPacked = false;
    // Read by the view after a successful save.
    bool UndoFlushWithSaved = true;
    bool UndoOverflowSound = true;

    PlaceCaretEvent OnPlaceCaret;
    ChangeEvent OnChange;

private:
    using Records = std::list<TEditRecord>;

    // The record of a request before it is performed, or nothing for a request that does
    // nothing; throws std::bad_alloc with nothing changed.
    [[nodiscard]] std::optional<TEditRecord> BuildRecord(const TEditRequest& request) const;
    // Whether performing the request would make the data longer or shorter.
    [[nodiscard]] bool ChangesSize(const TEditRequest& request) const;
    // Both mark the data modified: a step that leaves the bytes as they were (a rotation by
    // whole turns, a reversal of one byte) is still an edit, which the module would not mark.
    void Perform(const TEditRecord& record);
    void Revert(const TEditRecord& record);
    // The right rotation, in bits, that a rotation record stands for.
    [[nodiscard]] std::int32_t RotationBits(const TEditRecord& record) const;
    // Drops oldest groups while over budget; answers whether anything was dropped.
    bool Trim();
    void PlaceCaret(TCaretState caret) const;
    void Changed() const;

    TMemoryModule& module_;
    THostServices& host_;
    // Applied records come first, oldest at the front; next_ is the first redoable record
    // (end when there is none), so the current record is the one before it. A list lets a
    // record's node be allocated before its change is made and spliced in without failing.
    Records records_;
    Records::iterator next_ = records_.end();
    GroupNumber group_ = 0;
    bool groupIndivisible_ = false;
    // The budget dropped records of the open group after it became indivisible.
    bool indivisibleGroupDropped_ = false;
    std::int64_t used_ = 0;
    std::int64_t capacity_ = DefaultCapacity;
};

} // namespace mv
