#pragma once

#include "core/config/environment.h"

#include <QtGui/QColor>
#include <QtGui/QPalette>

namespace mv {

// The system colours the editor's frame is drawn in.
inline constexpr TColor clWindowText = 0x80000008;
inline constexpr TColor clHighlight = 0x8000000D;
inline constexpr TColor clHighlightText = 0x8000000E;
inline constexpr TColor clBtnFace = 0x8000000F;
inline constexpr TColor clBtnShadow = 0x80000010;
inline constexpr TColor clBtnHighlight = 0x80000014;

// A stored colour value on the screen: 0x00BBGGRR as is, a system colour (0x80000000 plus
// its index) as the palette role that plays its part here. Unknown indices are black.
[[nodiscard]] QColor ToQColor(TColor color, const QPalette& palette);

} // namespace mv
