#include "core/inspector/inspector_model.h"

#include <algorithm>

namespace mv {

void TInspectorModel::SetBytes(std::span<const Byte> bytes) {
    count_ = std::min(bytes.size(), bytes_.size());
    std::copy_n(bytes.begin(), count_, bytes_.begin());
}

TInspectorEdit TInspectorModel::Edit(TInspectorRow row, std::string_view text) const {
    if (RowEditable(row) && RowSize(row) > count_)
        return TInspectorEdit::Refused("書き込む値の範囲がファイル終端を越えています.");
    return EncodeRow(row, text, order_);
}

bool TInspectorModel::Holds(std::span<const Byte> bytes) const {
    return bytes.size() <= count_ && std::ranges::equal(bytes, Bytes().first(bytes.size()));
}

} // namespace mv
