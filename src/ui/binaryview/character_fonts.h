#pragma once

#include <QtCore/QPoint>
#include <QtGui/QFont>

#include <array>
#include <cstdint>
#include <unordered_map>

class QPainter;

namespace mv {

// The fonts the character column draws its multi-byte characters in. A wide character, and
// every double-byte character of the Japanese sets, takes two cells in the view's own font,
// the Japanese one; any other takes one cell in a narrow font made that wide. Each falls back
// to any font of the system that has the character. Remembers which characters no font has.
class TCharacterFonts {
public:
    explicit TCharacterFonts(const QFont& viewFont);

    // Whether any font has a glyph for the character, in the fonts for its width.
    [[nodiscard]] bool HasGlyph(char32_t codePoint, bool wide);
    // Draws the character with the left end of its baseline at `origin`, in the painter's pen.
    // A combining mark stands on a dotted circle in a cell of its own instead of piling onto
    // whatever the cell before holds.
    void Draw(QPainter& painter, QPoint origin, char32_t codePoint, bool wide, bool bold) const;

private:
    [[nodiscard]] const QFont& Font(bool wide, bool bold) const;

    std::array<QFont, 4> fonts_; // narrow, narrow bold, wide, wide bold
    int cellWidth_ = 1;
    std::unordered_map<std::uint32_t, bool> hasGlyph_;
};

} // namespace mv
