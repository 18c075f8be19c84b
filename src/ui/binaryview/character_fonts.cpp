#include "ui/binaryview/character_fonts.h"

#include "core/typedvalues/unicode_chars.h"

#include <QtCore/QStringList>
#include <QtGui/QFontMetrics>
#include <QtGui/QPainter>
#include <QtGui/QPainterPath>

#include <cmath>

namespace mv {

namespace {

constexpr char16_t DottedCircle = 0x25CC;

// A fixed-pitch font for the characters other than Japanese, its advance squeezed to the view's
// cell, so that a glyph never reaches into the next cell.
QFont NarrowFont(const QFont& viewFont) {
    QFont narrow = viewFont;
    narrow.setFamilies({QStringLiteral("DejaVu Sans Mono"), QStringLiteral("DejaVu Sans")});
    const qreal cell = QFontMetricsF(viewFont).horizontalAdvance(QLatin1Char('W'));
    const qreal advance = QFontMetricsF(narrow).horizontalAdvance(QLatin1Char('W'));
    if (advance > cell) narrow.setStretch(static_cast<int>(std::floor(cell * 100 / advance)));
    return narrow;
}

QFont Bold(QFont font) {
    font.setBold(true);
    return font;
}

} // namespace

TCharacterFonts::TCharacterFonts(const QFont& viewFont)
    : cellWidth_(QFontMetrics(viewFont).horizontalAdvance(QLatin1Char('W'))) {
    const QFont narrow = NarrowFont(viewFont);
    fonts_ = {narrow, Bold(narrow), viewFont, Bold(viewFont)};
}

const QFont& TCharacterFonts::Font(bool wide, bool bold) const {
    return fonts_[(wide ? 2 : 0) + (bold ? 1 : 0)];
}

bool TCharacterFonts::HasGlyph(char32_t codePoint, bool wide) {
    const std::uint32_t key = codePoint | (wide ? 0x80000000u : 0);
    const auto known = hasGlyph_.find(key);
    if (known != hasGlyph_.end()) return known->second;
    // The metrics ask the fallback fonts as well, which takes a while for a character none has.
    const bool has = QFontMetrics(Font(wide, false)).inFontUcs4(codePoint);
    hasGlyph_.emplace(key, has);
    return has;
}

// Fonts place a lone mark by anchors of their own, often outside the cell; its ink is centred
// over the circle instead.
void TCharacterFonts::Draw(QPainter& painter, QPoint origin, char32_t codePoint, bool wide,
                           bool bold) const {
    const QFont& font = Font(wide, bold);
    painter.setFont(font);
    const QString text = QString::fromUcs4(&codePoint, 1);
    if (!IsCombiningMark(codePoint)) {
        painter.drawText(origin, text);
        return;
    }
    painter.drawText(origin, QString(QChar(DottedCircle)));
    // The metrics know no ink of a lone mark; its outline does.
    QPainterPath outline;
    outline.addText(QPointF(), font, text);
    const QRectF ink = outline.boundingRect();
    painter.drawText(QPointF(origin) + QPointF((cellWidth_ - ink.width()) / 2 - ink.left(), 0),
                     text);
}

} // namespace mv
