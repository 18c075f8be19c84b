#include "platform/clipboard.h"

#include <QtCore/QMimeData>
#include <QtGui/QClipboard>
#include <QtGui/QGuiApplication>

namespace mv {

namespace {

QString MimeType() {
    return QString::fromLatin1(ClipboardMimeType.data(), ClipboardMimeType.size());
}

} // namespace

// Asking for the formats is a round trip to the clipboard's owner, another program that may
// take seconds to answer or never answer; the menus ask at every caret move. The answer is
// kept until the clipboard changes hands or content.
bool ClipboardOffersData() {
    static std::optional<bool> offers;
    static const QMetaObject::Connection watch = QObject::connect(
        QGuiApplication::clipboard(), &QClipboard::dataChanged, [] { offers.reset(); });
    if (!offers) {
        // An owner that did not name its formats is asked once, not again by each test below.
        const QMimeData* data = QGuiApplication::clipboard()->mimeData();
        offers = data != nullptr && !data->formats().isEmpty() &&
                 (data->hasFormat(MimeType()) || data->hasText());
    }
    return *offers;
}

std::optional<std::vector<Byte>> ReadClipboardPayload() {
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    if (data == nullptr || !data->hasFormat(MimeType())) return std::nullopt;
    const QByteArray bytes = data->data(MimeType());
    return std::vector<Byte>(bytes.begin(), bytes.end());
}

std::optional<std::string> ReadClipboardText() {
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    if (data == nullptr || !data->hasText()) return std::nullopt;
    const QByteArray utf8 = data->text().toUtf8();
    return std::string(utf8.constData(), static_cast<std::size_t>(utf8.size()));
}

void WriteClipboardPayload(std::span<const Byte> payload) {
    auto* data = new QMimeData;
    data->setData(MimeType(), QByteArray(reinterpret_cast<const char*>(payload.data()),
                                         static_cast<qsizetype>(payload.size())));
    QGuiApplication::clipboard()->setMimeData(data); // the clipboard owns it
}

} // namespace mv
