#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace mv {

// The freedesktop desktop entries of the program's shortcuts: the program, its manual, the
// program group's submenu and the "open with" entry for every file. Each carries a key of
// ours, so that the shortcut maintenance deletes only what it made.
enum class TDesktopEntryKind { Program, Help, OpenWith, MenuDirectory };

struct TDesktopEntryTargets {
    std::string Program; // absolute path of the executable
    std::string Help;    // absolute path of the manual's contents page
    std::string Icon;    // an icon theme name or an absolute path
};

// The key that marks an entry as the shortcut maintenance's own.
inline constexpr std::string_view OwnEntryKey = "X-Morvane-Prime-Shortcut=true";

// The text of the entry, or nothing when a path cannot stand in a desktop entry (not UTF-8,
// or holding a line break or another control character).
[[nodiscard]] std::optional<std::string> DesktopEntryText(TDesktopEntryKind kind,
                                                          const TDesktopEntryTargets& targets);

// The submenu of the program group for the menu of applications: the directory entry gives
// its name, the two entries its items (by their desktop file ids).
[[nodiscard]] std::string ProgramGroupMenuText(std::string_view directoryFile,
                                               std::string_view programId,
                                               std::string_view helpId);

// One argument of an Exec line: quoted, with the characters the quoting reserves escaped, and
// '%' doubled so that it is not a field code.
[[nodiscard]] std::string ExecArgument(std::string_view argument);

// Whether a file's text is one of ours: a desktop entry, or the submenu, that carries our mark.
[[nodiscard]] bool IsOwnShortcutText(std::string_view text);

} // namespace mv
