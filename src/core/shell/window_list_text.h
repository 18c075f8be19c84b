#pragma once

#include <string>
#include <string_view>

namespace mv {

// The texts under which open windows and history entries appear in menus and in the window
// list. Indexes are 1-based as the user sees them; names are UTF-8 file names.

// What a window is called in every list: its file name, or "(新規)" while it has none.
[[nodiscard]] std::string WindowDisplayName(std::string_view fileName);

// "&%d: %s": an item of the Window menu, a history menu or the tray's submenus. A '&' in the
// name is doubled so that it shows as itself instead of making the next letter a shortcut.
[[nodiscard]] std::string NumberedMenuItemText(int number, std::string_view name);
// "&%d : %s": an item of the select-file pop-up (spaces around the colon), '&' doubled too.
[[nodiscard]] std::string SelectFileItemText(int number, std::string_view name);
// "%d: %s": a line of the window-selection dialog.
[[nodiscard]] std::string WindowListLine(int number, std::string_view name);

// The last item of a window menu that cannot list every window; it opens the window list.
inline constexpr std::string_view MoreWindowsItemText = "& : more...";

// How many windows a menu lists by number before it gives way to the window list.
inline constexpr int MenuWindowItemMax = 9;

struct TWindowMenuLayout {
    int NumberedItems = 0; // the first windows of the list, one item each
    bool MoreItem = false; // "& : more..." after them
};

// The Window menu and the tray's window submenu: the first nine windows, and "& : more..."
// once there are ten or more (more than nine) so that every window stays reachable.
[[nodiscard]] TWindowMenuLayout WindowMenuLayout(int windowCount);
// The select-file pop-up lists the first nine windows and has no "more" item of its own:
// the window-list item below them follows.
[[nodiscard]] int SelectFilePopupItemCount(int windowCount);

} // namespace mv
