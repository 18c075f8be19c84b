#include "core/document/status_texts.h"

#include "core/binaryview/editor_core.h"
#include "core/datastore/memory_module.h"

#include <array>
#include <cstdio>

namespace mv {
namespace {

constexpr std::int64_t BlockBytes = 4096;

std::string InputModeText(TInputMode mode) {
    static constexpr std::array<const char*, 3> texts{"上書", "挿入", "閲覧"};
    const auto index = static_cast<std::size_t>(mode);
    return index < texts.size() ? texts[index] : "";
}

std::string CompareText(TCompareMode mode) {
    static constexpr std::array<const char*, 4> texts{
        "", "比較 : 指定ﾌｧｲﾙ", "比較 : 指定ｳｨﾝﾄﾞｳ", "比較 : 現状ﾌｧｲﾙ"};
    const auto index = static_cast<std::size_t>(mode);
    return index < texts.size() ? texts[index] : "";
}

std::string GaugeText(const char* label, int percent) {
    char text[64];
    std::snprintf(text, sizeof text, "%s %d%%", label, percent);
    return text;
}

} // namespace

int MemoryEfficiencyPercent(Address size, std::int32_t blockCount) {
    if (blockCount <= 0) return 100;
    return static_cast<int>(std::int64_t{size} * 100 / (std::int64_t{blockCount} * BlockBytes));
}

int UndoUsePercent(std::int64_t used, std::int64_t capacity) {
    if (capacity <= 0) return 100;
    return static_cast<int>(used * 100 / capacity);
}

TStatusFacts StatusFactsOf(const TEditorCore& core, TCompareMode compareMode, TInfoMode infoMode) {
    TStatusFacts facts;
    facts.Modified = core.Module().IsModified();
    facts.InputMode = core.InputMode();
    facts.CheckSum = core.CheckSum();
    facts.ExpandTenKey = core.ExpandTenKey();
    facts.CompareMode = compareMode;
    facts.InfoMode = infoMode;
    facts.MemoryBytes = core.Module().MemoryBytes();
    facts.BlockCount = core.Module().BlockCount();
    facts.UndoUsed = core.History().Used();
    facts.UndoCapacity = core.History().Capacity();
    return facts;
}

TStatusTexts StatusTexts(const TStatusFacts& facts) {
    TStatusTexts texts;
    texts.Panels = {facts.Modified ? "変更" : "", InputModeText(facts.InputMode),
                    facts.CheckSum == TCheckSum::Ascii ? "ASC" : "単純",
                    facts.ExpandTenKey ? "拡張" : "", CompareText(facts.CompareMode)};
    texts.Gauge = facts.InfoMode == TInfoMode::UndoUse
                      ? GaugeText("ｱﾝﾄﾞｩﾊﾞｯﾌｧ利用率", UndoUsePercent(facts.UndoUsed, facts.UndoCapacity))
                      : GaugeText("ﾒﾓﾘ利用効率", MemoryEfficiencyPercent(facts.MemoryBytes, facts.BlockCount));
    return texts;
}

} // namespace mv
