#include "core/typedvalues/command_list.h"

#include "resources/command_list.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string_view>
#include <vector>

namespace mv {
namespace {

std::span<const std::uint8_t> Bytes(std::string_view text) {
    return {reinterpret_cast<const std::uint8_t*>(text.data()), text.size()};
}

TEST(CommandListResource, EveryLineEndsInCrLfAndNoLineIsBlank) {
    const std::string_view text(reinterpret_cast<const char*>(resources::CommandList().data()),
                                resources::CommandList().size());
    ASSERT_TRUE(text.ends_with("\r\n"));
    // Every LF preceded by a CR, and as many CRs as LFs: no CR stands alone either.
    for (std::size_t at = text.find('\n'); at != std::string_view::npos;
         at = text.find('\n', at + 1))
        EXPECT_TRUE(at > 0 && text[at - 1] == '\r') << "LF without CR at " << at;
    EXPECT_EQ(std::ranges::count(text, '\r'), std::ranges::count(text, '\n'));
    EXPECT_EQ(text.find("\r\n\r\n"), std::string_view::npos);
    EXPECT_FALSE(text.starts_with("\r\n"));
}

// The key page's tree and the table must agree: every command once, in the table's order.
TEST(CommandListResource, ListsEveryCommandOnceInTheTablesOrder) {
    std::vector<CommandId> listed;
    for (const TCommandGroup& group : CommandListGroups())
        listed.insert(listed.end(), group.Commands.begin(), group.Commands.end());
    std::vector<CommandId> table;
    for (const TCommandEntry& entry : CommandTable())
        table.push_back(entry.Id);
    EXPECT_EQ(listed, table);
}

TEST(CommandListResource, GroupsCarryTheirTitlesInUtf8) {
    const std::vector<TCommandGroup>& groups = CommandListGroups();
    ASSERT_EQ(groups.size(), 19u);
    EXPECT_EQ(groups.front().Title, "カーソル移動");
    EXPECT_EQ(groups.front().Commands.back(), CommandIdOf("PAGEDOWNHIGH"));
    EXPECT_EQ(groups[2].Title, "アドレスジャンプ");
    EXPECT_EQ(groups[2].Commands, std::vector<CommandId>{CommandIdOf("ADDRESSJUMP")});
    EXPECT_EQ(groups[5].Title, "アンドゥ・リドゥ");
    EXPECT_EQ(groups[17].Title, "環境設定・動作モード");
    EXPECT_EQ(groups.back().Title, "その他");
    EXPECT_EQ(groups.back().Commands.front(), CommandIdOf("VERSION"));
}

TEST(ReadCommandList, ToleratesLineEndsBlankLinesAndUnknownNames) {
    const CommandId up = CommandIdOf("UP");
    const CommandId down = CommandIdOf("DOWN");
    const CommandId undo = CommandIdOf("UNDO");
    // ".ソ表": a title whose Shift JIS trail bytes are 0x5C.
    const std::string_view sjisTitle = ".\x83\x5C\x95\x5C";
    struct Case {
        std::string name;
        std::string text;
        std::vector<TCommandGroup> groups;
    };
    const Case cases[] = {
        {"empty", "", {}},
        {"CR LF", ".A\r\nUP\r\nDOWN\r\n.B\r\nUNDO\r\n", {{"A", {up, down}}, {"B", {undo}}}},
        {"LF and no final line end", ".A\nUP\n.B\nUNDO", {{"A", {up}}, {"B", {undo}}}},
        {"mixed line ends", ".A\r\nUP\nDOWN\r\n", {{"A", {up, down}}}},
        {"blank lines", "\r\n.A\r\n\r\n \t\r\nUP\n\n", {{"A", {up}}}},
        {"commands before the first heading", "UP\r\n.A\r\nDOWN\r\n", {{"", {up}}, {"A", {down}}}},
        {"unknown names and other case",
         ".A\r\nup\r\nNOSUCH\r\n  Down \r\nUP DOWN\r\n",
         {{"A", {up, down}}}},
        {"headings without commands",
         ".A\r\n.\r\n.B\r\nNOSUCH\r\n",
         {{"A", {}}, {"", {}}, {"B", {}}}},
        {"Shift JIS title", std::string(sjisTitle) + "\r\nUP\r\n", {{"ソ表", {up}}}},
        {"undecodable title",
         ".\xFF"
         "A\r\n",
         {{"\xEF\xBF\xBD"
           "A",
           {}}}},
        {"a heading only at the line start", "UP\r\n .A\r\n", {{"", {up}}}},
    };
    for (const auto& [name, text, groups] : cases)
        EXPECT_EQ(ReadCommandList(Bytes(text)), groups) << name;
}

} // namespace
} // namespace mv
