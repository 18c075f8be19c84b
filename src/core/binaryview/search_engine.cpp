#include "core/binaryview/search_engine.h"

#include "core/binaryview/editor_core.h"
#include "core/typedvalues/command_ids.h"

#include <algorithm>
#include <string>
#include <string_view>

namespace mv {

namespace {

constexpr std::string_view kNotFound = "検索情報が見付かりません.";

std::string ReplacedMessage(std::int64_t count) {
    return std::to_string(count) + " 箇所を置換しました.";
}

} // namespace

// A replace-all changes the data once per hit; the window refreshes its panels once for the
// run instead, and before each question, so that the user sees what is done so far.
class TSearchEngine::TChangeHold {
public:
    explicit TChangeHold(TEditorCore& editor)
        : editor_(editor), historyNotice_(std::move(editor.history_.OnChange)),
          wasLocked_(editor.module_.Locked) {
        editor_.module_.Locked = true;
        editor_.history_.OnChange = [this] { held_ = true; };
    }
    ~TChangeHold() {
        editor_.module_.Locked = wasLocked_;
        editor_.history_.OnChange = std::move(historyNotice_);
        if (held_) editor_.Changed();
    }
    TChangeHold(const TChangeHold&) = delete;
    TChangeHold& operator=(const TChangeHold&) = delete;

    // Gives the notice held so far.
    void Give() {
        if (!held_) return;
        held_ = false;
        editor_.Changed();
    }

private:
    TEditorCore& editor_;
    TEditHistory::ChangeEvent historyNotice_;
    bool wasLocked_;
    bool held_ = false;
};

void TSearchEngine::Search(std::span<const Byte> pattern, TSearchDirection direction,
                           bool onlyDifferences) {
    Store(pattern, direction, onlyDifferences);
    Find();
}

void TSearchEngine::SearchAgain(TSearchDirection direction) {
    if (!hasPattern_) {
        editor_.ExecuteCommand(cmd::SEARCH);
        return;
    }
    record_.Position = editor_.CaretAddress();
    record_.Direction = static_cast<std::uint8_t>(direction);
    // The caret still on the last hit: repeating from there must not find it again.
    record_.IncludeStart = editor_.SearchHit ? 0 : 1;
    Find();
}

void TSearchEngine::Replace(std::span<const Byte> search, std::span<const Byte> replacement,
                            bool onlyDifferences, bool confirm, TSearchDirection direction) {
    if (editor_.ViewOnly()) return;
    Store(search, direction, onlyDifferences);
    editor_.module_.CheckSource();
    const TReplaceTally tally = ReplaceHits(replacement, confirm);
    // A run the user cancelled needs no word; any other says what it did.
    if (tally.Cancelled || editor_.ScanStoppedByFault(record_.DifferenceTarget)) return;
    // Stopped by the user, what was replaced stays, as one undo step.
    if (editor_.module_.Stopped() && tally.Found == 0) return;
    if (tally.Found == 0) {
        editor_.host_.MessageDlgBeep(kNotFound, TMsgDlgType::mtWarning, {TMsgDlgBtn::mbOK});
        return;
    }
    editor_.host_.MessageDlgBeep(ReplacedMessage(tally.Replaced), TMsgDlgType::mtInformation,
                                 {TMsgDlgBtn::mbOK});
}

TSearchEngine::TReplaceTally TSearchEngine::ReplaceHits(std::span<const Byte> replacement,
                                                        bool confirm) {
    const ByteCount searchLength = record_.Length;
    const auto replacementLength = static_cast<ByteCount>(replacement.size());
    const bool backward =
        record_.Direction == static_cast<std::uint8_t>(TSearchDirection::Backward);
    TCaretState caret = editor_.Caret();
    TReplaceTally tally;
    // All replacements are one undo step, which the budget keeps whole or not at all.
    editor_.history_.MakeGroupIndivisible();
    TChangeHold changes(editor_);
    for (Address hit; (hit = editor_.module_.SearchPattern(record_)) >= 0;) {
        ++tally.Found;
        bool replace = true;
        if (confirm) {
            changes.Give();
            editor_.SetCaret({hit, 0});
            editor_.SetHighlight(hit, searchLength);
            editor_.host_.HandleOneEvent();
            const TReplaceAnswer answer = editor_.host_.AskReplace();
            if (answer == TReplaceAnswer::Cancel) {
                tally.Cancelled = true;
                break;
            }
            replace = answer != TReplaceAnswer::No;
            confirm = answer != TReplaceAnswer::All;
        }
        // A file at the largest size takes no growing replacement; the hits before stay done.
        if (replace && editor_.WouldOverflow(std::int64_t{replacementLength} - searchLength)) break;
        if (replace) {
            TEditRequest request;
            request.Kind = TEditKind::Replace;
            request.Address = hit;
            request.CaretBefore = {hit, 0};
            request.CaretAfter = {hit + replacementLength, 0};
            request.Data = replacement.data();
            request.Length = replacementLength;
            request.Count = searchLength;
            editor_.history_.Apply(request, false);
            ++tally.Replaced;
            caret = request.CaretAfter;
            // Past the inserted bytes, so that a replacement containing the pattern is never
            // searched again and the loop ends.
            record_.Position = backward ? hit - searchLength : hit + replacementLength;
        } else {
            record_.Position = backward ? hit - 1 : hit + 1;
        }
        if (!confirm && editor_.host_.RepaintDue()) {
            changes.Give(); // the window shows the run so far
            editor_.host_.HandlePendingEvents();
        }
    }
    editor_.SetCaret(caret);
    if (tally.Replaced > 0) editor_.history_.AdvanceGroup();
    return tally;
}

bool TSearchEngine::SamePattern(std::span<const Byte> pattern) const {
    return hasPattern_ && !pattern.empty() && std::ranges::equal(pattern, pattern_);
}

void TSearchEngine::ForgetDifferenceTarget(const TMemoryModule* target) {
    if (record_.DifferenceTarget == target) record_.DifferenceTarget = nullptr;
}

void TSearchEngine::Store(std::span<const Byte> pattern, TSearchDirection direction,
                          bool onlyDifferences) {
    pattern_.assign(pattern.begin(), pattern.end());
    hasPattern_ = true;
    record_.Pattern = pattern_.data();
    record_.Length = static_cast<ByteCount>(pattern_.size());
    record_.Position = editor_.CaretAddress();
    record_.Direction = static_cast<std::uint8_t>(direction);
    record_.IncludeStart = 1;
    record_.DifferenceTarget = onlyDifferences ? editor_.comparison_.Target() : nullptr;
}

void TSearchEngine::Find() {
    editor_.module_.CheckSource();
    const Address hit = editor_.module_.SearchPattern(record_);
    if (hit < 0) {
        // Stopped by the user, the search leaves the caret where it was, and says nothing.
        if (editor_.module_.Stopped() || editor_.ScanStoppedByFault(record_.DifferenceTarget))
            return;
        editor_.host_.MessageDlgBeep(kNotFound, TMsgDlgType::mtWarning, {TMsgDlgBtn::mbOK});
        return;
    }
    // Placing the caret forgets the highlight and the hit flags, so they come after it.
    editor_.SetCaret({hit, 0});
    editor_.SetHighlight(hit, record_.Length);
    editor_.SearchHit = true;
    editor_.history_.AdvanceGroup();
}

} // namespace mv
