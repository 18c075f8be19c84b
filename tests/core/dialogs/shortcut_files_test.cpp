#include "core/dialogs/shortcut_files.h"

#include "core/dialogs/desktop_files.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace mv {
namespace {

namespace fs = std::filesystem;

// A user's home with the usual folders of a desktop, the desktop folder itself included.
class ShortcutFiles : public ::testing::Test {
protected:
    ShortcutFiles() {
        folders.Desktop = home / "Desktop/";
        folders.Applications = home / ".local/share/applications/";
        folders.Menus = home / ".config/menus/applications-merged/";
        folders.Directories = home / ".local/share/desktop-directories/";
        fs::create_directories(folders.Desktop);
        paths = ShortcutPathsIn(folders);
    }

    // Every file and folder under the home, so that a run can be shown to touch nothing else.
    [[nodiscard]] std::vector<std::string> Tree() const {
        std::vector<std::string> names;
        for (const auto& entry : fs::recursive_directory_iterator(home.Path()))
            names.push_back(entry.path().string());
        std::ranges::sort(names);
        return names;
    }

    TShortcutRun Run(TShortcutChoice wanted) { return RunShortcuts(folders, targets, wanted); }

    static void WriteText(const std::string& path, const std::string& text) {
        fs::create_directories(fs::path(path).parent_path());
        std::ofstream(path) << text;
    }

    test::TTempFolder home;
    TShortcutFolders folders;
    TShortcutPaths paths;
    TDesktopEntryTargets targets{"/usr/bin/morvane", "/usr/share/morvane-prime/help/index.html",
                                 "example.morvane.MorvanePrime"};
};

TEST_F(ShortcutFiles, RunningWithoutAChangeCreatesAndDeletesNothing) {
    const std::vector<std::string> before = Tree();
    EXPECT_EQ(ExistingShortcuts(folders), TShortcutChoice{});
    EXPECT_TRUE(Run(ExistingShortcuts(folders)).Errors.empty());
    EXPECT_EQ(Tree(), before);

    ASSERT_TRUE(Run({true, true, true}).Errors.empty());
    const std::vector<std::string> made = Tree();
    EXPECT_TRUE(Run(ExistingShortcuts(folders)).Errors.empty());
    EXPECT_EQ(Tree(), made);
}

TEST_F(ShortcutFiles, CreatesEachShortcutAsValidEntriesAndRemovesThemAgain) {
    const TShortcutRun made = Run({true, true, true});
    EXPECT_TRUE(made.Errors.empty()) << made.Errors.front();
    EXPECT_EQ(ExistingShortcuts(folders), (TShortcutChoice{true, true, true}));
    EXPECT_EQ(made.WrittenDesktopEntry, paths.DesktopEntry);
    EXPECT_TRUE(made.ApplicationEntriesChanged);
    for (const std::string* entry : {&paths.ProgramEntry, &paths.HelpEntry, &paths.GroupDirectory,
                                     &paths.DesktopEntry, &paths.OpenWithEntry})
        EXPECT_TRUE(test::ValidDesktopFile(*entry));
    EXPECT_TRUE(fs::exists(paths.GroupMenu));
    // The desktop starts an entry only when it may be executed.
    EXPECT_NE(fs::status(paths.DesktopEntry).permissions() & fs::perms::owner_exec, fs::perms::none);
    EXPECT_EQ(paths.ProgramEntry, folders.ProgramGroup() + "morvane-prime.desktop");

    const TShortcutRun removed = Run({});
    EXPECT_TRUE(removed.Errors.empty()) << removed.Errors.front();
    EXPECT_EQ(ExistingShortcuts(folders), TShortcutChoice{});
    for (const std::string* path : {&paths.ProgramEntry, &paths.GroupMenu, &paths.GroupDirectory,
                                    &paths.DesktopEntry, &paths.OpenWithEntry})
        EXPECT_FALSE(fs::exists(*path)) << *path;
    EXPECT_FALSE(fs::exists(folders.ProgramGroup()));
    EXPECT_TRUE(fs::exists(folders.Applications)); // the user's folders stay
}

TEST_F(ShortcutFiles, AGroupFolderHoldingOtherFilesStaysWithTheError) {
    ASSERT_TRUE(Run({true, false, false}).Errors.empty());
    const std::string other = folders.ProgramGroup() + "notes.txt";
    WriteText(other, "mine");

    const TShortcutRun run = Run({});
    ASSERT_EQ(run.Errors.size(), 1U);
    EXPECT_TRUE(run.Errors[0].starts_with(GroupRemoveFailed)) << run.Errors[0];
    EXPECT_TRUE(fs::exists(other));
    EXPECT_FALSE(fs::exists(paths.ProgramEntry));
    EXPECT_FALSE(fs::exists(paths.HelpEntry));
    EXPECT_TRUE(ExistingShortcuts(folders).ProgramGroup);
}

TEST_F(ShortcutFiles, FilesThatAreNotOursAreNeverDeleted) {
    WriteText(paths.DesktopEntry, "[Desktop Entry]\nType=Application\nName=Mine\nExec=mine\n");
    fs::create_directories(folders.Applications);
    fs::create_symlink(paths.DesktopEntry, paths.OpenWithEntry); // a link is nobody's entry of ours
    ASSERT_EQ(ExistingShortcuts(folders), (TShortcutChoice{false, true, true}));

    const TShortcutRun run = Run({});
    ASSERT_EQ(run.Errors.size(), 2U);
    EXPECT_EQ(run.Errors[0], paths.DesktopEntry +
                                 " は Morvane Prime が作成したショートカットではないため削除しませんでした.");
    EXPECT_TRUE(fs::exists(paths.DesktopEntry));
    EXPECT_TRUE(fs::is_symlink(paths.OpenWithEntry));
}

TEST_F(ShortcutFiles, AMissingDesktopFolderIsReportedAndTheOthersAreStillMade) {
    fs::remove(folders.Desktop);
    const TShortcutRun run = Run({true, true, true});
    ASSERT_EQ(run.Errors.size(), 1U);
    EXPECT_EQ(run.Errors[0], "デスクトップのフォルダ " + folders.Desktop +
                                 " がありません.\r\nデスクトップにショートカットを作成できませんでした.");
    EXPECT_FALSE(fs::exists(folders.Desktop));
    EXPECT_TRUE(run.WrittenDesktopEntry.empty());
    EXPECT_EQ(ExistingShortcuts(folders), (TShortcutChoice{true, false, true}));

    folders.Desktop.clear(); // a desktop that cannot be named
    EXPECT_EQ(Run({true, true, true}).Errors,
              std::vector<std::string>{"デスクトップのフォルダが分かりません.\r\nデスクトップにショートカットを作成できませんでした."});
}

// A file standing where the applications folder should be fails for every user, root too.
TEST_F(ShortcutFiles, AnApplicationsFolderThatCannotBeMadeIsReported) {
    WriteText(home / ".local/share/blocker", "");
    TShortcutFolders blocked = folders;
    blocked.Applications = home / ".local/share/blocker/applications/";
    const TShortcutRun run = RunShortcuts(blocked, targets, {true, false, true});
    ASSERT_EQ(run.Errors.size(), 2U);
    EXPECT_TRUE(run.Errors[0].starts_with(std::string(GroupCreateFailed) + "\r\n")) << run.Errors[0];
    EXPECT_TRUE(run.Errors[1].starts_with(blocked.Applications + " を作成できませんでした.")) << run.Errors[1];
}

} // namespace
} // namespace mv
