#pragma once

#include "core/binaryview/editor_core.h"
#include "ui/binaryview/cell_colors.h"
#include "ui/binaryview/char_cells.h"
#include "ui/binaryview/character_fonts.h"
#include "ui/binaryview/glyph_batch.h"
#include "ui/binaryview/view_layout.h"

#include <QtGui/QFont>
#include <QtGui/QPainter>
#include <QtGui/QPalette>

#include <span>
#include <string_view>
#include <vector>

namespace mv {

// Draws the binary view: the frame (raised address and SUM cells, hatch, the strips beside
// the character column), the lines of bytes from the line buffers, the caret marker and the
// caret. Nothing is kept between paints but the glyphs of the font.
class TViewPainter {
public:
    // `font` is the view's font, `glyphs` its glyph batch and `characterFonts` the fonts of
    // its multi-byte characters; bold cells use the bold forms.
    TViewPainter(QPainter& painter, const TViewLayout& layout, const QPalette& palette,
                 const QFont& font, TGlyphBatch& glyphs, TCharacterFonts& characterFonts);
    ~TViewPainter();
    TViewPainter(const TViewPainter&) = delete;
    TViewPainter& operator=(const TViewPainter&) = delete;

    // Erases the client area in the view's colour, fills the partial row's address and SUM
    // cells with the button face and hatches what no cell covers.
    void PaintFrame(QSize clientSize, TColor normalBackground);
    // Rows first..last (inclusive). `mine` and `theirs` hold the visible bytes from the top
    // line on, plus one byte; `theirs` is only read while comparing. `unreadable` marks the
    // bytes of `mine` that the file could not give (empty: none), drawn as "??".
    void PaintLines(const TEditorCore& core, std::span<const Byte> mine,
                    std::span<const Byte> theirs, std::span<const char> unreadable,
                    std::int32_t firstRow, std::int32_t lastRow);
    // Lines in the area without the caret that point at the caret's cell.
    void PaintCaretMarker(const TEditorCore& core);
    // Inverts the pixels under the caret.
    void PaintCaret(const QRect& caret);

private:
    struct TLine;

    void PaintAddressCell(std::int32_t row, std::int64_t lineAddress, bool caretRow);
    void PaintHexCells(const TLine& line);
    void PaintCharacters(const TLine& line, const std::vector<TCharCell>& cells);
    void PaintCharacter(const TLine& line, int column, const TCharCell& cell);
    void PaintSumCell(const TLine& line, Byte sum, bool caretRow);
    // Cells first..first+count-1 of a row side by side, each filled in its background, runs of
    // one colour at once.
    void FillBackgrounds(const TLine& line, QRect firstCell, int count, int step);
    // ASCII text with its left end at `x` on the row's baseline.
    void Text(int x, std::int32_t row, std::string_view text, const TCellColor& color);
    void Glyph(int x, std::int32_t row, Byte b, const TCellColor& color);
    void UseFont(bool bold);
    [[nodiscard]] QColor Color(TColor color) const;

    QPainter& painter_;
    const TViewLayout& layout_;
    const QPalette& palette_;
    TGlyphBatch& glyphs_;
    TCharacterFonts& characterFonts_;
    QFont font_;
    QFont boldFont_;
    bool bold_ = false;
    int baseline_ = 0; // from the top of a row
};

} // namespace mv
