#include "ui/dialogs/dlg_version.h"

#include "core/dialogs/web_links.h"
#include "core/shell/window_placement.h"
#include "platform/data_folders.h"
#include "platform/jpeg_codec.h"
#include "platform/deferred_work.h"
#include "platform/work_area.h"

#include <QtCore/QCoreApplication>
#include <QtCore/QDir>
#include <QtCore/QFile>
#include <QtCore/QThread>
#include <QtCore/QUrl>
#include <QtGui/QDesktopServices>
#include <QtGui/QImage>
#include <QtGui/QPixmap>
#include <QtGui/QGuiApplication>
#include <QtGui/QScreen>
#include <QtWidgets/QHBoxLayout>
#include <QtWidgets/QLabel>
#include <QtWidgets/QPushButton>
#include <QtWidgets/QToolButton>
#include <QtWidgets/QVBoxLayout>

#include <algorithm>
#include <optional>
#include <string_view>

namespace mv {

namespace {

constexpr QSize ClientSize(408, 312);
constexpr QSize PictureSize(400, 250);
constexpr QSize LogoSize(88, 31);
constexpr int VersionInset = 16; // from the picture's right edge
// Pictures are small; a larger file is no picture of ours and is not read whole.
constexpr qint64 MaxPictureBytes = 4 * 1024 * 1024;

QString Url(std::string_view address) { return QString::fromLatin1(address.data(), static_cast<qsizetype>(address.size())); }

void Open(std::string_view address) { QDesktopServices::openUrl(QUrl(Url(address))); }

// The picture at `size`, or nothing when the file is missing or no whole JPEG.
std::optional<QPixmap> LoadPicture(const QString& path, QSize size) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || file.size() > MaxPictureBytes) return std::nullopt;
    const QByteArray bytes = file.readAll();
    const std::optional<TRgbPicture> picture = DecodeJpeg(
        {reinterpret_cast<const std::uint8_t*>(bytes.constData()), static_cast<std::size_t>(bytes.size())});
    if (!picture) return std::nullopt;
    const QImage image(picture->Pixels.data(), picture->Width, picture->Height, picture->Width * 3,
                       QImage::Format_RGB888);
    // The image shares the decoded pixels, which go at the end of this function: the pixmap
    // made here is a copy.
    return QPixmap::fromImage(image.size() == size ? image : image.scaled(size));
}

// The address itself shows as the hint: the strip has room for short words only.
QLabel* LinkLabel(const QString& text, std::string_view address, QWidget* parent) {
    auto* label = new QLabel(QStringLiteral("<a href=\"%1\" style=\"color:#a8c8ff;\">%2</a>")
                                 .arg(Url(address), text.toHtmlEscaped()),
                             parent);
    label->setToolTip(Url(address).remove(QStringLiteral("mailto:")));
    label->setTextInteractionFlags(Qt::LinksAccessibleByMouse);
    QObject::connect(label, &QLabel::linkActivated, label, [address] { Open(address); });
    return label;
}

QToolButton* LogoButton(const QString& path, const QString& hint, std::string_view address, QWidget* parent) {
    auto* button = new QToolButton(parent);
    button->setAutoRaise(true);
    button->setCursor(Qt::PointingHandCursor);
    button->setToolTip(hint);
    button->setIconSize(LogoSize);
    if (const std::optional<QPixmap> logo = LoadPicture(path, LogoSize))
        button->setIcon(*logo);
    else
        button->setText(hint);
    QObject::connect(button, &QToolButton::clicked, button, [address] { Open(address); });
    return button;
}

// The version dialog stands in the middle of the screen, not of the work area.
void CentreOnScreen(QWidget& dialog, const QWidget* owner) {
    const QScreen* screen = owner != nullptr ? owner->screen() : QGuiApplication::primaryScreen();
    if (screen == nullptr) return;
    const TScreenPoint place = CentredIn(ToScreenRect(screen->geometry()), ClientSize.width(), ClientSize.height());
    dialog.move(place.X, place.Y);
}

} // namespace

TDlgVersion::TDlgVersion(QWidget* owner, const QString& pictureFolder)
    : QDialog(owner, Qt::Dialog | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint),
      Picture(new QLabel(this)), Label_Version(new QLabel(QStringLiteral("Version 1.03"), Picture)),
      btnClose(new QPushButton(QStringLiteral("閉じる(&C)"), this)) {
    setObjectName(QStringLiteral("TDlgVersion"));
    setWindowTitle(QStringLiteral("バージョン情報"));
    setFixedSize(ClientSize);
    QPalette black = palette();
    black.setColor(QPalette::Window, Qt::black);
    black.setColor(QPalette::WindowText, QColor(0xd0, 0xd0, 0xd0));
    setPalette(black);
    setAutoFillBackground(true);

    // The panel's own colour is the picture's dark blue, for when there is no picture.
    Picture->setObjectName(QStringLiteral("Picture"));
    Picture->setFixedSize(PictureSize);
    Picture->setStyleSheet(QStringLiteral("background-color:#0c1a34;"));
    const std::optional<QPixmap> picture = LoadPicture(QDir(pictureFolder).filePath(QStringLiteral("version.jpg")), PictureSize);
    hasPicture_ = picture.has_value();
    if (picture) Picture->setPixmap(*picture);

    Label_Version->setObjectName(QStringLiteral("Label_Version"));
    Label_Version->setStyleSheet(QStringLiteral("color:white; background:transparent; font-weight:bold;"));
    auto* versionRow = new QHBoxLayout;
    versionRow->addStretch();
    versionRow->addWidget(Label_Version);
    auto* onPicture = new QVBoxLayout(Picture);
    onPicture->setContentsMargins(0, 0, VersionInset, 10);
    onPicture->addStretch();
    onPicture->addLayout(versionRow);

    btnClose->setObjectName(QStringLiteral("btnClose"));
    btnClose->setDefault(true);
    connect(btnClose, &QPushButton::clicked, this, &QDialog::accept);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->setSpacing(4);
    layout->addWidget(Picture);
    layout->addWidget(LinkStrip(pictureFolder));
}

QWidget* TDlgVersion::LinkStrip(const QString& pictureFolder) {
    auto* strip = new QWidget(this);
    auto* links = new QVBoxLayout;
    links->setSpacing(0);
    links->addWidget(LinkLabel(QStringLiteral("Corlith Software"), MakerWebPage, strip));
    links->addWidget(LinkLabel(QStringLiteral("E-Mail"), MakerMail, strip));
    const QDir folder(pictureFolder);
    auto* row = new QHBoxLayout(strip);
    row->setContentsMargins(4, 0, 2, 0);
    row->addLayout(links);
    row->addStretch();
    row->addWidget(LogoButton(folder.filePath(QStringLiteral("logo-filers.jpg")),
                              QStringLiteral("ファイラーライブラリ"), FilerLibraryPage, strip));
    row->addWidget(LogoButton(folder.filePath(QStringLiteral("logo-download.jpg")),
                              QStringLiteral("ダウンロード"), DownloadPage, strip));
    row->addSpacing(6);
    row->addWidget(btnClose);
    return strip;
}

void TDlgVersion::ShowAsOpening() {
    btnClose->hide();
    show();
    repaint();
}

void VersionDialog(QWidget* owner) {
    QWidget* ownerWindow = owner != nullptr ? owner->window() : nullptr;
    TDlgVersion dialog(ownerWindow, ShippedFolder(TShippedData::Pictures));
    CentreOnScreen(dialog, ownerWindow);
    dialog.exec();
}

TOpeningScreen::TOpeningScreen(bool show) {
    shown_.start();
    if (!show) return;
    screen_ = new TDlgVersion(nullptr, ShippedFolder(TShippedData::Pictures));
    CentreOnScreen(*screen_, nullptr);
    screen_->ShowAsOpening();
    QCoreApplication::instance()->installEventFilter(this);
}

bool TOpeningScreen::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Show && screen_ && watched != screen_)
        if (auto* dialog = qobject_cast<QDialog*>(watched); dialog != nullptr && dialog->isModal())
            screen_->hide();
    return false;
}

TOpeningScreen::~TOpeningScreen() { delete screen_; }

// The user's input waits: the start is not over until the screen has gone.
void TOpeningScreen::Finish() {
    if (!screen_ || screen_->isHidden()) return;
    // The windows that opened meanwhile stand above it wherever the desktop ignores "on top".
    screen_->raise();
    const TEventPump pump;
    for (qint64 left = MinimumMilliseconds - shown_.elapsed(); left > 0;
         left = MinimumMilliseconds - shown_.elapsed()) {
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents, static_cast<int>(left));
        QThread::msleep(static_cast<unsigned long>(std::min<qint64>(left, 10)));
    }
    delete screen_;
}

} // namespace mv
