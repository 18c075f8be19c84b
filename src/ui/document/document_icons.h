#pragma once

#include <QtGui/QIcon>

namespace mv {

// The desktop theme's icon of that name when it has one, else the drawing shipped here, so
// the small buttons of the document window never come out blank.
[[nodiscard]] QIcon CopyIcon();       // "edit-copy": two sheets
[[nodiscard]] QIcon GaugeSwitchIcon(); // "view-refresh": two arrows in a circle

} // namespace mv
