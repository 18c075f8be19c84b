#include "ui/binaryview/view_layout.h"

#include <numeric>

namespace mv {

namespace {

// Division that rounds towards minus infinity, so points above or left of an area give
// negative cells.
std::int32_t FloorDiv(int value, int divisor) {
    const int quotient = value / divisor;
    return value % divisor != 0 && (value < 0) != (divisor < 0) ? quotient - 1 : quotient;
}

} // namespace

TViewLayout::TViewLayout(QSize charSize, std::uint8_t viewItems, QSize clientSize,
                         int scrollBarWidth, int addressDigits)
    : charWidth_(std::max(charSize.width(), 1)), charHeight_(std::max(charSize.height(), 1)),
      viewItems_(viewItems), addressDigits_(addressDigits) {
    const int cw = charWidth_;
    widths_[0] = Shows(viAddress) ? addressDigits * cw + 12 : 0;
    for (int column = 1; column <= 16; ++column)
        widths_[column] = 3 * cw + 4;
    widths_[SumColumn] = Shows(viSum) ? 3 * cw + 4 : 0;
    widths_[CharacterColumn] = Shows(viCharacters) ? 17 * cw + 4 : 0;
    totalWidth_ = std::accumulate(widths_.begin(), widths_.end(), 0) + scrollBarWidth;
    // The widening leaves a hatched strip as wide as the scroll bar at the right.
    if (Shows(viCharacters) && totalWidth_ < clientSize.width())
        widths_[CharacterColumn] += clientSize.width() - totalWidth_;
    lineHeight_ = charHeight_ + 4;
    visibleLines_ = clientSize.height() / lineHeight_;
}

int TViewLayout::ColumnLeft(int column) const {
    return std::accumulate(widths_.begin(), widths_.begin() + column, 0);
}

QRect TViewLayout::AddressArea() const {
    if (!Shows(viAddress)) return {};
    return {0, 0, widths_[0], LinesHeight()};
}

QRect TViewLayout::HexArea() const {
    return {widths_[0], 0, 16 * HexWidth(), LinesHeight()};
}

QRect TViewLayout::CharacterArea() const {
    if (!Shows(viCharacters)) return {};
    return {CharCellRect(0, 0).left(), 0, 16 * charWidth_, LinesHeight()};
}

QRect TViewLayout::CellRect(int column, std::int32_t row) const {
    return {ColumnLeft(column), lineHeight_ * row, widths_[column], lineHeight_};
}

QRect TViewLayout::RaisedCellRect(int column, std::int32_t row) const {
    return CellRect(column, row).adjusted(2, 2, -2, -2);
}

QRect TViewLayout::HexCellRect(int column, std::int32_t row) const {
    return CellRect(column + 1, row);
}

QRect TViewLayout::CharCellRect(int column, std::int32_t row) const {
    const int left = widths_[0] + 16 * HexWidth() + widths_[SumColumn] + 2;
    return {left + column * charWidth_, lineHeight_ * row, charWidth_, lineHeight_};
}

QRect TViewLayout::CaretRect(TInputArea area, std::int32_t row, int column,
                             std::uint8_t subPosition, TInputMode mode) const {
    int x = area == TInputArea::Hex ? widths_[0] + column * HexWidth() + 2
                                    : CharCellRect(column, row).left();
    if (area == TInputArea::Hex && subPosition == 1) x += charWidth_;
    const int y = lineHeight_ * row + 2;
    switch (mode) {
    case TInputMode::Insert: {
        const int top = 2 * (charHeight_ / 3);
        return {x, y + top, charWidth_, charHeight_ - top};
    }
    case TInputMode::ViewOnly:
        return {x, y, std::max(charWidth_ / 3, 1), charHeight_};
    case TInputMode::Overwrite:
        break;
    }
    return {x, y, charWidth_, charHeight_};
}

std::optional<TViewHit> TViewLayout::HitTest(QPoint point) const {
    const std::int32_t row = point.y() / lineHeight_;
    if (HexArea().contains(point))
        return TViewHit{TViewHit::Hex, row, (point.x() - widths_[0]) / HexWidth()};
    if (CharacterArea().contains(point))
        return TViewHit{TViewHit::Character, row,
                        (point.x() - CharacterArea().left()) / charWidth_};
    if (AddressArea().contains(point)) return TViewHit{TViewHit::Address, row, 0};
    return std::nullopt;
}

TDragCell TViewLayout::DragCell(QPoint point, TInputArea area) const {
    const std::int32_t row = FloorDiv(point.y(), lineHeight_);
    if (area == TInputArea::Hex) return {row, FloorDiv(point.x() - widths_[0], HexWidth())};
    return {row, FloorDiv(point.x() - CharacterArea().left(), charWidth_)};
}

} // namespace mv
