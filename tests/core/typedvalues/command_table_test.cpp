#include "core/typedvalues/command_table.h"

#include "core/typedvalues/sjis_utf8.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

namespace mv {
namespace {

// A name or number that two entries shared would find the other entry for one of them, so
// this also proves names and numbers unique.
TEST(CommandTable, EveryEntryIsFoundByItsNameInAnyCaseAndByItsNumber) {
    for (const TCommandEntry& entry : CommandTable()) {
        std::string lower(entry.Name);
        std::ranges::transform(lower, lower.begin(), [](char c) {
            return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
        });
        EXPECT_EQ(CommandIdOf(entry.Name), entry.Id) << entry.Name;
        EXPECT_EQ(CommandIdOf(lower), entry.Id) << lower;
        EXPECT_EQ(CommandEntryOf(entry.Id), &entry) << entry.Id;
    }
}

// Every label and description was Shift JIS text, so each must convert without loss; a
// full-width katakana where a half-width one belongs would convert too, hence the byte check.
TEST(CommandTable, TextsAreShiftJisWithHalfWidthKatakanaWhereTheLabelsHaveThem) {
    for (const TCommandEntry& entry : CommandTable()) {
        EXPECT_EQ(Utf8ToShiftJis(entry.ShortLabel).find('?'), std::string::npos) << entry.Name;
        EXPECT_EQ(Utf8ToShiftJis(entry.Description).find('?'), std::string::npos) << entry.Name;
    }
    EXPECT_EQ(Utf8ToShiftJis(CommandEntryOf(CommandIdOf("PAGEUP"))->ShortLabel),
              "P\xB1\xAF\xCC\xDF");
}

} // namespace
} // namespace mv
