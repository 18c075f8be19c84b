#pragma once

#include "bench_data.h"

#include "core/datastore/memory_module.h"

#include <memory>

namespace mv::bench {

// Each function measures one group of figures and prints one line per figure. They throw
// std::runtime_error when a store operation or a reference tool fails or answers wrongly.

// Load against cat, and the peak memory of the first load, which must come first in the
// process. Answers the last store loaded, for the figures that need a loaded store.
[[nodiscard]] std::unique_ptr<TMemoryModule> MeasureLoad(const TBenchFiles& files);
void MeasureSave(const TMemoryModule& store, const TBenchFiles& files);
// Forward and backward scans for a pattern the data lacks, against grep.
void MeasureSearch(const TMemoryModule& store, const TBenchFiles& files);
// Single-byte inserts and deletes around the middle; the store keeps its size.
void MeasureEdits(TMemoryModule& store);
// A difference scan over two identical stores, against cmp.
void MeasureDifference(const TBenchFiles& files);
// Compaction of a freshly loaded store fragmented by scattered inserts.
void MeasureCompact(const TBenchFiles& files);

} // namespace mv::bench
