// Writes the character bitmap "AnkFonts": 512 x 64 pixels, 1 bit each, four rows of 64 glyphs
// of 8 x 16; the glyph of code c at x = (c mod 64) * 8, y = (c div 64) * 16. The repertoire is
// JIS X 0201 (the yen sign at 0x5C, half-width katakana at 0xA1..0xDF) with the NEC graphic
// characters at 0x80..0x9F and 0xE0..0xFF, the control codes as two small letters one above
// the other, and a backslash in the slot of 0xFC for ASCII's 0x5C.
//
// Usage: ankfonts <output.pbm>. The output is a binary PBM (P4, 1 = black); the same font
// file and FreeType give the same bytes.
#include <QtCore/QFile>
#include <QtCore/QString>
#include <QtGui/QFont>
#include <QtGui/QFontInfo>
#include <QtGui/QGuiApplication>
#include <QtGui/QImage>
#include <QtGui/QPainter>
#include <QtGui/QPolygon>

#include <array>
#include <cstdio>
#include <functional>

namespace {

constexpr int GlyphWidth = 8;
constexpr int GlyphHeight = 16;
constexpr int Baseline = 13;
const QString FontFamily = QStringLiteral("IPAGothic");
// Small capitals stay legible in this face at 10 pixels, where the gothic face's blur.
const QString ControlFamily = QStringLiteral("DejaVu Sans Mono");

// The control codes 0x00..0x1F, then DEL.
constexpr std::array<const char*, 33> ControlNames = {
    "NU", "SH", "SX", "EX", "ET", "EQ", "AK", "BL", "BS", "HT", "LF",
    "VT", "FF", "CR", "SO", "SI", "DL", "D1", "D2", "D3", "D4", "NK",
    "SY", "EB", "CN", "EM", "SB", "EC", "FS", "GS", "RS", "US", "DE"};

QFont GlyphFont(int pixelSize, const QString& family = FontFamily) {
    QFont font(family);
    font.setPixelSize(pixelSize);
    font.setStyleStrategy(QFont::NoAntialias);
    font.setHintingPreference(QFont::PreferFullHinting);
    return font;
}

// A white glyph cell with the painter set up for black drawing without smoothing.
struct Cell {
    QImage image{GlyphWidth, GlyphHeight, QImage::Format_RGB32};
    Cell() { image.fill(Qt::white); }
};

using Painting = std::function<void(QPainter&)>;

QImage Paint(const Painting& paint) {
    Cell cell;
    QPainter painter(&cell.image);
    painter.setPen(Qt::black);
    painter.setBrush(Qt::black);
    paint(painter);
    return cell.image;
}

// A character of the font, centred. A full-width form (twice the cell's width or near it) is
// drawn at full width, then squeezed into the cell: the pixels of each pair of columns merge.
QImage FontGlyph(char32_t ch, int pixelSize = GlyphHeight) {
    const QString text = QString::fromUcs4(&ch, 1);
    const QFont font = GlyphFont(pixelSize);
    const int advance = QFontMetrics(font).horizontalAdvance(text);
    if (advance < GlyphWidth * 3 / 2)
        return Paint([&](QPainter& p) {
            p.setFont(font);
            p.drawText((GlyphWidth - advance) / 2, Baseline, text);
        });
    QImage wide(2 * GlyphWidth, GlyphHeight, QImage::Format_RGB32);
    wide.fill(Qt::white);
    {
        QPainter p(&wide);
        p.setFont(font);
        p.setPen(Qt::black);
        p.drawText((2 * GlyphWidth - advance) / 2, Baseline, text);
    }
    Cell cell;
    for (int y = 0; y < GlyphHeight; ++y)
        for (int x = 0; x < GlyphWidth; ++x)
            if (qGray(wide.pixel(2 * x, y)) < 128 || qGray(wide.pixel(2 * x + 1, y)) < 128)
                cell.image.setPixel(x, y, qRgb(0, 0, 0));
    return cell.image;
}

// Two letters one above the other, each in half of the cell.
QImage ControlGlyph(const char* name) {
    return Paint([&](QPainter& p) {
        p.setFont(GlyphFont(10, ControlFamily));
        p.drawText(QRect(0, 0, GlyphWidth, GlyphHeight / 2), Qt::AlignCenter,
                   QString(QChar(name[0])));
        p.drawText(QRect(0, GlyphHeight / 2, GlyphWidth, GlyphHeight / 2), Qt::AlignCenter,
                   QString(QChar(name[1])));
    });
}

// Lines of the box-drawing glyphs: the single line runs through column 3 and row 7, the
// double horizontal line through rows 5 and 9, so that neighbours join.
constexpr int MidX = 3;
constexpr int MidY = 7;
constexpr int Right = GlyphWidth - 1;
constexpr int Bottom = GlyphHeight - 1;

void Up(QPainter& p) {
    p.drawLine(MidX, 0, MidX, MidY);
}
void Down(QPainter& p) {
    p.drawLine(MidX, MidY, MidX, Bottom);
}
void LeftArm(QPainter& p) {
    p.drawLine(0, MidY, MidX, MidY);
}
void RightArm(QPainter& p) {
    p.drawLine(MidX, MidY, Right, MidY);
}
void DoubleLeft(QPainter& p) {
    p.drawLine(0, MidY - 2, MidX, MidY - 2);
    p.drawLine(0, MidY + 2, MidX, MidY + 2);
}
void DoubleRight(QPainter& p) {
    p.drawLine(MidX, MidY - 2, Right, MidY - 2);
    p.drawLine(MidX, MidY + 2, Right, MidY + 2);
}

QImage Lines(std::initializer_list<void (*)(QPainter&)> parts) {
    return Paint([&](QPainter& p) {
        for (const auto part : parts)
            part(p);
    });
}

QImage Block(int x, int y, int width, int height) {
    return Paint([&](QPainter& p) { p.fillRect(x, y, width, height, Qt::black); });
}

QImage Triangle(QPoint a, QPoint b, QPoint c) {
    return Paint([&](QPainter& p) { p.drawPolygon(QPolygon({a, b, c})); });
}

// A rounded corner joining the vertical line (down = +1 or up = -1) to the horizontal one
// (right = +1 or left = -1) with a diagonal step instead of the right angle.
QImage Corner(int horizontal, int vertical) {
    return Paint([&](QPainter& p) {
        const QPoint bendStart(MidX, MidY + 2 * vertical);
        const QPoint bendEnd(MidX + 2 * horizontal, MidY);
        p.drawLine(QPoint(MidX, vertical > 0 ? Bottom : 0), bendStart);
        p.drawLine(bendStart, bendEnd);
        p.drawLine(bendEnd, QPoint(horizontal > 0 ? Right : 0, MidY));
    });
}

// The suits are half-width in the gothic face and too small at the cell's own size.
constexpr int SuitSize = 20;

QImage NecGraphic(int code) {
    if (code >= 0x80 && code <= 0x87) { // lower eighths, growing
        const int height = 2 * (code - 0x80 + 1);
        return Block(0, GlyphHeight - height, GlyphWidth, height);
    }
    if (code >= 0x88 && code <= 0x8E) // left eighths, growing
        return Block(0, 0, code - 0x88 + 1, GlyphHeight);
    switch (code) {
    case 0x8F:
        return Lines({Up, Down, LeftArm, RightArm});
    case 0x90:
        return Lines({Up, LeftArm, RightArm});
    case 0x91:
        return Lines({Down, LeftArm, RightArm});
    case 0x92:
        return Lines({Up, Down, LeftArm});
    case 0x93:
        return Lines({Up, Down, RightArm});
    case 0x94:
        return Block(0, 0, GlyphWidth, 2);
    case 0x95:
        return Lines({LeftArm, RightArm});
    case 0x96:
        return Lines({Up, Down});
    case 0x97:
        return Block(GlyphWidth - 1, 0, 1, GlyphHeight);
    case 0x98:
        return Lines({Down, RightArm});
    case 0x99:
        return Lines({Down, LeftArm});
    case 0x9A:
        return Lines({Up, RightArm});
    case 0x9B:
        return Lines({Up, LeftArm});
    case 0x9C:
        return Corner(1, 1);
    case 0x9D:
        return Corner(-1, 1);
    case 0x9E:
        return Corner(1, -1);
    case 0x9F:
        return Corner(-1, -1);
    case 0xE0:
        return Lines({DoubleLeft, DoubleRight});
    case 0xE1:
        return Lines({Up, Down, DoubleRight});
    case 0xE2:
        return Lines({Up, Down, DoubleLeft, DoubleRight});
    case 0xE3:
        return Lines({Up, Down, DoubleLeft});
    case 0xE4:
        return Triangle({Right, 0}, {Right, Bottom}, {0, Bottom});
    case 0xE5:
        return Triangle({0, 0}, {0, Bottom}, {Right, Bottom});
    case 0xE6:
        return Triangle({0, 0}, {Right, 0}, {Right, Bottom});
    case 0xE7:
        return Triangle({0, 0}, {Right, 0}, {0, Bottom});
    case 0xE8:
        return FontGlyph(U'♠', SuitSize);
    case 0xE9:
        return FontGlyph(U'♥', SuitSize);
    case 0xEA:
        return FontGlyph(U'♦', SuitSize);
    case 0xEB:
        return FontGlyph(U'♣', SuitSize);
    case 0xEC:
        return FontGlyph(U'●');
    case 0xED:
        return FontGlyph(U'○');
    case 0xEE:
        return Paint([](QPainter& p) { p.drawLine(Right, 0, 0, Bottom); });
    case 0xEF:
        return Paint([](QPainter& p) { p.drawLine(0, 0, Right, Bottom); });
    case 0xF0:
        return Paint([](QPainter& p) {
            p.drawLine(Right, 0, 0, Bottom);
            p.drawLine(0, 0, Right, Bottom);
        });
    case 0xF1:
        return FontGlyph(U'円');
    case 0xF2:
        return FontGlyph(U'年');
    case 0xF3:
        return FontGlyph(U'月');
    case 0xF4:
        return FontGlyph(U'日');
    case 0xF5:
        return FontGlyph(U'時');
    case 0xF6:
        return FontGlyph(U'分');
    case 0xF7:
        return FontGlyph(U'秒');
    // The gothic face draws U+005C as a yen sign (JIS X 0201); the solidus mirrored is the
    // backslash in the same style.
    case 0xFC:
        return FontGlyph(U'/').mirrored(true, false);
    default:
        return Cell().image;
    }
}

QImage Glyph(int code) {
    if (code < 0x20) return ControlGlyph(ControlNames[static_cast<std::size_t>(code)]);
    if (code == 0x7F) return ControlGlyph(ControlNames.back());
    if (code == 0x5C) return FontGlyph(U'\u00A5');
    if (code > 0x20 && code < 0x7F) return FontGlyph(static_cast<char32_t>(code));
    if (code >= 0xA1 && code <= 0xDF) return FontGlyph(U'\uFF61' + (code - 0xA1));
    if (code == 0x20 || code == 0xA0) return Cell().image;
    return NecGraphic(code);
}

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: ankfonts <output.pbm>\n");
        return 2;
    }
    for (const QString& family : {FontFamily, ControlFamily}) {
        if (QFontInfo(GlyphFont(GlyphHeight, family)).family() != family) {
            std::fprintf(stderr, "ankfonts: the font %s is not installed\n", qPrintable(family));
            return 1;
        }
    }
    constexpr int Columns = 64;
    QImage sheet(Columns * GlyphWidth, 4 * GlyphHeight, QImage::Format_RGB32);
    {
        QPainter painter(&sheet);
        for (int code = 0; code < 256; ++code)
            painter.drawImage((code % Columns) * GlyphWidth, (code / Columns) * GlyphHeight,
                              Glyph(code));
    }
    QByteArray pbm = QByteArray("P4\n") + QByteArray::number(sheet.width()) + ' ' +
                     QByteArray::number(sheet.height()) + '\n';
    for (int y = 0; y < sheet.height(); ++y) {
        for (int x = 0; x < sheet.width(); x += 8) {
            unsigned char bits = 0;
            for (int bit = 0; bit < 8; ++bit)
                if (qGray(sheet.pixel(x + bit, y)) < 128) bits |= 0x80u >> bit;
            pbm.append(static_cast<char>(bits));
        }
    }
    QFile file(QString::fromLocal8Bit(argv[1]));
    if (!file.open(QIODevice::WriteOnly) || file.write(pbm) != pbm.size()) {
        std::fprintf(stderr, "ankfonts: cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
