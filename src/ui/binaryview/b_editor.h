#pragma once

#include "core/config/environment.h"

#include <QtWidgets/QFrame>

#include <cstdint>

namespace mv {

class TBinaryView;
class TFooterView;
class THeaderView;

// The binary editor control: the column header, the data view and the footer of column sums
// in a sunken frame. Not a focus stop itself; the view is.
class TBEditor : public QFrame {
public:
    explicit TBEditor(QWidget* parent = nullptr);

    [[nodiscard]] THeaderView& Header() { return *header_; }
    [[nodiscard]] TBinaryView& View() { return *view_; }
    [[nodiscard]] const TBinaryView& View() const { return *view_; }
    [[nodiscard]] TFooterView& Footer() { return *footer_; }

    // Header font h - 2 in a strip h + 2 high, view font h, footer font h in a strip h + 4 high.
    void SetFontHeight(int height);
    [[nodiscard]] int FontHeight() const { return fontHeight_; }
    // Bit 0 header, 1 SUM, 2 footer, 3 address, 4 characters.
    void SetViewItems(std::uint8_t items);
    [[nodiscard]] std::uint8_t ViewItems() const;
    // The font height from the record, then the record's editor part on the view.
    void SetEnvironment(const TEnvironment& environment);

    // The size that shows every column and sixteen lines.
    [[nodiscard]] int PreferredWidth() const;
    [[nodiscard]] int PreferredHeight() const;

    [[nodiscard]] QSize sizeHint() const override { return {360, 270}; }

private:
    THeaderView* header_;
    TBinaryView* view_;
    TFooterView* footer_;
    int fontHeight_ = 14;
};

} // namespace mv
