#include "ui/typedvalues/sel_char.h"

#include "platform/fixed_font.h"
#include "resources/ankfonts.h"

#include <QtGui/QPainter>
#include <QtWidgets/QStyledItemDelegate>

namespace mv {

namespace {

constexpr int ItemHeight = 16;
constexpr int GlyphWidth = 8;
constexpr int GlyphHeight = 16;
constexpr int GlyphsPerRow = 64;
constexpr int TextLeft = 24;
constexpr int TextTop = 2;
constexpr int GlyphLeft = 4;
constexpr int FontHeight = 12;
const QColor Silver(0xC0, 0xC0, 0xC0);

// The glyph bitmap with its white made transparent, so that drawing a glyph leaves the
// square under it wherever the glyph is white (the bitmap's own way is AND-ing).
const QImage& Glyphs() {
    static const QImage glyphs = [] {
        const auto bytes = resources::AnkFonts();
        QImage image = QImage::fromData(bytes.data(), static_cast<int>(bytes.size()), "PBM")
                           .convertToFormat(QImage::Format_ARGB32);
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                if (qGray(image.pixel(x, y)) >= 128) image.setPixel(x, y, qRgba(0, 0, 0, 0));
        return image;
    }();
    return glyphs;
}

// Draws the items of a TSelChar; the row is the code.
class CharItemDelegate : public QStyledItemDelegate {
public:
    explicit CharItemDelegate(TSelChar& list) : QStyledItemDelegate(&list), list_(list) {}

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        const QRect r = option.rect;
        const auto code = static_cast<std::uint8_t>(index.row());
        const bool selected = (option.state & QStyle::State_Selected) != 0;
        const QPalette& colors = option.palette;
        painter->save();
        painter->fillRect(r, colors.color(selected ? QPalette::Highlight : QPalette::Base));
        painter->setFont(list_.font());
        painter->setPen(colors.color(selected ? QPalette::HighlightedText : QPalette::Text));
        painter->drawText(r.adjusted(TextLeft, TextTop, 0, 0), Qt::AlignLeft | Qt::AlignTop,
                          QString::fromStdString(CharItemText(code)));
        painter->fillRect(QRect(r.left(), r.top(), GlyphHeight, GlyphHeight), Silver);
        if (const auto slot = GlyphSlot(list_.AsciiCharaSet(), code))
            painter->drawImage(QPoint(r.left() + GlyphLeft, r.top()), Glyphs(),
                               QRect(*slot % GlyphsPerRow * GlyphWidth,
                                     *slot / GlyphsPerRow * GlyphHeight, GlyphWidth, GlyphHeight));
        if (option.state & QStyle::State_HasFocus) {
            painter->setPen(QPen(painter->pen().color(), 1, Qt::DotLine));
            painter->drawRect(r.adjusted(0, 0, -1, -1));
        }
        painter->restore();
    }

    [[nodiscard]] QSize sizeHint(const QStyleOptionViewItem& option,
                                 const QModelIndex&) const override {
        return {option.rect.width(), ItemHeight};
    }

private:
    const TSelChar& list_;
};

} // namespace

TSelChar::TSelChar(QWidget* parent) : QListWidget(parent) {
    setFont(FixedFont(FontHeight));
    setUniformItemSizes(true);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setItemDelegate(new CharItemDelegate(*this));
    SetAsciiCharaSet(TAsciiSet::asASCII);
}

void TSelChar::SetAsciiCharaSet(TAsciiSet set) {
    set_ = set;
    const int count = CodeCount(set);
    // A selected code that goes leaves no selection, not a neighbour chosen for the user.
    const bool selectionGoes = SelectedCode() >= count;
    while (this->count() > count)
        delete takeItem(this->count() - 1);
    while (this->count() < count)
        addItem(QString());
    if (selectionGoes) {
        setCurrentItem(nullptr);
        clearSelection();
    }
    viewport()->update();
}

int TSelChar::SelectedCode() const {
    const QList<QListWidgetItem*> items = selectedItems();
    return items.isEmpty() ? -1 : row(items.front());
}

} // namespace mv
