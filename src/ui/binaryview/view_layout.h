#pragma once

#include "core/binaryview/editor_core.h"

#include <QtCore/QPoint>
#include <QtCore/QRect>
#include <QtCore/QSize>

#include <array>
#include <cstdint>
#include <optional>

namespace mv {

// The bits of ViewItems: what the editor shows.
enum TViewItem : std::uint8_t {
    viHeader = 1,
    viSum = 2,
    viFooter = 4,
    viAddress = 8,
    viCharacters = 16,
};
inline constexpr std::uint8_t AllViewItems = 31;

// Where a point of the view falls: a row and a column of one of the three areas.
struct TViewHit {
    enum TArea { Address, Hex, Character };
    TArea Area = Hex;
    std::int32_t Row = 0;
    std::int32_t Column = 0; // 0-15; 0 in the address column
};

// A cell of the drag step, measured in the area the drag began: rows above the view are
// negative, columns left or right of the area lie outside 0-15.
struct TDragCell {
    std::int32_t Row = 0;
    std::int32_t Column = 0;
};

// The geometry of the binary view for one font, set of view items and client size: column
// widths, the areas that take the mouse, the cells and the caret. Columns: 0 address, 1-16
// hexadecimal, 17 SUM, 18 characters; hidden columns are 0 wide.
class TViewLayout {
public:
    static constexpr int ColumnCount = 19;
    static constexpr int SumColumn = 17;
    static constexpr int CharacterColumn = 18;
    using TColumnWidths = std::array<int, ColumnCount>;

    TViewLayout() : TViewLayout(QSize(1, 1), AllViewItems, QSize(0, 0), 0) {}
    // charSize is the size of "W" in the view's font. The character column is widened by as
    // much as the client area is wider than the columns and the scroll bar together. The
    // address column holds addressDigits digits (see AddressDigits).
    TViewLayout(QSize charSize, std::uint8_t viewItems, QSize clientSize, int scrollBarWidth,
                int addressDigits = 8);

    [[nodiscard]] int AddressDigits() const { return addressDigits_; }

    [[nodiscard]] int CharWidth() const { return charWidth_; }
    [[nodiscard]] int CharHeight() const { return charHeight_; }
    [[nodiscard]] int LineHeight() const { return lineHeight_; }
    [[nodiscard]] std::int32_t VisibleLines() const { return visibleLines_; }
    [[nodiscard]] int LinesHeight() const { return lineHeight_ * visibleLines_; }
    // The width of the columns before any widening, plus the scroll bar.
    [[nodiscard]] int TotalWidth() const { return totalWidth_; }
    [[nodiscard]] int SixteenLinesHeight() const { return 16 * lineHeight_; }
    [[nodiscard]] std::uint8_t ViewItems() const { return viewItems_; }
    [[nodiscard]] bool Shows(TViewItem item) const { return (viewItems_ & item) != 0; }

    [[nodiscard]] const TColumnWidths& ColumnWidths() const { return widths_; }
    [[nodiscard]] int ColumnLeft(int column) const;
    [[nodiscard]] int HexWidth() const { return widths_[1]; }
    // Right of the last column.
    [[nodiscard]] int ColumnsRight() const { return ColumnLeft(ColumnCount); }

    // The areas that take the mouse, as high as the visible lines; empty when hidden.
    [[nodiscard]] QRect AddressArea() const;
    [[nodiscard]] QRect HexArea() const;
    [[nodiscard]] QRect CharacterArea() const;

    // Column 0-18 of a row; the address and SUM cells are drawn inset by 2 pixels.
    [[nodiscard]] QRect CellRect(int column, std::int32_t row) const;
    [[nodiscard]] QRect RaisedCellRect(int column, std::int32_t row) const;
    // Byte column 0-15 of a row in the hexadecimal area, and 0-16 in the character area (16
    // holds the second half of a character that begins in column 15).
    [[nodiscard]] QRect HexCellRect(int column, std::int32_t row) const;
    [[nodiscard]] QRect CharCellRect(int column, std::int32_t row) const;

    // The caret's rectangle for the input mode: a block, its lower third when inserting, a
    // thin bar when only viewing. The low nibble stands one character further right.
    [[nodiscard]] QRect CaretRect(TInputArea area, std::int32_t row, int column,
                                  std::uint8_t subPosition, TInputMode mode) const;

    [[nodiscard]] std::optional<TViewHit> HitTest(QPoint point) const;
    [[nodiscard]] TDragCell DragCell(QPoint point, TInputArea area) const;

private:
    int charWidth_ = 1;
    int charHeight_ = 1;
    int lineHeight_ = 5;
    std::int32_t visibleLines_ = 0;
    int totalWidth_ = 0;
    std::uint8_t viewItems_ = AllViewItems;
    TColumnWidths widths_{};
    int addressDigits_ = 8;
};

} // namespace mv
