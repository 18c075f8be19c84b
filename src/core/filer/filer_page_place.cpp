#include "core/filer/filer_page_place.h"

#include "core/filer/filer_bounds.h"

#include <algorithm>
#include <cinttypes>
#include <cstdio>

namespace mv {
namespace {

constexpr int Spare = FilerPageSpare;
constexpr int RowGap = 4;

int EditorWidth(const TFilerItem& item, const TFilerMetrics& metrics) {
    switch (item.Kind) {
    case TFilerItemKind::EditInteger:
        return metrics.IntegerWidth;
    case TFilerItemKind::EditString:
        return metrics.StringWidth;
    case TFilerItemKind::EditSelect: {
        int widest = 0;
        for (const TFilerOption& option : item.Options)
            widest = std::max(widest, metrics.TextWidth(option.Label));
        return std::max(metrics.SelectMinimum, widest + metrics.SelectExtra);
    }
    default:
        return 0;
    }
}

// A caption label, its editor beside it and the jump button at the editor's right edge,
// centred on the editor's height.
TFilerRowPlace FieldRow(const TFilerItem& item, int left, int y, const TFilerMetrics& metrics) {
    TFilerRowPlace row;
    row.Caption = {left, y + (metrics.EditorHeight - metrics.LabelHeight) / 2,
                   metrics.TextWidth(item.Caption), metrics.LabelHeight};
    const int editorLeft = item.Margin == TFilerItem::Automatic
                               ? row.Caption.Right() + 4
                               : row.Caption.Left + item.Margin;
    row.Control = {editorLeft, y, EditorWidth(item, metrics), metrics.EditorHeight};
    row.Jump = {row.Control.Right(), y + (metrics.EditorHeight - metrics.JumpSize) / 2,
                metrics.JumpSize, metrics.JumpSize};
    return row;
}

} // namespace

TFilerPagePlace PlaceFilerPage(const std::vector<TFilerItem>& items, const TFilerMetrics& metrics) {
    TFilerPagePlace page;
    int y = 8;
    const auto grow = [&page, &y](const TPlaceRect& r) {
        page.Width = std::max(page.Width, r.Right() + Spare);
        if (r.Bottom() + Spare > page.Height) {
            page.Height = r.Bottom() + Spare;
            y = r.Bottom() + RowGap;
        }
        if (page.Height > MaxPageHeight && !page.TooTall) page.TooTall = page.Rows.size() - 1;
    };
    std::vector<std::size_t> rules;
    for (const TFilerItem& item : items) {
        const bool automatic = item.Indent == TFilerItem::Automatic;
        const int left = !automatic ? item.Indent + 8
                         : item.Kind == TFilerItemKind::Label ? 8
                                                              : 24;
        TFilerRowPlace& row = page.Rows.emplace_back();
        switch (item.Kind) {
        case TFilerItemKind::Label:
            row.Control = {left, y, metrics.TextWidth(item.Caption), metrics.LabelHeight};
            grow(row.Control);
            break;
        case TFilerItemKind::HorizontalRule:
            // The rule spans the page as it stands, which widens the page by 4 pixels.
            row.Control = {4, y, page.Width - Spare, 3};
            rules.push_back(page.Rows.size() - 1);
            grow(row.Control);
            break;
        case TFilerItemKind::Message:
            row.Control = {left, y, item.AreaWidth, item.AreaHeight};
            grow(row.Control);
            break;
        case TFilerItemKind::EditBit:
            row.Control = {left, y + 2, metrics.TextWidth(item.Caption) + metrics.CheckExtra,
                           metrics.JumpSize};
            row.Jump = {row.Control.Right(), row.Control.Top, metrics.JumpSize, metrics.JumpSize};
            grow(row.Jump);
            break;
        case TFilerItemKind::EditInteger:
        case TFilerItemKind::EditSelect:
        case TFilerItemKind::EditString:
            row = FieldRow(item, left, y, metrics);
            grow(row.Jump);
            break;
        }
    }
    for (const std::size_t rule : rules)
        page.Rows[rule].Control.Width = page.Width - Spare;
    return page;
}

std::string FieldHint(const TFilerItem& item) {
    char text[40];
    // Addresses of the 32-bit range show as their 32-bit pattern, as the filer wrote them.
    const std::uint64_t address =
        item.Address >= INT32_MIN && item.Address <= UINT32_MAX
            ? static_cast<std::uint32_t>(item.Address)
            : static_cast<std::uint64_t>(item.Address);
    std::snprintf(text, sizeof text, "0x%8.8" PRIx64, address);
    if (item.Kind != TFilerItemKind::EditBit) return text;
    return text + std::string(" - ") + std::to_string(item.Bit);
}

} // namespace mv
