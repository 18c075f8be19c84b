#include "ui/binaryview/view_painter.h"

#include "core/typedvalues/sjis_utf8.h"
#include "platform/system_color.h"
#include "ui/binaryview/line_text.h"
#include "ui/binaryview/raised_cell.h"

#include <QtGui/QFontMetrics>
#include <QtGui/QRegion>

#include <algorithm>
#include <array>
#include <limits>
#include <string>

namespace mv {

namespace {

constexpr int Columns = TEditorCore::Columns;
constexpr char UpperDigits[] = "0123456789ABCDEF";
// What a byte of a Unicode set that forms no drawable character shows: the half-width middle
// dot, the byte's glyph in the other sets.
constexpr Byte DotByte = 0xA5;

// The cells of the character column for `count` bytes from `first`, decoded from the data
// around them.
std::vector<TCharCell> VisibleCells(const TEditorCore& core, std::int64_t first,
                                    std::size_t count) {
    const std::int64_t start = std::max<std::int64_t>(first - std::int64_t{CellBytesBefore}, 0);
    const std::int64_t end = std::min<std::int64_t>(
        first + static_cast<std::int64_t>(count + CellBytesAfter), core.Module().Size());
    std::vector<Byte> data(static_cast<std::size_t>(std::max<std::int64_t>(end - start, 0)));
    core.Module().ReadBytes(data.data(), start, std::ssize(data));
    return CharCells(data, static_cast<std::size_t>(first - start), count, core.CharaSet());
}

} // namespace

// One row of the paint: its bytes (16 plus the first of the next row) and their colours.
struct TViewPainter::TLine {
    std::int32_t Row = 0;
    std::int64_t Address = 0;
    const Byte* Mine = nullptr;
    const Byte* Theirs = nullptr;
    const char* Unreadable = nullptr; // the bytes the file could not give, when any
    std::int64_t Size = 0;
    std::int64_t TargetSize = 0;
    bool Arrows = false;
    std::array<TCellColor, Columns + 1> Colors{};
    TCellColor Normal;
};

TViewPainter::TViewPainter(QPainter& painter, const TViewLayout& layout, const QPalette& palette,
                           const QFont& font, TGlyphBatch& glyphs, TCharacterFonts& characterFonts)
    : painter_(painter), layout_(layout), palette_(palette), glyphs_(glyphs),
      characterFonts_(characterFonts), font_(font), boldFont_(font) {
    boldFont_.setBold(true);
    painter_.setFont(font_);
    baseline_ = 2 + QFontMetrics(font_).ascent();
}

TViewPainter::~TViewPainter() {
    glyphs_.Flush(painter_);
}

QColor TViewPainter::Color(TColor color) const {
    return ToQColor(color, palette_);
}

void TViewPainter::UseFont(bool bold) {
    if (bold == bold_) return;
    bold_ = bold;
    painter_.setFont(bold ? boldFont_ : font_);
}

// Bold text and glyphs the font lacks take the slow road through text layout.
void TViewPainter::Text(int x, std::int32_t row, std::string_view text, const TCellColor& color) {
    const int y = layout_.LineHeight() * row + baseline_;
    const bool batched = !color.Bold && std::all_of(text.begin(), text.end(), [&](char c) {
        return glyphs_.GlyphOf(static_cast<Byte>(c)) != 0;
    });
    if (batched) {
        glyphs_.SetColor(painter_, Color(color.Font));
        glyphs_.AddText(QPointF(x, y), text, layout_.CharWidth());
        return;
    }
    UseFont(color.Bold);
    painter_.setPen(Color(color.Font));
    painter_.drawText(QPoint(x, y),
                      QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size())));
}

void TViewPainter::Glyph(int x, std::int32_t row, Byte b, const TCellColor& color) {
    if (glyphs_.IsBlank(b)) return;
    const int y = layout_.LineHeight() * row + baseline_;
    if (!color.Bold && glyphs_.GlyphOf(b) != 0) {
        glyphs_.SetColor(painter_, Color(color.Font));
        glyphs_.Add(QPointF(x, y), glyphs_.GlyphOf(b));
        return;
    }
    const std::string utf8 = ShiftJisToUtf8(std::string(1, static_cast<char>(b)));
    UseFont(color.Bold);
    painter_.setPen(Color(color.Font));
    painter_.drawText(QPoint(x, y),
                      QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size())));
}

void TViewPainter::PaintFrame(QSize clientSize, TColor normalBackground) {
    const QRect client(QPoint(0, 0), clientSize);
    painter_.fillRect(client, Color(normalBackground));
    const std::int32_t partialRow = layout_.VisibleLines();
    QRegion hatch(
        QRect(0, layout_.LinesHeight(), client.width(), client.height() - layout_.LinesHeight()));
    hatch += QRect(layout_.ColumnsRight(), 0, client.width() - layout_.ColumnsRight(),
                   layout_.LinesHeight());
    const QColor face = Color(clBtnFace);
    for (const int column : {0, TViewLayout::SumColumn}) {
        const QRect cell = layout_.CellRect(column, partialRow) & client;
        if (cell.isEmpty()) continue;
        painter_.fillRect(cell, face);
        hatch -= cell;
    }
    painter_.save();
    painter_.setClipRegion(hatch);
    painter_.fillRect(hatch.boundingRect(), QBrush(Qt::black, Qt::DiagCrossPattern));
    painter_.restore();
    if (layout_.Shows(viCharacters)) {
        const int left = layout_.ColumnLeft(TViewLayout::CharacterColumn);
        const int right = left + layout_.ColumnWidths()[TViewLayout::CharacterColumn];
        const QColor background = Color(normalBackground);
        painter_.fillRect(QRect(left, 0, 2, layout_.LinesHeight()), background);
        painter_.fillRect(QRect(right - 2, 0, 2, layout_.LinesHeight()), background);
    }
}

void TViewPainter::PaintLines(const TEditorCore& core, std::span<const Byte> mine,
                              std::span<const Byte> theirs, std::span<const char> unreadable,
                              std::int32_t firstRow, std::int32_t lastRow) {
    const TCellColors colors(TCellColors::StateOf(core));
    const TMemoryModule* target = core.Comparison().Target();
    TLine line;
    line.Size = core.Module().Size();
    line.TargetSize = target != nullptr ? target->Size() : 0;
    line.Arrows = target != nullptr && core.CompareArrow;
    line.Normal = colors.Normal();
    static const std::array<Byte, Columns + 1> noTarget{};
    firstRow = std::max(firstRow, 0);
    lastRow = std::min(lastRow, layout_.VisibleLines() - 1);
    const std::int64_t top = std::int64_t{core.TopLine()} * Columns;
    const std::vector<TCharCell> cells = layout_.Shows(viCharacters)
                                             ? VisibleCells(core, top, mine.size())
                                             : std::vector<TCharCell>();
    for (std::int32_t row = firstRow; row <= lastRow; ++row) {
        const std::size_t offset = static_cast<std::size_t>(row) * Columns;
        line.Row = row;
        line.Address = top + std::int64_t{row} * Columns;
        line.Mine = mine.data() + offset;
        line.Theirs = target != nullptr ? theirs.data() + offset : noTarget.data();
        line.Unreadable = unreadable.empty() ? nullptr : unreadable.data() + offset;
        for (int c = 0; c <= Columns; ++c) {
            const std::int64_t a = line.Address + c;
            const auto address = static_cast<Address>(
                std::min<std::int64_t>(a, std::numeric_limits<Address>::max()));
            line.Colors[static_cast<std::size_t>(c)] =
                a == line.Size ? colors.Eof() : colors.Of(address, line.Mine[c], line.Theirs[c]);
        }
        const bool caretRow = row == core.CaretRow();
        if (layout_.Shows(viAddress)) PaintAddressCell(row, line.Address, caretRow);
        PaintHexCells(line);
        if (layout_.Shows(viCharacters)) PaintCharacters(line, cells);
        if (layout_.Shows(viSum)) {
            const std::int64_t existing =
                std::clamp<std::int64_t>(line.Size - line.Address, 0, Columns);
            const Byte sum = LineSum({line.Mine, static_cast<std::size_t>(existing)}, line.Address,
                                     core.CheckSum());
            PaintSumCell(line, sum, caretRow);
        }
    }
}

void TViewPainter::FillBackgrounds(const TLine& line, QRect firstCell, int count, int step) {
    int start = 0;
    for (int c = 1; c <= count; ++c) {
        const TColor background = line.Colors[static_cast<std::size_t>(start)].Background;
        if (c < count && line.Colors[static_cast<std::size_t>(c)].Background == background)
            continue;
        painter_.fillRect(
            firstCell.translated(start * step, 0).adjusted(0, 0, (c - start - 1) * step, 0),
            Color(background));
        start = c;
    }
}

void TViewPainter::PaintAddressCell(std::int32_t row, std::int64_t lineAddress, bool caretRow) {
    DrawRaisedCell(painter_, layout_.RaisedCellRect(0, row), palette_,
                   Color(caretRow ? clHighlight : clBtnFace));
    const TColor text = caretRow ? clHighlightText : clWindowText;
    Text(layout_.CellRect(0, row).left() + 4, row, AddressText(lineAddress, layout_.AddressDigits()).toStdString(),
         {text, text, false});
}

void TViewPainter::PaintHexCells(const TLine& line) {
    const int cw = layout_.CharWidth();
    FillBackgrounds(line, layout_.HexCellRect(0, line.Row), Columns, layout_.HexWidth());
    for (int c = 0; c < Columns; ++c) {
        const int x = layout_.HexCellRect(c, line.Row).left() + 2;
        const TCellColor& color = line.Colors[static_cast<std::size_t>(c)];
        const std::int64_t a = line.Address + c;
        if (a > line.Size) {
            Text(x, line.Row, "--", color);
        } else if (a == line.Size) {
            Text(x, line.Row, "EOF", color);
        } else if (line.Unreadable != nullptr && line.Unreadable[c] != 0) {
            Text(x, line.Row, "??", color);
        } else {
            const Byte b = line.Mine[c];
            const char digits[2] = {UpperDigits[b >> 4], UpperDigits[b & 15]};
            Text(x, line.Row, {digits, 2}, color);
            if (line.Arrows && a < line.TargetSize && b != line.Theirs[c])
                Text(x + 2 * cw, line.Row, b > line.Theirs[c] ? "+" : "-",
                     {color.Font, color.Background, false});
        }
    }
}

void TViewPainter::PaintCharacters(const TLine& line, const std::vector<TCharCell>& cells) {
    const std::size_t first = static_cast<std::size_t>(line.Row) * Columns;
    const auto cell = [&](int column) -> const TCharCell& {
        return cells[first + static_cast<std::size_t>(column)];
    };
    // The row's last character runs on into the cell after column 15 with its next byte.
    const bool runsOn = cell(Columns).Kind == TCharCell::Covered;
    FillBackgrounds(line, layout_.CharCellRect(0, line.Row), runsOn ? Columns + 1 : Columns,
                    layout_.CharWidth());
    if (!runsOn)
        painter_.fillRect(layout_.CharCellRect(Columns, line.Row), Color(line.Normal.Background));
    // The bytes of a character drawn on the row above leave their cells blank.
    for (int c = 0; c < Columns && cell(c).Kind == TCharCell::Covered; ++c)
        painter_.fillRect(layout_.CharCellRect(c, line.Row), Color(line.Normal.Background));
    for (int c = 0; c < Columns; ++c) {
        const int x = layout_.CharCellRect(c, line.Row).left();
        const TCellColor& color = line.Colors[static_cast<std::size_t>(c)];
        switch (cell(c).Kind) {
        case TCharCell::Byte:
            Glyph(x, line.Row, line.Mine[c], color);
            break;
        case TCharCell::Dot:
            Glyph(x, line.Row, DotByte, color);
            break;
        case TCharCell::Character:
            PaintCharacter(line, c, cell(c));
            break;
        case TCharCell::Covered:
        case TCharCell::Past:
            break;
        }
    }
}

// A character is drawn once for each cell its glyph takes, each time clipped to that cell and
// in that byte's colours, so that a selection or difference that splits it shows on each part.
// A character no font has is a box over those cells.
void TViewPainter::PaintCharacter(const TLine& line, int column, const TCharCell& cell) {
    if (cell.CodePoint == 0) return; // a pair that names no character shows as blank cells
    const QRect first = layout_.CharCellRect(column, line.Row);
    // Japanese fonts give 0x5C the yen sign that Shift JIS means by it; the Unicode sets mean
    // the backslash, which the narrow font draws.
    if (cell.CodePoint < 0x80 && cell.CodePoint != U'\\') {
        Glyph(first.left(), line.Row, static_cast<Byte>(cell.CodePoint),
              line.Colors[static_cast<std::size_t>(column)]);
        return;
    }
    const bool wide = cell.Width == 2;
    const bool hasGlyph = characterFonts_.HasGlyph(cell.CodePoint, wide);
    const QPoint origin(first.left(), layout_.LineHeight() * line.Row + baseline_);
    const QRect box(first.left() + 1, first.top() + 3, cell.Width * layout_.CharWidth() - 3,
                    layout_.CharHeight() - 4);
    for (int part = column; part < column + cell.Width; ++part) {
        const TCellColor& color = line.Colors[static_cast<std::size_t>(part)];
        painter_.save();
        painter_.setClipRect(layout_.CharCellRect(part, line.Row));
        painter_.setPen(Color(color.Font));
        if (hasGlyph) {
            characterFonts_.Draw(painter_, origin, cell.CodePoint, wide, color.Bold);
        } else {
            painter_.setBrush(Qt::NoBrush);
            painter_.drawRect(box);
        }
        painter_.restore();
    }
}

void TViewPainter::PaintSumCell(const TLine& line, Byte sum, bool caretRow) {
    const QRect cell = layout_.RaisedCellRect(TViewLayout::SumColumn, line.Row);
    DrawRaisedCell(painter_, cell, palette_, Color(caretRow ? clHighlight : clBtnFace));
    const TColor text = caretRow ? clHighlightText : clWindowText;
    const char digits[2] = {UpperDigits[sum >> 4], UpperDigits[sum & 15]};
    Text(cell.left() + (cell.width() - 2 * layout_.CharWidth()) / 2, line.Row, {digits, 2},
         {text, text, false});
}

void TViewPainter::PaintCaretMarker(const TEditorCore& core) {
    glyphs_.Flush(painter_);
    const bool caretInHex = core.InputArea() == TInputArea::Hex;
    if (caretInHex && !layout_.Shows(viCharacters)) return;
    const std::int32_t row = core.CaretRow();
    const int column = core.CaretColumn();
    const QRect area = caretInHex ? layout_.CharacterArea() : layout_.HexArea();
    const QRect cell =
        caretInHex ? layout_.CharCellRect(column, row) : layout_.HexCellRect(column, row);
    const QColor color = Color(core.Colors()[static_cast<std::size_t>(TColorIndex::CaretMarker)]);
    painter_.fillRect(QRect(cell.right(), 0, 1, layout_.LinesHeight()), color);
    painter_.fillRect(QRect(area.left(), cell.bottom(), area.width(), 1), color);
    painter_.setPen(color);
    painter_.setBrush(Qt::NoBrush);
    painter_.drawRect(cell.adjusted(0, 0, -1, -1));
}

void TViewPainter::PaintCaret(const QRect& caret) {
    glyphs_.Flush(painter_);
    painter_.save();
    painter_.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
    painter_.fillRect(caret, Qt::white);
    painter_.restore();
}

} // namespace mv
