#include "ui/binaryview/header_view.h"

namespace mv {

void THeaderView::SetCharaSet(mv::CharaSet set) {
    if (set == charaSet_) return;
    charaSet_ = set;
    update();
}

QString THeaderView::Caption(int column) const {
    if (column == 0) return QStringLiteral("ADDRESS");
    if (column == TViewLayout::SumColumn) return QStringLiteral("SUM");
    if (column == TViewLayout::CharacterColumn) {
        const std::string_view name = CharaSetName(charaSet_);
        return QString::fromLatin1(name.data(), static_cast<qsizetype>(name.size()));
    }
    return QStringLiteral("+%1").arg(column - 1, 0, 16).toUpper();
}

} // namespace mv
