#pragma once

#include <QtGui/QFont>
#include <QtWidgets/QWidget>

namespace mv {

// The filer windows' font: "ＭＳ Ｐゴシック" at 12 pixels where it exists, otherwise a
// proportional Japanese gothic face of that size.
inline void UseFilerFont(QWidget& widget) {
    QFont font = widget.font();
    font.setFamilies({QStringLiteral("ＭＳ Ｐゴシック"), QStringLiteral("MS PGothic"),
                      QStringLiteral("IPAPGothic"), QStringLiteral("IPA Pゴシック"),
                      QStringLiteral("Noto Sans CJK JP"), QStringLiteral("VL PGothic"),
                      QStringLiteral("TakaoPGothic")});
    font.setPixelSize(12);
    widget.setFont(font);
}

} // namespace mv
