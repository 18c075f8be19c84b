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
        switch (charaSet_) {
        case CharaSet::Ascii:
            return QStringLiteral("ASCII");
        case CharaSet::ShiftJis:
            return QStringLiteral("Shift JIS");
        case CharaSet::Jis:
            return QStringLiteral("JIS");
        case CharaSet::Euc:
            return QStringLiteral("EUC");
        }
    }
    return QStringLiteral("+%1").arg(column - 1, 0, 16).toUpper();
}

} // namespace mv
