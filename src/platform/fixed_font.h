#pragma once

#include <QtGui/QFont>

namespace mv {

// The program's fixed-pitch font of that pixel height: "ＭＳ ゴシック" where it exists,
// otherwise a Japanese gothic face whose half-width glyphs are half as wide as its kanji.
[[nodiscard]] QFont FixedFont(int pixelHeight);

} // namespace mv
