#pragma once

#include "core/config/environment.h"
#include "core/datastore/address.h"

#include <array>
#include <cstdint>
#include <string>

namespace mv {

class TEditorCore;

// What a document window compares with.
enum class TCompareMode : std::uint8_t { None = 0, File = 1, Window = 2, Present = 3 };
// Which figure the status bar's gauge shows.
enum class TInfoMode : std::uint8_t { MemoryEfficiency = 0, UndoUse = 1 };

// The facts the status bar shows, gathered from the editor and its window.
struct TStatusFacts {
    bool Modified = false;
    TInputMode InputMode = TInputMode::Overwrite;
    TCheckSum CheckSum = TCheckSum::Simple;
    bool ExpandTenKey = false;
    TCompareMode CompareMode = TCompareMode::None;
    TInfoMode InfoMode = TInfoMode::MemoryEfficiency;
    std::int64_t MemoryBytes = 0; // the bytes held in memory blocks
    std::int32_t BlockCount = 0;
    std::int64_t UndoUsed = 0;
    std::int64_t UndoCapacity = 0;
};

// The editor's part of the facts; the window adds its comparison and gauge choice.
[[nodiscard]] TStatusFacts StatusFactsOf(const TEditorCore& core, TCompareMode compareMode,
                                         TInfoMode infoMode);

// Panels 0 to 4 (modified, input mode, checksum, extended ten-key, comparison) and the gauge.
inline constexpr int StatusTextPanelCount = 5;
struct TStatusTexts {
    std::array<std::string, StatusTextPanelCount> Panels;
    std::string Gauge;
};
[[nodiscard]] TStatusTexts StatusTexts(const TStatusFacts& facts);

// Size * 100 / (blocks * 4096) in 64 bits; 100 without blocks.
[[nodiscard]] int MemoryEfficiencyPercent(Address size, std::int32_t blockCount);
// Used * 100 / capacity. A buffer of no size is reported as full (100): it cannot keep a single
// step, which is exactly what the gauge is there to warn about.
[[nodiscard]] int UndoUsePercent(std::int64_t used, std::int64_t capacity);

} // namespace mv
