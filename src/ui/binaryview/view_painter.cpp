#include "ui/binaryview/view_painter.h"

#include "core/typedvalues/char_set.h"
#include "core/typedvalues/sjis_utf8.h"
#include "platform/system_color.h"
#include "ui/binaryview/line_text.h"
#include "ui/binaryview/raised_cell.h"

#include <QtGui/QFontMetrics>
#include <QtGui/QRegion>

#include <algorithm>
#include <array>
#include <string>

namespace mv {

namespace {

constexpr int Columns = TEditorCore::Columns;

// What a single byte shows in the character column: its Shift JIS character, or nothing for
// control codes and bytes that begin no character.
const std::array<QString, 256>& SingleByteGlyphs() {
    static const std::array<QString, 256> glyphs = [] {
        std::array<QString, 256> table;
        for (int b = 0; b < 256; ++b) {
            const std::string utf8 = ShiftJisToUtf8(std::string(1, static_cast<char>(b)));
            const QString text = QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
            const bool blank = text.isEmpty() || text[0].unicode() < 0x20 ||
                               text[0].unicode() == 0x7F || text[0] == QChar::ReplacementCharacter;
            table[static_cast<std::size_t>(b)] = blank ? QStringLiteral(" ") : text;
        }
        return table;
    }();
    return glyphs;
}

const QString& EofText() {
    static const QString text = QStringLiteral("EOF");
    return text;
}

const QString& PastEndText() {
    static const QString text = QStringLiteral("--");
    return text;
}

} // namespace

// One row of the paint: its bytes (16 plus the first of the next row) and their colours.
struct TViewPainter::TLine {
    std::int32_t Row = 0;
    std::int64_t Address = 0;
    const Byte* Mine = nullptr;
    const Byte* Theirs = nullptr;
    std::int64_t Size = 0;
    std::int64_t TargetSize = 0;
    bool Arrows = false;
    mv::CharaSet CharaSet = CharaSet::ShiftJis;
    std::array<TCellColor, Columns + 1> Colors{};
    TCellColor Normal;
};

TViewPainter::TViewPainter(QPainter& painter, const TViewLayout& layout, const QPalette& palette,
                           const QFont& font)
    : painter_(painter), layout_(layout), palette_(palette), font_(font), boldFont_(font) {
    boldFont_.setBold(true);
    painter_.setFont(font_);
    baseline_ = 2 + QFontMetrics(font_).ascent();
}

QColor TViewPainter::Color(TColor color) const { return ToQColor(color, palette_); }

void TViewPainter::UseFont(bool bold) {
    if (bold == bold_) return;
    bold_ = bold;
    painter_.setFont(bold ? boldFont_ : font_);
}

void TViewPainter::DrawText(const QRect& cell, int xOffset, const QString& text,
                            const TCellColor& color) {
    UseFont(color.Bold);
    painter_.setPen(Color(color.Font));
    painter_.drawText(QPoint(cell.left() + xOffset, cell.top() + baseline_), text);
}

void TViewPainter::PaintFrame(QSize clientSize, TColor normalBackground) {
    const QRect client(QPoint(0, 0), clientSize);
    painter_.fillRect(client, Color(normalBackground));
    const std::int32_t partialRow = layout_.VisibleLines();
    QRegion hatch(QRect(0, layout_.LinesHeight(), client.width(),
                        client.height() - layout_.LinesHeight()));
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
    painter_.fillRect(client, QBrush(Qt::black, Qt::DiagCrossPattern));
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
                              std::span<const Byte> theirs, std::int32_t firstRow,
                              std::int32_t lastRow) {
    const TCellColors colors(TCellColors::StateOf(core));
    const TMemoryModule* target = core.Comparison().Target();
    TLine line;
    line.Size = core.Module().Size();
    line.TargetSize = target != nullptr ? target->Size() : 0;
    line.Arrows = target != nullptr && core.CompareArrow;
    line.CharaSet = core.CharaSet();
    line.Normal = colors.Normal();
    static const std::array<Byte, Columns + 1> noTarget{};
    firstRow = std::max(firstRow, 0);
    lastRow = std::min(lastRow, layout_.VisibleLines() - 1);
    const std::int64_t top = std::int64_t{core.TopLine()} * Columns;
    const std::vector<bool> pairs =
        layout_.Shows(viCharacters) ? PairStarts(mine, top, line.Size, line.CharaSet)
                                    : std::vector<bool>();
    for (std::int32_t row = firstRow; row <= lastRow; ++row) {
        const std::size_t offset = static_cast<std::size_t>(row) * Columns;
        line.Row = row;
        line.Address = top + std::int64_t{row} * Columns;
        line.Mine = mine.data() + offset;
        line.Theirs = target != nullptr ? theirs.data() + offset : noTarget.data();
        for (int c = 0; c <= Columns; ++c) {
            const std::int64_t a = line.Address + c;
            line.Colors[static_cast<std::size_t>(c)] =
                a == line.Size ? colors.Eof()
                               : colors.Of(static_cast<Address>(std::min<std::int64_t>(a, INT32_MAX)),
                                           line.Mine[c], line.Theirs[c]);
        }
        const bool caretRow = row == core.CaretRow();
        if (layout_.Shows(viAddress)) PaintAddressCell(row, line.Address, caretRow);
        PaintHexCells(line);
        if (layout_.Shows(viCharacters)) PaintCharacters(line, pairs);
        if (layout_.Shows(viSum)) {
            const std::int64_t existing = std::clamp<std::int64_t>(line.Size - line.Address, 0, Columns);
            const Byte sum = LineSum({line.Mine, static_cast<std::size_t>(existing)}, line.Address,
                                     core.CheckSum());
            PaintSumCell(line, sum, caretRow);
        }
    }
}

void TViewPainter::PaintAddressCell(std::int32_t row, std::int64_t lineAddress, bool caretRow) {
    const QRect cell = layout_.RaisedCellRect(0, row);
    const TColor face = caretRow ? clHighlight : clBtnFace;
    DrawRaisedCell(painter_, cell, palette_, Color(face));
    UseFont(false);
    painter_.setPen(Color(caretRow ? clHighlightText : clWindowText));
    painter_.drawText(QPoint(layout_.CellRect(0, row).left() + 4,
                             layout_.CellRect(0, row).top() + baseline_),
                      AddressText(lineAddress));
}

void TViewPainter::PaintHexCells(const TLine& line) {
    const int cw = layout_.CharWidth();
    for (int c = 0; c < Columns; ++c) {
        const QRect cell = layout_.HexCellRect(c, line.Row);
        const TCellColor& color = line.Colors[static_cast<std::size_t>(c)];
        painter_.fillRect(cell, Color(color.Background));
        const std::int64_t a = line.Address + c;
        if (a > line.Size) {
            DrawText(cell, 2, PastEndText(), color);
        } else if (a == line.Size) {
            DrawText(cell, 2, EofText(), color);
        } else {
            DrawText(cell, 2, HexByteText(line.Mine[c]), color);
            if (line.Arrows && a < line.TargetSize && line.Mine[c] != line.Theirs[c]) {
                const TCellColor arrow{color.Font, color.Background, false};
                DrawText(cell, 2 + 2 * cw,
                         line.Mine[c] > line.Theirs[c] ? QStringLiteral("+") : QStringLiteral("-"),
                         arrow);
            }
        }
    }
}

// A double-byte character is drawn twice, each time clipped to one of its two cells and in
// that byte's colours, so a selection or difference that splits it shows on each half.
void TViewPainter::PaintCharacters(const TLine& line, const std::vector<bool>& pairs) {
    const auto& glyphs = SingleByteGlyphs();
    const std::size_t first = static_cast<std::size_t>(line.Row) * Columns;
    for (int c = 0; c < Columns; ++c) {
        const QRect cell = layout_.CharCellRect(c, line.Row);
        const std::size_t i = first + static_cast<std::size_t>(c);
        if (i > 0 && pairs[i - 1]) {
            // The second half of a character drawn with the cell before; one that began on
            // the row above leaves this cell blank.
            if (c == 0) painter_.fillRect(cell, Color(line.Normal.Background));
            continue;
        }
        const TCellColor& color = line.Colors[static_cast<std::size_t>(c)];
        painter_.fillRect(cell, Color(color.Background));
        if (line.Address + c >= line.Size) continue;
        if (pairs[i])
            PaintPair(line, c);
        else
            DrawText(cell, 0, glyphs[line.Mine[c]], color);
    }
    if (!pairs[first + Columns - 1])
        painter_.fillRect(layout_.CharCellRect(Columns, line.Row), Color(line.Normal.Background));
}

// A double-byte character is drawn twice, each time clipped to one of its two cells and in
// that byte's colours, so a selection or difference that splits it shows on each half.
void TViewPainter::PaintPair(const TLine& line, int column) {
    CharPair pair{line.Mine[column], line.Mine[column + 1]};
    if (!DecodeCharPair(line.CharaSet, pair)) return;
    const std::string utf8 =
        ShiftJisToUtf8(std::string{static_cast<char>(pair[0]), static_cast<char>(pair[1])});
    QString text = QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
    // A pair in the lead and trail ranges that names no character shows as blank cells.
    if (text == QChar(QChar::ReplacementCharacter)) text.clear();
    const QRect cell = layout_.CharCellRect(column, line.Row);
    const QRect next = layout_.CharCellRect(column + 1, line.Row);
    const TCellColor& nextColor = line.Colors[static_cast<std::size_t>(column + 1)];
    painter_.save();
    painter_.setClipRect(cell);
    DrawText(cell, 0, text, line.Colors[static_cast<std::size_t>(column)]);
    painter_.setClipRect(next);
    painter_.fillRect(next, Color(nextColor.Background));
    DrawText(cell, 0, text, nextColor);
    painter_.restore();
    // restore() brought back the font of the save().
    bold_ = painter_.font().bold();
}

void TViewPainter::PaintSumCell(const TLine& line, Byte sum, bool caretRow) {
    const QRect cell = layout_.RaisedCellRect(TViewLayout::SumColumn, line.Row);
    DrawRaisedCell(painter_, cell, palette_, Color(caretRow ? clHighlight : clBtnFace));
    UseFont(false);
    painter_.setPen(Color(caretRow ? clHighlightText : clWindowText));
    const int x = cell.left() + (cell.width() - 2 * layout_.CharWidth()) / 2;
    painter_.drawText(QPoint(x, layout_.CellRect(0, line.Row).top() + baseline_), HexByteText(sum));
}

void TViewPainter::PaintCaretMarker(const TEditorCore& core) {
    const bool caretInHex = core.InputArea() == TInputArea::Hex;
    if (caretInHex && !layout_.Shows(viCharacters)) return;
    const std::int32_t row = core.CaretRow();
    const int column = core.CaretColumn();
    const QRect area = caretInHex ? layout_.CharacterArea() : layout_.HexArea();
    const QRect cell = caretInHex ? layout_.CharCellRect(column, row) : layout_.HexCellRect(column, row);
    const QColor color = Color(core.Colors()[static_cast<std::size_t>(TColorIndex::CaretMarker)]);
    painter_.fillRect(QRect(cell.right(), 0, 1, layout_.LinesHeight()), color);
    painter_.fillRect(QRect(area.left(), cell.bottom(), area.width(), 1), color);
    painter_.setPen(color);
    painter_.setBrush(Qt::NoBrush);
    painter_.drawRect(cell.adjusted(0, 0, -1, -1));
}

void TViewPainter::PaintCaret(const QRect& caret) {
    painter_.save();
    painter_.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
    painter_.fillRect(caret, Qt::white);
    painter_.restore();
}

} // namespace mv
