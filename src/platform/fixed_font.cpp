#include "platform/fixed_font.h"

#include <QtCore/QStringList>

#include <algorithm>

namespace mv {

QFont FixedFont(int pixelHeight) {
    QFont font;
    font.setFamilies({QStringLiteral("ＭＳ ゴシック"), QStringLiteral("MS Gothic"),
                      QStringLiteral("IPAGothic"), QStringLiteral("IPAゴシック"),
                      QStringLiteral("Noto Sans Mono CJK JP"), QStringLiteral("VL Gothic"),
                      QStringLiteral("TakaoGothic")});
    font.setStyleHint(QFont::TypeWriter);
    font.setFixedPitch(true);
    font.setKerning(false);
    font.setPixelSize(std::max(pixelHeight, 1));
    return font;
}

} // namespace mv
