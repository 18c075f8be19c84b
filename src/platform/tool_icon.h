#pragma once

#include <QtGui/QIcon>

#include <string_view>

namespace mv {

// The icon of a tool button or menu item by its name in resources/icons ("new", "open",
// "compare-file", "history-item", "morvane" for the application...): the desktop theme's icon
// of the matching freedesktop name where there is one, else the picture the program ships.
// An unknown name answers a null icon.
[[nodiscard]] QIcon ToolIcon(std::string_view name);

} // namespace mv
