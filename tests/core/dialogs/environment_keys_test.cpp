#include "core/dialogs/environment_options.h"
#include "core/typedvalues/command_ids.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace mv {
namespace {

constexpr int Ctrl = 2;
constexpr int UserMenu1 = 4;

// Chooses the key of that name in the current shift item's list.
void SelectKey(TEnvironmentKeys& keys, std::string_view name) {
    const auto list = keys.Keys();
    const auto found = std::ranges::find_if(
        list, [&](KeyIndex key) { return KeyNameList[static_cast<std::size_t>(key)] == name; });
    ASSERT_NE(found, list.end()) << name;
    keys.SelectKey(static_cast<int>(found - list.begin()));
}

TEST(EnvironmentKeys, EachShiftItemOffersItsKeys) {
    TEnvironmentOptions options{TEnvironment{}};
    TEnvironmentKeys& keys = options.Keys();
    struct Case {
        int shift;
        std::size_t count;
        std::string_view first, beforeLast, last;
    };
    for (const Case& c : {Case{0, 31, "{F1}", "{Pause}", "{Application}"},
                          Case{1, 31, "{F1}", "{Pause}", "{Application}"},
                          Case{2, 79, "{0}", "{Space}", "{Application}"},
                          Case{3, 79, "{0}", "{Space}", "{Application}"},
                          Case{8, 26, "{A}", "{Y}", "{Z}"}}) {
        SCOPED_TRACE(c.shift);
        keys.SelectKey(0);
        keys.SelectShift(c.shift);
        EXPECT_EQ(keys.SelectedKey(), -1);
        EXPECT_EQ(keys.OperateName(), "");
        const auto list = keys.Keys();
        ASSERT_EQ(list.size(), c.count);
        EXPECT_EQ(KeyNameList[static_cast<std::size_t>(list.front())], c.first);
        EXPECT_EQ(KeyNameList[static_cast<std::size_t>(list[c.count - 2])], c.beforeLast);
        EXPECT_EQ(KeyNameList[static_cast<std::size_t>(list.back())], c.last);
    }
    keys.SelectKey(26);
    EXPECT_EQ(keys.SelectedKey(), -1);
    EXPECT_FALSE(keys.Assign(cmd::COPY)); // no key chosen
    EXPECT_FALSE(options.ApplyEnabled());
}

TEST(EnvironmentKeys, AnAssignmentByHandKeepsEveryOtherBindingOfTheTemplate) {
    TEnvironmentOptions options{TEnvironment{}};
    TEnvironmentKeys& keys = options.Keys();
    keys.SelectShift(Ctrl);
    SelectKey(keys, "{A}");
    EXPECT_EQ(keys.SelectedCommand(), cmd::SELECTALL);
    EXPECT_EQ(keys.OperateName(), CommandEntryOf(cmd::SELECTALL)->Description);
    EXPECT_FALSE(keys.Assign(cmd::SELECTALL)); // nothing changes
    EXPECT_EQ(keys.Template(), TKeyAssignType::WindowsStandard);

    ASSERT_TRUE(keys.Assign(cmd::COPY));
    EXPECT_EQ(keys.Template(), TKeyAssignType::UserDefined);
    EXPECT_EQ(keys.OperateName(), CommandEntryOf(cmd::COPY)->Description);
    EXPECT_TRUE(options.ApplyEnabled());
    TKeyAssignment expected = TKeyAssignment::Template(TKeyAssignType::WindowsStandard);
    expected.SetKey(Ctrl, KeyNamed("{A}"), cmd::COPY);
    EXPECT_EQ(options.Settings().KeyAssignment, expected);

    keys.SelectShift(UserMenu1 + 2);
    SelectKey(keys, "{Q}");
    ASSERT_TRUE(keys.Assign(cmd::UNDO));
    expected.SetUserMenu(2, 16, cmd::UNDO);
    EXPECT_EQ(options.Settings().KeyAssignment, expected);
    EXPECT_TRUE(keys.ClearKey());
    EXPECT_FALSE(keys.ClearKey());
    EXPECT_EQ(keys.OperateName(), "");
    expected.SetUserMenu(2, 16, NoCommand);
    EXPECT_EQ(options.Settings().KeyAssignment, expected);

    // A built-in template discards the edits; "任意" keeps what is there.
    keys.ChooseTemplate(TKeyAssignType::DosStandard);
    EXPECT_EQ(options.Settings().KeyAssignment, TKeyAssignment::Template(TKeyAssignType::DosStandard));
    keys.ChooseTemplate(TKeyAssignType::UserDefined);
    EXPECT_EQ(options.Settings().KeyAssignment, TKeyAssignment::Template(TKeyAssignType::DosStandard));
    EXPECT_EQ(options.Settings().KeyAssignType, TKeyAssignType::UserDefined);
}

TEST(EnvironmentKeys, TheStoredTemplateIsAppliedOnLoading) {
    TEnvironment environment;
    environment.KeyAssignType = TKeyAssignType::DosStandard;
    EXPECT_EQ(TEnvironmentOptions(environment).Settings().KeyAssignment,
              TKeyAssignment::Template(TKeyAssignType::DosStandard));
    environment.KeyAssignType = TKeyAssignType::UserDefined;
    environment.KeyAssignment.Clear();
    environment.KeyAssignment.SetKey(0, KeyNamed("{F5}"), cmd::HELP);
    EXPECT_EQ(TEnvironmentOptions(environment).Settings().KeyAssignment, environment.KeyAssignment);
}

} // namespace
} // namespace mv
