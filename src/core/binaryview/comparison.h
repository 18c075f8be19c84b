#pragma once

#include "core/datastore/address.h"
#include "core/datastore/memory_module.h"
#include "core/binaryview/search_engine.h"

#include <memory>
#include <string>

namespace mv {

class TEditorCore;

enum class TCompareStart { Started, AlreadyComparing, LoadFailed };

// Positional comparison of the editor's store with a target: a file loaded for the purpose
// (owned) or another document's store (borrowed, which must outlive the comparison).
class TComparison {
public:
    explicit TComparison(TEditorCore& editor) : editor_(editor) {}
    ~TComparison();
    TComparison(const TComparison&) = delete;
    TComparison& operator=(const TComparison&) = delete;

    // Loads the file into a store of its own; on a load error the view stays as it was
    // and errorCode holds the reason.
    TCompareStart CompareWithFile(const std::string& fileName, int& errorCode);
    TCompareStart CompareWithStore(const TMemoryModule& target);
    // Stops comparing (nothing when not comparing); an owned target is released.
    void End();
    // COMPARENEXT / COMPAREPREV: the next run of differing bytes in that direction, warning
    // "相違点が見付かりません." when there is none. Nothing when not comparing.
    void FindNext(TSearchDirection direction);

    [[nodiscard]] bool Comparing() const { return target_ != nullptr; }
    [[nodiscard]] const TMemoryModule* Target() const { return target_; }

private:
    void Started();

    TEditorCore& editor_;
    std::unique_ptr<TMemoryModule> owned_;
    const TMemoryModule* target_ = nullptr;
};

} // namespace mv
