#pragma once

#include "core/datastore/address.h"
#include "core/datastore/memory_module.h"

#include <cstdint>
#include <span>
#include <vector>

namespace mv {

class TEditorCore;

enum class TSearchDirection : std::uint8_t { Forward = 0, Backward = 1 };

// Search and replace over the editor's store. Keeps the last pattern for SEARCHNEXT and
// SEARCHPREV, moves the caret to hits and highlights them, and applies replacements through
// the edit history.
class TSearchEngine {
public:
    explicit TSearchEngine(TEditorCore& editor) : editor_(editor) {}
    TSearchEngine(const TSearchEngine&) = delete;
    TSearchEngine& operator=(const TSearchEngine&) = delete;

    // Stores a copy of the pattern and searches from the caret, the caret's own byte
    // included; only places that differ from the comparison target when asked and comparing.
    // Warns "検索情報が見付かりません." without a hit.
    void Search(std::span<const Byte> pattern, TSearchDirection direction, bool onlyDifferences);
    // SEARCHNEXT / SEARCHPREV: the stored pattern again, skipping the hit under the caret;
    // without a stored pattern the SEARCH command runs instead.
    void SearchAgain(TSearchDirection direction);
    // Replaces from the caret, asking per hit when confirming; all replacements of one call
    // are one undo step. Refused in view-only mode. Unless the user cancels, the run ends
    // with a message: how many matches it replaced, or "検索情報が見付かりません.".
    void Replace(std::span<const Byte> search, std::span<const Byte> replacement,
                 bool onlyDifferences, bool confirm, TSearchDirection direction);
    // True when a pattern is stored with the same non-zero length and bytes.
    [[nodiscard]] bool SamePattern(std::span<const Byte> pattern) const;
    // Whether the stored search counts only places that differ from the comparison target.
    [[nodiscard]] bool LimitedToDifferences() const { return record_.DifferenceTarget != nullptr; }
    // Ending a comparison stops searches from being limited by its target.
    void ForgetDifferenceTarget(const TMemoryModule* target);

private:
    class TChangeHold;
    struct TReplaceTally {
        std::int64_t Found = 0;
        std::int64_t Replaced = 0;
        bool Cancelled = false;
    };

    void Store(std::span<const Byte> pattern, TSearchDirection direction, bool onlyDifferences);
    // The replace loop over the stored record, leaving the caret after the last replacement.
    TReplaceTally ReplaceHits(std::span<const Byte> replacement, bool confirm);
    // Runs the scan from the record; on a hit moves the caret there and highlights it.
    void Find();

    TEditorCore& editor_;
    std::vector<Byte> pattern_;
    bool hasPattern_ = false;
    TSearchRecord record_;
};

} // namespace mv
