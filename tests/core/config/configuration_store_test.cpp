#include "core/config/configuration_store.h"
#include "core/config/profile_file.h"
#include "core/typedvalues/command_table.h"
#include "support/memory_registry.h"
#include "support/scripted_host.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <variant>
#include <vector>

namespace mv {
namespace {

using Value = test::TMemoryRegistry::Value;
using Values = test::TMemoryRegistry::Values;

void Put(test::TMemoryRegistry& store, const char* key, const std::string& name,
         const Value& value) {
    if (const auto* text = std::get_if<std::string>(&value))
        ASSERT_EQ(store.WriteString(key, name, *text), "");
    else
        ASSERT_EQ(store.WriteDword(key, name, std::get<std::uint32_t>(value)), "");
}

// Every field away from its default, so that a field left out of saving or loading shows.
TEnvironment ChangedEnvironment(TKeyAssignType type) {
    TEnvironment e;
    for (std::size_t i = 0; i < e.Colors.size(); ++i)
        e.Colors[i] = 0x00102030u + static_cast<TColor>(i);
    e.KeyAssignType = type;
    e.KeyAssignment = TKeyAssignment::Template(type == TKeyAssignType::DosStandard
                                                   ? TKeyAssignType::DosStandard
                                                   : TKeyAssignType::WindowsStandard);
    e.ToolBar = e.FunctionBar = e.StatusBar = e.InformationPanel = e.CompareArrow = false;
    e.CompareColor = e.CaretMarker = e.OpeningDlg = e.MakeBackFile = e.ExpandTenKey = false;
    e.UndoFlushWithSaved = e.UndoOverflowSound = e.DialogFlattery = e.DialogAutoHidden = false;
    e.NewWindowMoveCenter = e.ProfileWindowLoad = e.ProfilePositionLoad = false;
    e.ProfileNotExistToCenter = false;
    e.UndoPacked = true;
    e.FontHeight = 30;
    e.UndoBuffer = 1024;
    e.ProfileMax = 10;
    e.ViewModeExt = "bin;データ";
    e.InputMode = TInputMode::ViewOnly;
    e.CharaSet = CharaSet::Euc;
    e.CheckSum = TCheckSum::Ascii;
    e.IntWidth = TVariableType::vtDoubleWord;
    e.IntCardinal = TCardinalNumber::cnHexadecimal;
    e.ByteOrder = TByteOrder::BigEndian;
    e.ProbeByteOrder = TByteOrder::BigEndian;
    return e;
}

// A user-defined assignment of what can be stored: all four stored states, keys whose
// names hold '/' and '\', and entries in all five menus.
TKeyAssignment UserAssignment() {
    const auto commands = CommandTable();
    const auto command = [&](std::size_t i) { return commands[i % commands.size()].Id; };
    TKeyAssignment a;
    for (ModifierState state = 0; state < StoredStateCount; ++state) {
        a.SetKey(state, 10 + state, command(static_cast<std::size_t>(state)));
        a.SetKey(state, 45, command(static_cast<std::size_t>(state) + 10)); // "{/}"
        a.SetKey(state, 38, command(static_cast<std::size_t>(state) + 20)); // "{\}"
        a.SetKey(state, StoredKeyCount - 1, command(static_cast<std::size_t>(state) + 30));
    }
    for (int menu = 0; menu < UserMenuCount; ++menu) {
        a.SetUserMenu(menu, 0, command(static_cast<std::size_t>(40 + menu)));
        a.SetUserMenu(menu, 25 - menu, command(static_cast<std::size_t>(50 + menu)));
    }
    return a;
}

class ConfigurationStore : public testing::Test {
protected:
    void Load() {
        LoadConfiguration(
            registry, folder.Path(), [this] { ++firstStarts; }, environment, history, profiles);
    }
    TConfigurationSaveResult Save() {
        return SaveConfiguration(registry, host, folder.Path(), folder.Path(), environment, history,
                                 profiles);
    }
    // What a save of the record and a load in a new run make of it.
    TEnvironment Reloaded(const TEnvironment& saved) {
        environment = saved;
        EXPECT_EQ(Save().RegistryError, "");
        environment = TEnvironment{};
        Load();
        return environment;
    }
    void ExpectUserAssignmentKeysEmpty() {
        EXPECT_TRUE(registry.KeyExists("Key"));
        EXPECT_TRUE(registry.ValuesOf("Key").empty());
        for (int menu = 0; menu < UserMenuCount; ++menu) {
            const std::string key = "Key\\UserMenu{" + std::to_string(menu) + "}";
            EXPECT_TRUE(registry.KeyExists(key)) << key;
            EXPECT_TRUE(registry.ValuesOf(key).empty()) << key;
        }
    }

    test::TMemoryRegistry registry;
    test::TScriptedHost host;
    test::TTempFolder folder;
    TEnvironment environment;
    THistoryList history;
    TProfileList profiles;
    int firstStarts = 0;
};

TEST_F(ConfigurationStore, AFirstStartGetsTheDefaultsAndOffersShortcutsOnce) {
    environment.FontHeight = 20;
    history.AddHistory("/stale");
    profiles.StoreProfile("/stale", {}, 100);
    Load();
    EXPECT_EQ(firstStarts, 1);
    EXPECT_EQ(environment, TEnvironment{});
    EXPECT_EQ(history.HistoryCount(), 0u);
    EXPECT_TRUE(profiles.Entries().empty());

    ASSERT_EQ(Save().RegistryError, "");
    Load();
    EXPECT_EQ(firstStarts, 1);
}

// A sample of the stored names and values: a round trip cannot notice a name that saving and
// loading both spell wrongly.
TEST_F(ConfigurationStore, SaveWritesTheLayoutUnderItsNames) {
    history.AddHistory("/nonexistent/b");
    history.AddHistory("/nonexistent/a");
    const auto result = SaveConfiguration(registry, host, folder.Path(), folder / ".", environment,
                                          history, profiles);
    EXPECT_EQ(result.ProfileFileError, 0);
    EXPECT_EQ(result.RegistryError, "");

    EXPECT_EQ(registry.ValuesOf(""), (Values{{"InstallFolder", folder.Path() + "/"}}));
    EXPECT_EQ(registry.ValuesOf("Config").size(), 25u);
    EXPECT_EQ(registry.ReadString("Config", "ViewModeExt"), "sys;exe;com;dll;vxd");
    EXPECT_EQ(registry.ReadDword("Config", "CharaSet"), 1u);
    EXPECT_EQ(registry.ValuesOf("ViewItem").size(), 7u);
    EXPECT_TRUE(registry.KeyExists("Color"));
    EXPECT_TRUE(registry.ValuesOf("Color").empty());
    EXPECT_EQ(registry.ValuesOf("History"), (Values{{"History0", std::string("/nonexistent/a")},
                                                    {"History1", std::string("/nonexistent/b")}}));
    ExpectUserAssignmentKeysEmpty();
}

TEST_F(ConfigurationStore, EveryFieldSurvivesASaveAndALoad) {
    const TEnvironment windows = ChangedEnvironment(TKeyAssignType::WindowsStandard);
    EXPECT_EQ(Reloaded(windows), windows);
    ExpectUserAssignmentKeysEmpty();

    TEnvironment user = ChangedEnvironment(TKeyAssignType::UserDefined);
    user.KeyAssignment = UserAssignment();
    EXPECT_EQ(Reloaded(user), user);
    EXPECT_EQ(registry.ValuesOf("Key").size(), 4u * StoredStateCount);
    for (int menu = 0; menu < UserMenuCount; ++menu)
        EXPECT_EQ(registry.ValuesOf("Key\\UserMenu{" + std::to_string(menu) + "}").size(), 2u);

    // Back to a template: the stored assignment is emptied, the template rebuilt at load.
    const TEnvironment dos = ChangedEnvironment(TKeyAssignType::DosStandard);
    EXPECT_EQ(Reloaded(dos), dos);
    ExpectUserAssignmentKeysEmpty();
}

TEST_F(ConfigurationStore, OnlyTheTenMostRecentFilesAreStored) {
    for (int i = 0; i < 12; ++i)
        history.AddHistory("/nonexistent/file" + std::to_string(i));
    ASSERT_EQ(Save().RegistryError, "");
    EXPECT_EQ(registry.ValuesOf("History").size(), 10u);
    Load();
    ASSERT_EQ(history.HistoryCount(), 10u);
    EXPECT_EQ(history.HistoryAt(0), "/nonexistent/file11");
    EXPECT_EQ(history.HistoryAt(9), "/nonexistent/file2");
}

TEST_F(ConfigurationStore, HistoryReadingStopsAtTheFirstGap) {
    struct Case {
        const char* what;
        std::vector<std::pair<std::string, Value>> values;
        std::vector<std::string> expected;
    };
    const Case cases[] = {
        {"wrong type", {{"History0", "/a"}, {"History1", 7u}, {"History2", "/c"}}, {"/a"}},
        {"repeated and empty names",
         {{"History0", "/a"}, {"History1", ""}, {"History2", "/a"}, {"History3", "/b"}},
         {"/a", "/b"}},
    };
    for (const Case& c : cases) {
        ASSERT_EQ(registry.DeleteKey("History"), "");
        for (const auto& [name, value] : c.values)
            Put(registry, "History", name, value);
        Load();
        std::vector<std::string> loaded;
        for (std::size_t i = 0; i < history.HistoryCount(); ++i)
            loaded.push_back(history.HistoryAt(static_cast<std::ptrdiff_t>(i)));
        EXPECT_EQ(loaded, c.expected) << c.what;
    }
}

TEST_F(ConfigurationStore, ProfilesSurviveInTheirOrder) {
    WindowProfile profile;
    profile.Left = 12;
    profiles.StoreProfile("/nonexistent/b", profile, 100);
    profiles.StoreProfile("/nonexistent/a", {}, 100);
    ASSERT_EQ(Save().ProfileFileError, 0);
    profiles = {};
    Load();
    const auto entries = profiles.Entries();
    EXPECT_EQ(std::vector(entries.begin(), entries.end()),
              (std::vector<TProfileEntry>{{"/nonexistent/a", {}}, {"/nonexistent/b", profile}}));
}

TEST_F(ConfigurationStore, ValuesOfTheWrongTypeOrOutOfRangeKeepTheirDefaults) {
    using Expect = void (*)(TEnvironment&);
    constexpr Expect unchanged = nullptr;
    struct Case {
        const char* key;
        const char* name;
        Value value;
        Expect expect;
    };
    const Case cases[] = {
        {"Config", "CharaSet", 7u, unchanged},
        {"Config", "ByteOrder", 0xFFFFFFFFu, unchanged},
        {"Config", "KeyAssignType", 2u,
         [](TEnvironment& e) {
             e.KeyAssignType = TKeyAssignType::UserDefined;
             e.KeyAssignment.Clear(); // nothing stored
         }},
        {"Config", "FontHeight", 9u, unchanged},
        {"Config", "FontHeight", 10u, [](TEnvironment& e) { e.FontHeight = 10; }},
        {"Config", "FontHeight", 31u, unchanged},
        {"Config", "UndoBuffer", 0u, [](TEnvironment& e) { e.UndoBuffer = 0; }},
        {"Config", "UndoPacked", 2u, [](TEnvironment& e) { e.UndoPacked = true; }},
        {"Config", "UndoPacked", "1", unchanged},
        {"Color", "NormalFont", 0xFFFFFFFFu, unchanged},
        {"Color", "NormalFont", 0x01000000u, unchanged},
        {"Color", "NormalFont", 0x80000019u, unchanged}, // past the last system colour
        {"Color", "NormalFont", 0x80000018u,
         [](TEnvironment& e) { e.SetColor(TColorIndex::NormalFont, 0x80000018); }},
        {"Color", "NormalFont", 0x00FFFFFFu,
         [](TEnvironment& e) { e.SetColor(TColorIndex::NormalFont, 0x00FFFFFF); }},
    };
    for (const Case& c : cases) {
        test::TMemoryRegistry store;
        Put(store, c.key, c.name, c.value);
        LoadConfiguration(store, folder.Path(), {}, environment, history, profiles);
        TEnvironment expected;
        if (c.expect) c.expect(expected);
        EXPECT_EQ(environment, expected)
            << c.key << "\\" << c.name << " = "
            << std::visit([](const auto& v) { return ::testing::PrintToString(v); }, c.value);
    }
}

// The profile file is written before the registry; the registry keys in a fixed order, of
// which those after the failing one are not attempted.
TEST_F(ConfigurationStore, AWriteFailureStopsTheRegistryWritingAndIsShown) {
    registry.FailWritesFrom("Key\\UserMenu{2}", "アクセスが拒否されました。");
    profiles.StoreProfile("/nonexistent/a", {}, 100);
    const auto result = Save();
    EXPECT_EQ(result.RegistryError, "アクセスが拒否されました。");
    EXPECT_EQ(result.ProfileFileError, 0);
    EXPECT_EQ(LoadProfileFile(folder.Path()).size(), 1u);
    ASSERT_EQ(host.Boxes.size(), 1u);
    EXPECT_EQ(host.Boxes[0].Caption, "Morvane Prime Exception Error !!");
    EXPECT_EQ(host.Boxes[0].Text,
              "レジストリキー \\Software\\Corlith Applications\\Morvane\\Key\\UserMenu{2} "
              "書き込み中に例外が発生しました\r\nアドレス 0x00000000\r\n"
              "メッセージ アクセスが拒否されました。");
    EXPECT_EQ(registry.AttemptsAfterFailure(), 0);
    EXPECT_TRUE(registry.KeyExists("Key\\UserMenu{1}") && registry.KeyExists("History"));
    EXPECT_FALSE(registry.KeyExists("Key\\UserMenu{3}"));
}

TEST_F(ConfigurationStore, AFailureToFlushNamesTheProgramsKey) {
    registry.FailFlush("disk full");
    EXPECT_EQ(Save().RegistryError, "disk full");
    EXPECT_EQ(host.Beeps, 1);
    ASSERT_EQ(host.Boxes.size(), 1u);
    EXPECT_EQ(host.Boxes[0].Text,
              "レジストリキー \\Software\\Corlith Applications\\Morvane 書き込み中に例外が発生"
              "しました\r\nアドレス 0x00000000\r\nメッセージ disk full");
}

} // namespace
} // namespace mv
