#pragma once

#include "core/probe/probe_rows.h"

#include <array>

namespace mv {

// The data probe without its window: the bytes at the caret and the byte order they are
// read in, the text of each row, and the bytes that text typed into a row becomes.
class TProbeModel {
public:
    // The bytes from the caret on: the first ProbeSpan of them are kept, and fewer than
    // that tell where the data ends.
    void SetBytes(std::span<const Byte> bytes);
    [[nodiscard]] std::span<const Byte> Bytes() const { return {bytes_.data(), count_}; }
    [[nodiscard]] std::endian ByteOrder() const { return order_; }
    void SetByteOrder(std::endian order) { order_ = order; }

    [[nodiscard]] std::string Text(TProbeRow row) const {
        return RowText(row, Bytes(), order_);
    }
    // The bytes to write at the caret for text typed into the row, or the reason there are
    // none: the text's own, or that they would reach past the end of the data, which an
    // edit overwrites but never extends.
    [[nodiscard]] TProbeEdit Edit(TProbeRow row, std::string_view text) const;
    // The data at the caret holds these bytes already, so writing them would change nothing
    // and should leave the document unmodified.
    [[nodiscard]] bool Holds(std::span<const Byte> bytes) const;

private:
    std::array<Byte, ProbeSpan> bytes_{};
    std::size_t count_ = 0;
    std::endian order_ = std::endian::little;
};

} // namespace mv
