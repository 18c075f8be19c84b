// Draws the tool-bar and menu icons that the program ships as fallbacks for the desktop's icon
// theme: 16 x 16 pixel PNG files, one per name, plus the application icon at 16, 32 and 48.
// Everything is drawn from shapes (no fonts), so the same Qt gives the same pictures.
//
// Usage: toolicons <output folder>. It also writes the folder's Qt resource list,
// tool_icons.qrc, naming every picture it drew.
#include <QtCore/QDir>
#include <QtCore/QFile>
#include <QtCore/QString>
#include <QtCore/QStringList>
#include <QtGui/QGuiApplication>
#include <QtGui/QImage>
#include <QtGui/QPainter>
#include <QtGui/QPainterPath>

#include <cmath>
#include <cstdio>
#include <functional>
#include <utility>
#include <vector>

namespace {

const QColor Outline(0x55, 0x57, 0x53);
const QColor Paper(0xff, 0xff, 0xff);
const QColor PaperShade(0xe4, 0xe6, 0xe1);
const QColor Blue(0x34, 0x65, 0xa4);
const QColor LightBlue(0x72, 0x9f, 0xcf);
const QColor Green(0x4e, 0x9a, 0x06);
const QColor Red(0xcc, 0x00, 0x00);
const QColor Yellow(0xed, 0xd4, 0x00);
const QColor Orange(0xf5, 0x79, 0x00);
const QColor Brown(0x8f, 0x59, 0x02);
const QColor Grey(0x88, 0x8a, 0x85);

// A sheet with a folded top-right corner and a few lines of "bytes" on it.
void Page(QPainter& p, QRectF r, bool lines = true) {
    const qreal fold = 3;
    QPainterPath sheet;
    sheet.moveTo(r.left(), r.top());
    sheet.lineTo(r.right() - fold, r.top());
    sheet.lineTo(r.right(), r.top() + fold);
    sheet.lineTo(r.right(), r.bottom());
    sheet.lineTo(r.left(), r.bottom());
    sheet.closeSubpath();
    p.setPen(QPen(Outline, 1));
    p.setBrush(Paper);
    p.drawPath(sheet);
    p.setBrush(PaperShade);
    p.drawPolygon(
        QPolygonF({QPointF(r.right() - fold, r.top()), QPointF(r.right() - fold, r.top() + fold),
                   QPointF(r.right(), r.top() + fold)}));
    if (!lines) return;
    p.setPen(QPen(Grey, 1));
    for (qreal y = r.top() + 4; y < r.bottom() - 1; y += 2)
        p.drawLine(QPointF(r.left() + 2, y), QPointF(r.right() - 2, y));
}

// A filled triangle pointing up (dy < 0) or down (dy > 0) with its tip at `tip`.
void Triangle(QPainter& p, QPointF tip, qreal half, qreal dy, const QColor& color) {
    p.setPen(QPen(color.darker(130), 1));
    p.setBrush(color);
    p.drawPolygon(QPolygonF(
        {tip, QPointF(tip.x() - half, tip.y() - dy), QPointF(tip.x() + half, tip.y() - dy)}));
}

void Magnifier(QPainter& p, QPointF centre, qreal radius) {
    p.setPen(QPen(Outline, 1.5));
    p.setBrush(QColor(0xdd, 0xe8, 0xf5));
    p.drawEllipse(centre, radius, radius);
    p.setPen(QPen(Brown, 2.5, Qt::SolidLine, Qt::RoundCap));
    const qreal reach = radius * 0.75;
    p.drawLine(centre + QPointF(reach, reach), centre + QPointF(reach + 4, reach + 4));
}

// A curved arrow: an arc over the top that ends in a head on the left or the right.
void CurvedArrow(QPainter& p, bool toLeft) {
    p.save();
    if (!toLeft) {
        p.translate(16, 0);
        p.scale(-1, 1);
    }
    QPainterPath arc;
    arc.moveTo(13, 13);
    arc.cubicTo(14, 6, 9, 3.5, 5, 6.5);
    p.setPen(QPen(Blue, 2.5, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    p.drawPath(arc);
    p.setPen(QPen(Blue.darker(120), 1));
    p.setBrush(LightBlue);
    p.drawPolygon(QPolygonF({QPointF(1.5, 8.5), QPointF(7.5, 2.5), QPointF(8, 10)}));
    p.restore();
}

void SmallWindow(QPainter& p, QRectF r) {
    p.setPen(QPen(Outline, 1));
    p.setBrush(Paper);
    p.drawRect(r);
    p.setPen(Qt::NoPen);
    p.setBrush(Blue);
    p.drawRect(QRectF(r.left() + 0.5, r.top() + 0.5, r.width() - 0.5, 2.5));
}

void Cross(QPainter& p, QRectF r, const QColor& color, qreal width) {
    p.setPen(QPen(color, width, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(r.topLeft(), r.bottomRight());
    p.drawLine(r.topRight(), r.bottomLeft());
}

// Two sheets side by side whose lines differ in one place: the comparison commands' base.
void TwoPages(QPainter& p) {
    Page(p, QRectF(0.5, 0.5, 8, 11));
    Page(p, QRectF(7.5, 4.5, 8, 11));
    p.setPen(QPen(Red, 1));
    p.drawLine(QPointF(9.5, 10.5), QPointF(13.5, 10.5));
}

void Floppy(QPainter& p, QRectF r) {
    p.setPen(QPen(Blue.darker(150), 1));
    p.setBrush(Blue);
    p.drawRoundedRect(r, 1, 1);
    p.setPen(Qt::NoPen);
    p.setBrush(Paper);
    p.drawRect(QRectF(r.left() + r.width() * 0.2, r.top() + 1, r.width() * 0.6, r.height() * 0.4));
    p.setBrush(QColor(0xba, 0xbd, 0xb6));
    p.drawRect(QRectF(r.left() + r.width() * 0.25, r.bottom() - r.height() * 0.4, r.width() * 0.5,
                      r.height() * 0.4 - 0.5));
}

void Gear(QPainter& p) {
    QPainterPath outline;
    const QPointF c(8, 8);
    for (int i = 0; i < 16; ++i) {
        const qreal angle = i * M_PI / 8 - M_PI / 16;
        const qreal radius = (i % 2 == 0) ? 7.5 : 5.5;
        const QPointF a = c + QPointF(std::cos(angle), std::sin(angle)) * radius;
        const QPointF b =
            c + QPointF(std::cos(angle + M_PI / 8), std::sin(angle + M_PI / 8)) * radius;
        if (i == 0) outline.moveTo(a);
        outline.lineTo(a);
        outline.lineTo(b);
    }
    outline.closeSubpath();
    QPainterPath hole;
    hole.addEllipse(c, 2.5, 2.5);
    p.setPen(QPen(Outline, 1));
    p.setBrush(QColor(0xba, 0xbd, 0xb6));
    p.drawPath(outline.subtracted(hole));
}

using TDraw = std::function<void(QPainter&)>;

const std::vector<std::pair<const char*, TDraw>>& Icons() {
    static const std::vector<std::pair<const char*, TDraw>> icons = {
        {"new",
         [](QPainter& p) {
             Page(p, QRectF(2.5, 0.5, 11, 15), false);
             p.setPen(QPen(Green, 2.5));
             p.drawLine(QPointF(11, 8), QPointF(11, 15));
             p.drawLine(QPointF(7.5, 11.5), QPointF(14.5, 11.5));
         }},
        {"open",
         [](QPainter& p) {
             p.setPen(QPen(Brown, 1));
             p.setBrush(QColor(0xc1, 0x7d, 0x11));
             p.drawPolygon(
                 QPolygonF({QPointF(0.5, 2.5), QPointF(5.5, 2.5), QPointF(6.5, 4.5),
                            QPointF(13.5, 4.5), QPointF(13.5, 13.5), QPointF(0.5, 13.5)}));
             Page(p, QRectF(3.5, 3.5, 9, 8), false);
             p.setPen(QPen(Brown, 1));
             p.setBrush(Yellow);
             p.drawPolygon(QPolygonF(
                 {QPointF(2.5, 7.5), QPointF(15.5, 7.5), QPointF(13.5, 13.5), QPointF(0.5, 13.5)}));
         }},
        {"save", [](QPainter& p) { Floppy(p, QRectF(1.5, 1.5, 13, 13)); }},
        {"cut",
         [](QPainter& p) {
             p.setPen(QPen(Outline, 1.5, Qt::SolidLine, Qt::RoundCap));
             p.drawLine(QPointF(4, 1), QPointF(10.5, 10));
             p.drawLine(QPointF(12, 1), QPointF(5.5, 10));
             p.setPen(QPen(Red, 1.5));
             p.setBrush(Qt::NoBrush);
             p.drawEllipse(QPointF(4, 12.5), 2.5, 2.5);
             p.drawEllipse(QPointF(12, 12.5), 2.5, 2.5);
         }},
        {"copy",
         [](QPainter& p) {
             Page(p, QRectF(0.5, 0.5, 9, 11));
             Page(p, QRectF(6.5, 4.5, 9, 11));
         }},
        {"paste",
         [](QPainter& p) {
             p.setPen(QPen(Brown, 1));
             p.setBrush(QColor(0xc1, 0x7d, 0x11));
             p.drawRoundedRect(QRectF(1.5, 2.5, 11, 13), 1, 1);
             p.setBrush(QColor(0xba, 0xbd, 0xb6));
             p.setPen(QPen(Outline, 1));
             p.drawRect(QRectF(4.5, 0.5, 5, 3));
             Page(p, QRectF(6.5, 5.5, 9, 10));
         }},
        {"undo", [](QPainter& p) { CurvedArrow(p, true); }},
        {"redo", [](QPainter& p) { CurvedArrow(p, false); }},
        {"search", [](QPainter& p) { Magnifier(p, QPointF(6.5, 6.5), 5); }},
        {"replace",
         [](QPainter& p) {
             Magnifier(p, QPointF(5, 5), 4);
             p.setPen(QPen(Outline, 1));
             p.setBrush(Paper);
             p.drawRect(QRectF(0.5, 11.5, 4, 4));
             p.setBrush(Yellow);
             p.drawRect(QRectF(11.5, 11.5, 4, 4));
             p.setPen(QPen(Green, 1.5));
             p.drawLine(QPointF(5.5, 13.5), QPointF(9.5, 13.5));
             Triangle(p, QPointF(11, 13.5), 2, -2, Green);
         }},
        {"search-prev",
         [](QPainter& p) {
             Magnifier(p, QPointF(5.5, 8.5), 4.5);
             Triangle(p, QPointF(12.5, 1), 3, -4, Green);
         }},
        {"search-next",
         [](QPainter& p) {
             Magnifier(p, QPointF(5.5, 5.5), 4.5);
             Triangle(p, QPointF(12.5, 15), 3, 4, Green);
         }},
        {"compare-file", [](QPainter& p) { TwoPages(p); }},
        {"compare-window",
         [](QPainter& p) {
             SmallWindow(p, QRectF(0.5, 0.5, 9, 9));
             SmallWindow(p, QRectF(6.5, 6.5, 9, 9));
         }},
        {"compare-present",
         [](QPainter& p) {
             Page(p, QRectF(0.5, 0.5, 9, 12));
             Floppy(p, QRectF(7.5, 7.5, 8, 8));
         }},
        {"compare-quit",
         [](QPainter& p) {
             TwoPages(p);
             Cross(p, QRectF(8.5, 1.5, 6, 6), Red, 2);
         }},
        {"compare-prev",
         [](QPainter& p) {
             TwoPages(p);
             Triangle(p, QPointF(12.5, 0.5), 3, -4, Green);
         }},
        {"compare-next",
         [](QPainter& p) {
             TwoPages(p);
             Triangle(p, QPointF(4.5, 15.5), 3, 4, Green);
         }},
        {"option", [](QPainter& p) { Gear(p); }},
        {"help",
         [](QPainter& p) {
             p.setPen(QPen(Blue.darker(130), 1));
             p.setBrush(Blue);
             p.drawEllipse(QPointF(8, 8), 7.5, 7.5);
             QPainterPath hook;
             hook.moveTo(5.5, 6);
             hook.cubicTo(5.5, 2.5, 10.5, 2.5, 10.5, 5.5);
             hook.cubicTo(10.5, 7.5, 8, 7.5, 8, 10);
             p.setPen(QPen(Paper, 2, Qt::SolidLine, Qt::RoundCap));
             p.setBrush(Qt::NoBrush);
             p.drawPath(hook);
             p.setPen(Qt::NoPen);
             p.setBrush(Paper);
             p.drawEllipse(QPointF(8, 12.8), 1.2, 1.2);
         }},
        {"close",
         [](QPainter& p) {
             p.setPen(QPen(Red.darker(130), 1));
             p.setBrush(Red);
             p.drawRoundedRect(QRectF(1.5, 1.5, 13, 13), 2, 2);
             Cross(p, QRectF(5, 5, 6, 6), Paper, 2);
         }},
        {"history-item",
         [](QPainter& p) {
             Page(p, QRectF(0.5, 0.5, 10, 13));
             p.setPen(QPen(Outline, 1));
             p.setBrush(Paper);
             p.drawEllipse(QPointF(11, 11), 4.5, 4.5);
             p.setPen(QPen(Blue, 1.2, Qt::SolidLine, Qt::RoundCap));
             p.drawLine(QPointF(11, 11), QPointF(11, 8));
             p.drawLine(QPointF(11, 11), QPointF(13, 12));
         }},
        {"window-item", [](QPainter& p) { SmallWindow(p, QRectF(1.5, 2.5, 13, 11)); }},
        {"more",
         [](QPainter& p) {
             p.setPen(Qt::NoPen);
             p.setBrush(Outline);
             for (const qreal x : {3.0, 8.0, 13.0})
                 p.drawEllipse(QPointF(x, 8), 1.6, 1.6);
         }},
        {"info-mode",
         [](QPainter& p) {
             p.setPen(QPen(Outline, 1));
             p.setBrush(Paper);
             p.drawRect(QRectF(0.5, 4.5, 15, 7));
             p.setPen(Qt::NoPen);
             p.setBrush(Green);
             p.drawRect(QRectF(1.5, 5.5, 8, 5.5));
             Triangle(p, QPointF(12.5, 0.5), 2.5, -3, Blue);
             Triangle(p, QPointF(12.5, 15.5), 2.5, 3, Blue);
         }},
        // Rows of captions and values under a magnifier: the data probe.
        {"probe",
         [](QPainter& p) {
             p.setPen(QPen(Outline, 1));
             p.setBrush(Paper);
             p.drawRect(QRectF(0.5, 0.5, 13, 12));
             p.setPen(Qt::NoPen);
             for (int row = 0; row < 4; ++row) {
                 p.setBrush(Grey);
                 p.drawRect(QRectF(2, 2.5 + row * 2.5, 4, 1.5));
                 p.setBrush(row == 1 ? Orange : LightBlue);
                 p.drawRect(QRectF(7, 2.5 + row * 2.5, 5, 1.5));
             }
             Magnifier(p, QPointF(9.5, 9.5), 3.5);
         }},
    };
    return icons;
}

// The application icon, drawn on a 16-unit grid at any size: a sheet of byte cells.
void ApplicationIcon(QPainter& p) {
    p.setPen(QPen(Blue.darker(140), 1));
    p.setBrush(Blue);
    p.drawRoundedRect(QRectF(0.5, 0.5, 15, 15), 2.5, 2.5);
    p.setPen(Qt::NoPen);
    for (int row = 0; row < 3; ++row)
        for (int column = 0; column < 3; ++column) {
            p.setBrush(row == 1 && column == 1 ? Orange : Paper);
            p.drawRect(QRectF(2.5 + column * 4, 2.5 + row * 4, 3, 3));
        }
}

bool WriteResourceList(const QDir& folder, const QStringList& files) {
    QFile list(folder.filePath(QStringLiteral("tool_icons.qrc")));
    if (!list.open(QIODevice::WriteOnly | QIODevice::Truncate)) return false;
    QByteArray text = "<!DOCTYPE RCC>\n<RCC version=\"1.0\">\n<qresource prefix=\"/icons\">\n";
    for (const QString& file : files)
        text += "  <file>" + file.toUtf8() + "</file>\n";
    text += "</qresource>\n</RCC>\n";
    return list.write(text) == text.size();
}

bool Write(const QString& path, int size, const TDraw& draw) {
    QImage image(size, size, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(size / 16.0, size / 16.0);
    draw(painter);
    painter.end();
    if (image.save(path, "PNG")) return true;
    std::fprintf(stderr, "toolicons: cannot write %s\n", qPrintable(path));
    return false;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s OUTPUT_FOLDER\n", argv[0]);
        return 2;
    }
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    const QDir folder(QString::fromLocal8Bit(argv[1]));
    bool written = true;
    QStringList files;
    for (const auto& [name, draw] : Icons()) {
        files << QString::fromLatin1(name) + ".png";
        written &= Write(folder.filePath(files.back()), 16, draw);
    }
    for (const int size : {16, 32, 48}) {
        files << QStringLiteral("morvane-%1.png").arg(size);
        written &= Write(folder.filePath(files.back()), size, ApplicationIcon);
    }
    written &= WriteResourceList(folder, files);
    return written ? 0 : 1;
}
