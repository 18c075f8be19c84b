#include "core/probe/probe_model.h"

#include <algorithm>

namespace mv {

void TProbeModel::SetBytes(std::span<const Byte> bytes) {
    count_ = std::min(bytes.size(), bytes_.size());
    std::copy_n(bytes.begin(), count_, bytes_.begin());
}

TProbeEdit TProbeModel::Edit(TProbeRow row, std::string_view text) const {
    if (RowEditable(row) && RowSize(row) > count_)
        return TProbeEdit::Refused("書き込む値の範囲がファイル終端を越えています.");
    return EncodeRow(row, text, order_);
}

bool TProbeModel::Holds(std::span<const Byte> bytes) const {
    return bytes.size() <= count_ && std::ranges::equal(bytes, Bytes().first(bytes.size()));
}

} // namespace mv
