#pragma once

#include "core/datastore/address.h"
#include "ui/binaryview/column_strip.h"

#include <array>

namespace mv {

// The sums of the visible bytes of each byte column, under the binary view.
class TFooterView : public TColumnStrip {
public:
    explicit TFooterView(QWidget* parent = nullptr) : TColumnStrip(parent) {}

    void SetSums(const std::array<Byte, 16>& sums);
    [[nodiscard]] const std::array<Byte, 16>& Sums() const { return sums_; }
    [[nodiscard]] QString Caption(int column) const override;

protected:
    [[nodiscard]] bool HasCell(int column) const override { return column >= 1 && column <= 16; }

private:
    std::array<Byte, 16> sums_{};
};

} // namespace mv
