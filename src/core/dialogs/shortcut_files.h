#pragma once

#include "core/dialogs/desktop_entry.h"

#include <string>
#include <vector>

namespace mv {

// Where the program's shortcuts go, each folder ending in '/'; a folder the desktop cannot
// name is empty.
struct TShortcutFolders {
    std::string Desktop;      // the user's desktop folder
    std::string Applications; // the user's application entries (<data home>/applications/)
    std::string Menus;        // additions to the menu of applications (<config home>/menus/applications-merged/)
    std::string Directories;  // the names of submenus (<data home>/desktop-directories/)

    // The program group: a folder of entries that the submenu lists.
    [[nodiscard]] std::string ProgramGroup() const;
};

// The three shortcuts, as the dialog's check boxes show them.
struct TShortcutChoice {
    bool ProgramGroup = false; // a submenu of the menu of applications: the program and its help
    bool Desktop = false;      // the program on the desktop
    bool SendTo = false;       // an "open with" entry for every file

    friend bool operator==(const TShortcutChoice&, const TShortcutChoice&) = default;
};

// The files that make each shortcut.
struct TShortcutPaths {
    std::string ProgramEntry; // in the program group
    std::string HelpEntry;    // in the program group
    std::string GroupMenu;
    std::string GroupDirectory;
    std::string DesktopEntry;
    std::string OpenWithEntry;
};
[[nodiscard]] TShortcutPaths ShortcutPathsIn(const TShortcutFolders& folders);

// Which shortcuts exist: the program group when its folder is there, the others when their
// entry file is.
[[nodiscard]] TShortcutChoice ExistingShortcuts(const TShortcutFolders& folders);

// What a run did.
struct TShortcutRun {
    std::vector<std::string> Errors;    // one message per failure, in the order they came
    std::string WrittenDesktopEntry;    // the desktop's new entry, to be marked trusted
    bool ApplicationEntriesChanged = false;
};

// Makes the shortcuts `wanted` asks for and that do not exist, and removes those it does not
// ask for and that exist; anything else stays as it is. A file that is not one of ours is
// never deleted, and a group folder that holds other files stays with the error shown.
[[nodiscard]] TShortcutRun RunShortcuts(const TShortcutFolders& folders,
                                        const TDesktopEntryTargets& targets,
                                        const TShortcutChoice& wanted);

inline constexpr std::string_view GroupCreateFailed = "プログラムグループの作成に失敗しました.";
inline constexpr std::string_view GroupRemoveFailed = "プログラムグループの削除に失敗しました.";

} // namespace mv
