#pragma once

#include "core/datastore/address.h"

#include <QtCore/QPointF>
#include <QtCore/QVector>
#include <QtGui/QColor>
#include <QtGui/QFont>
#include <QtGui/QRawFont>

#include <array>
#include <cstdint>

class QPainter;

namespace mv {

// Draws the view's single-byte characters (hex digits, "EOF", "--", the character column's
// bytes) as glyph runs: the glyphs of the 256 bytes are looked up once per font, and the
// glyphs of one colour are drawn together, so a paint needs no text shaping for them.
class TGlyphBatch {
public:
    explicit TGlyphBatch(const QFont& font);

    // The glyph of a byte as the character column shows it (Shift JIS single bytes), or 0
    // when the font has none; a blank byte has none to draw either.
    [[nodiscard]] quint32 GlyphOf(Byte b) const { return glyphs_[b]; }
    [[nodiscard]] bool IsBlank(Byte b) const { return blank_[b]; }

    // Starts a colour; the glyphs of the previous one are drawn first.
    void SetColor(QPainter& painter, const QColor& color);
    // A glyph with its baseline's left end at `point`.
    void Add(QPointF point, quint32 glyph);
    // An ASCII text drawn glyph by glyph, `advance` pixels apart.
    void AddText(QPointF point, std::string_view text, qreal advance);
    // Draws what was added.
    void Flush(QPainter& painter);

private:
    QRawFont raw_;
    std::array<quint32, 256> glyphs_{};
    std::array<bool, 256> blank_{};
    QColor color_;
    QVector<quint32> pending_;
    QVector<QPointF> positions_;
};

} // namespace mv
