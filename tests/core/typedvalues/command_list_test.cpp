#include "core/typedvalues/command_list.h"

#include <gtest/gtest.h>

#include <string_view>
#include <vector>

namespace mv {
namespace {

std::span<const std::uint8_t> Bytes(std::string_view text) {
    return {reinterpret_cast<const std::uint8_t*>(text.data()), text.size()};
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
    // The titles come out of Shift JIS as UTF-8.
    EXPECT_EQ(CommandListGroups().front().Title, "カーソル移動");
    EXPECT_EQ(CommandListGroups().back().Title, "その他");
}

TEST(ReadCommandList, ToleratesLineEndsBlankLinesAndUnknownNames) {
    const CommandId up = CommandIdOf("UP");
    const CommandId down = CommandIdOf("DOWN");
    const CommandId undo = CommandIdOf("UNDO");
    struct Case {
        std::string name;
        std::string text;
        std::vector<TCommandGroup> groups;
    };
    const Case cases[] = {
        {"mixed line ends and blank lines, none at the end",
         ".A\r\nUP\n\r\n \t\nDOWN\r\n.B\nUNDO",
         {{"A", {up, down}}, {"B", {undo}}}},
        {"commands before the first heading", "UP\r\n.A\r\nDOWN\r\n", {{"", {up}}, {"A", {down}}}},
        {"unknown names and other case",
         ".A\r\nup\r\nNOSUCH\r\n  Down \r\nUP DOWN\r\n",
         {{"A", {up, down}}}},
        // ".ソ表": a title whose Shift JIS trail bytes are 0x5C.
        {"Shift JIS title", ".\x83\x5C\x95\x5C\r\nUP\r\n", {{"ソ表", {up}}}},
        {"undecodable title", ".\xFF\r\n", {{"\xEF\xBF\xBD", {}}}},
        {"a heading only at the line start", "UP\r\n .A\r\n", {{"", {up}}}},
    };
    for (const auto& [name, text, groups] : cases)
        EXPECT_EQ(ReadCommandList(Bytes(text)), groups) << name;
}

} // namespace
} // namespace mv
