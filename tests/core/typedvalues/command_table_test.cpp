#include "core/typedvalues/command_table.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <tuple>

namespace mv {
namespace {

// Key assignments and command lists store commands by name, so names and numbers must each
// find exactly one entry, the names in any case.
TEST(CommandTable, EveryCommandIsFoundByItsNameInAnyCaseAndByItsNumber) {
    std::set<CommandId> ids;
    std::set<std::string_view> names;
    for (const TCommandEntry& entry : CommandTable()) {
        EXPECT_TRUE(ids.insert(entry.Id).second) << entry.Id;
        EXPECT_TRUE(names.insert(entry.Name).second) << entry.Name;
        std::string lower(entry.Name);
        for (char& c : lower)
            if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
        EXPECT_EQ(CommandIdOf(lower), entry.Id) << lower;
        EXPECT_EQ(CommandEntryOf(entry.Id), &entry) << entry.Id;
    }
    EXPECT_EQ(CommandIdOf("UPP"), NoCommand);
    EXPECT_EQ(CommandEntryOf(10000), nullptr);
}

// The first and last entries, a number out of its group's sequence, half-width kana, and a
// short label that differs from its siblings' pattern.
TEST(CommandTable, RepresentativeEntries) {
    const TCommandEntry expected[] = {
        {10001, "UP", "上", "一行上へ移動"},
        {10007, "PAGEUP", "Pｱｯﾌﾟ", "ページアップ"},
        {11005, "RIGHTSEL", "右", "8ビット分右へ移動(範囲選択)"},
        {92007, "ADDRESSJUMP", "ｼﾞｬﾝﾌﾟ", "指定アドレスへジャンプ"},
        {97002, "WEBPAGECS", "CSｳｪﾌﾞ", "Corlith Software のウェブページ"},
        {96006, "GARBAGE", "屑収集", "ガーベージコレクション"},
    };
    ASSERT_EQ(CommandTable().size(), 140u);
    EXPECT_EQ(CommandTable().front().Id, 10001);
    EXPECT_EQ(CommandTable().back().Id, 96006);
    for (const TCommandEntry& wanted : expected) {
        const TCommandEntry* entry = CommandEntryOf(wanted.Id);
        ASSERT_NE(entry, nullptr) << wanted.Id;
        EXPECT_EQ(std::tie(entry->Name, entry->ShortLabel, entry->Description),
                  std::tie(wanted.Name, wanted.ShortLabel, wanted.Description));
    }
    // The address jump stands among the cursor moves in the list despite its number.
    EXPECT_EQ(CommandTable()[30].Id, 92007);
}

} // namespace
} // namespace mv
