#include "ui/binaryview/footer_view.h"

#include "ui/binaryview/line_text.h"

namespace mv {

void TFooterView::SetSums(const std::array<Byte, 16>& sums) {
    if (sums == sums_) return;
    sums_ = sums;
    update();
}

QString TFooterView::Caption(int column) const {
    if (!HasCell(column)) return {};
    return FooterText(sums_[static_cast<std::size_t>(column - 1)]);
}

} // namespace mv
