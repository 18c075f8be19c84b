// Draws the application icon for the desktop's hicolor theme at the sizes desktops ask for:
// a blue sheet of byte cells, the middle one lit orange, as the small tool-bar icon shows it,
// with light and shade that only the larger sizes have room for. Drawn from shapes only (no
// fonts), so the same Qt gives the same pictures.
//
// Usage: appicon <hicolor folder>; writes <size>x<size>/apps/example.morvane.MorvanePrime.png.
#include <QtCore/QDir>
#include <QtCore/QString>
#include <QtGui/QGuiApplication>
#include <QtGui/QImage>
#include <QtGui/QLinearGradient>
#include <QtGui/QPainter>

#include <cstdio>

namespace {

constexpr const char* IconName = "example.morvane.MorvanePrime";
constexpr int Sizes[] = {16, 22, 24, 32, 48, 64, 128, 256};

const QColor Blue(0x34, 0x65, 0xa4);
const QColor DarkBlue(0x20, 0x4a, 0x87);
const QColor Orange(0xf5, 0x79, 0x00);
const QColor Paper(0xff, 0xff, 0xff);

// Drawn on a 64-unit grid; below 32 pixels the shading would only blur the cells.
void Draw(QPainter& p, int size) {
    const bool detailed = size >= 32;
    const QRectF sheet(2, 2, 60, 60);
    if (detailed) { // a soft shadow below the sheet
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0, 0, 0, 60));
        p.drawRoundedRect(sheet.translated(0, 1.5), 10, 10);
    }
    QLinearGradient face(0, 2, 0, 62);
    face.setColorAt(0, detailed ? Blue.lighter(125) : Blue);
    face.setColorAt(1, detailed ? DarkBlue : Blue);
    p.setPen(QPen(DarkBlue.darker(130), detailed ? 1.5 : 4));
    p.setBrush(face);
    p.drawRoundedRect(sheet, 10, 10);
    if (detailed) { // the address strip along the top
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(255, 255, 255, 45));
        p.drawRoundedRect(QRectF(6, 6, 52, 8), 3, 3);
    }
    p.setPen(Qt::NoPen);
    const qreal top = detailed ? 18 : 10;
    const qreal cell = detailed ? 11 : 12;
    const qreal step = detailed ? 14 : 16;
    const qreal left = (64 - 2 * step - cell) / 2;
    for (int row = 0; row < 3; ++row)
        for (int column = 0; column < 3; ++column) {
            const bool lit = row == 1 && column == 1;
            const QRectF box(left + column * step, top + row * step, cell, cell);
            p.setBrush(lit ? Orange : Paper);
            p.drawRoundedRect(box, detailed ? 2 : 0, detailed ? 2 : 0);
        }
}

bool Write(const QDir& root, int size) {
    const QString folder = QStringLiteral("%1x%1/apps").arg(size);
    if (!root.mkpath(folder)) return false;
    QImage image(size, size, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(size / 64.0, size / 64.0);
    Draw(painter, size);
    painter.end();
    const QString path = root.filePath(folder + QLatin1Char('/') + QLatin1String(IconName) + QStringLiteral(".png"));
    if (image.save(path, "PNG")) return true;
    std::fprintf(stderr, "appicon: cannot write %s\n", qPrintable(path));
    return false;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s HICOLOR_FOLDER\n", argv[0]);
        return 2;
    }
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    const QDir root(QString::fromLocal8Bit(argv[1]));
    bool written = true;
    for (const int size : Sizes) written &= Write(root, size);
    return written ? 0 : 1;
}
