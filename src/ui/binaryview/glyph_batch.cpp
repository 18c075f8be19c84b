#include "ui/binaryview/glyph_batch.h"

#include "core/typedvalues/sjis_utf8.h"

#include <QtGui/QGlyphRun>
#include <QtGui/QPainter>

#include <string>

namespace mv {

TGlyphBatch::TGlyphBatch(const QFont& font) : raw_(QRawFont::fromFont(font)) {
    for (int b = 0; b < 256; ++b) {
        const std::string utf8 = ShiftJisToUtf8(std::string(1, static_cast<char>(b)));
        const QString text = QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
        // Control codes and bytes that begin no character show as blank cells.
        const bool blank = text.size() != 1 || text[0].unicode() <= 0x20 ||
                           text[0].unicode() == 0x7F || text[0] == QChar::ReplacementCharacter;
        blank_[static_cast<std::size_t>(b)] = blank;
        if (blank || !raw_.isValid()) continue;
        const QList<quint32> indexes = raw_.glyphIndexesForString(text);
        glyphs_[static_cast<std::size_t>(b)] = indexes.size() == 1 ? indexes[0] : 0;
    }
}

void TGlyphBatch::SetColor(QPainter& painter, const QColor& color) {
    if (color == color_) return;
    Flush(painter);
    color_ = color;
}

void TGlyphBatch::Add(QPointF point, quint32 glyph) {
    pending_.push_back(glyph);
    positions_.push_back(point);
}

void TGlyphBatch::AddText(QPointF point, std::string_view text, qreal advance) {
    for (const char c : text) {
        Add(point, glyphs_[static_cast<Byte>(c)]);
        point.rx() += advance;
    }
}

void TGlyphBatch::Flush(QPainter& painter) {
    if (pending_.isEmpty()) return;
    QGlyphRun run;
    run.setRawFont(raw_);
    run.setGlyphIndexes(pending_);
    run.setPositions(positions_);
    painter.setPen(color_);
    painter.drawGlyphRun(QPointF(0, 0), run);
    pending_.clear();
    positions_.clear();
}

} // namespace mv
