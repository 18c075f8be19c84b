#include "core/dialogs/environment_options.h"
#include "core/typedvalues/command_ids.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace mv {
namespace {

std::string_view NameOf(KeyIndex key) { return KeyNameList[static_cast<std::size_t>(key)]; }

// Chooses the key of that name in the current shift item's list.
void SelectKey(TEnvironmentKeys& keys, std::string_view name) {
    const auto list = keys.Keys();
    const auto found = std::ranges::find(list, name, NameOf);
    ASSERT_NE(found, list.end()) << name;
    keys.SelectKey(static_cast<int>(found - list.begin()));
}

TEST(EnvironmentKeys, EachShiftItemOffersItsKeysAndChoosesNone) {
    TEnvironmentOptions options{TEnvironment{}};
    TEnvironmentKeys& keys = options.Keys();
    struct Case {
        int shift;
        std::size_t count;
        std::string_view first, last;
    };
    for (const Case& c : {Case{1, 31, "{F1}", "{Application}"}, Case{3, 79, "{0}", "{Application}"},
                          Case{8, 26, "{A}", "{Z}"}}) {
        SCOPED_TRACE(c.shift);
        keys.SelectKey(0);
        keys.SelectShift(c.shift);
        EXPECT_EQ(keys.SelectedKey(), -1);
        const auto list = keys.Keys();
        ASSERT_EQ(list.size(), c.count);
        EXPECT_EQ(NameOf(list.front()), c.first);
        EXPECT_EQ(NameOf(list.back()), c.last);
    }
    keys.SelectKey(26);
    EXPECT_EQ(keys.SelectedKey(), -1);
    EXPECT_FALSE(keys.Assign(cmd::COPY)); // no key chosen
    EXPECT_FALSE(options.ApplyEnabled());
}

TEST(EnvironmentKeys, AUserMenuLetterIsBoundClearedAndDiscardedByATemplate) {
    TEnvironmentOptions options{TEnvironment{}};
    TEnvironmentKeys& keys = options.Keys();
    keys.SelectShift(4 + 2); // "User menu (3)"
    SelectKey(keys, "{Q}");
    ASSERT_TRUE(keys.Assign(cmd::UNDO));
    EXPECT_EQ(keys.OperateName(), CommandEntryOf(cmd::UNDO)->Description);
    EXPECT_EQ(keys.Template(), TKeyAssignType::UserDefined);
    TKeyAssignment expected = TKeyAssignment::Template(TKeyAssignType::WindowsStandard);
    expected.SetUserMenu(2, 16, cmd::UNDO);
    EXPECT_EQ(options.Settings().KeyAssignment, expected);
    EXPECT_TRUE(keys.ClearKey());
    EXPECT_EQ(keys.OperateName(), "");
    EXPECT_EQ(options.Settings().KeyAssignment,
              TKeyAssignment::Template(TKeyAssignType::WindowsStandard));

    keys.ChooseTemplate(TKeyAssignType::DosStandard);
    EXPECT_EQ(options.Settings().KeyAssignment, TKeyAssignment::Template(TKeyAssignType::DosStandard));
    keys.ChooseTemplate(TKeyAssignType::UserDefined); // keeps what is there
    EXPECT_EQ(options.Settings().KeyAssignment, TKeyAssignment::Template(TKeyAssignType::DosStandard));
}

// Neither clearing a key that runs nothing nor binding a key to what it runs changes the
// assignment, so the template stays and there is nothing to apply.
TEST(EnvironmentKeys, ANonChangeKeepsTheTemplate) {
    struct Case {
        const char* name;
        int shift;
        std::string_view key;
        bool (*act)(TEnvironmentKeys&);
    };
    const Case cases[] = {
        {"clearing an unbound letter", 4 + 2, "{Q}",
         [](TEnvironmentKeys& k) { return k.ClearKey(); }},
        {"binding Ctrl+A to what it runs", 2, "{A}",
         [](TEnvironmentKeys& k) { return k.Assign(cmd::SELECTALL); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TEnvironmentOptions options{TEnvironment{}};
        TEnvironmentKeys& keys = options.Keys();
        keys.SelectShift(c.shift);
        SelectKey(keys, c.key);
        EXPECT_FALSE(c.act(keys));
        EXPECT_EQ(keys.Template(), TKeyAssignType::WindowsStandard);
        EXPECT_FALSE(options.ApplyEnabled());
    }
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
