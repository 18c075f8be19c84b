#include "platform/handover_connection.h"

#include <QtNetwork/QLocalSocket>

namespace mv {

THandoverConnection::THandoverConnection(QLocalSocket* socket, std::shared_ptr<THandler> handler,
                                         std::chrono::milliseconds frameTimeout)
    : socket_(socket), handler_(std::move(handler)) {
    socket_->setParent(this);
    deadline_.setSingleShot(true);
    deadline_.setInterval(frameTimeout);
    connect(&deadline_, &QTimer::timeout, this, &THandoverConnection::Close);
    connect(socket_, &QLocalSocket::readyRead, this, &THandoverConnection::ReadFrames);
    connect(socket_, &QLocalSocket::disconnected, this, &THandoverConnection::Close);
    deadline_.start();
    // Bytes that came with the connection, once the server has taken it into its list.
    QMetaObject::invokeMethod(this, &THandoverConnection::ReadFrames, Qt::QueuedConnection);
}

THandoverConnection::~THandoverConnection() = default;

void THandoverConnection::ReadFrames() {
    if (handling_ || closing_) return;
    while (socket_->bytesAvailable() > 0) {
        const QByteArray bytes = socket_->readAll();
        reader_.Append(std::span(reinterpret_cast<const std::uint8_t*>(bytes.constData()),
                                 static_cast<std::size_t>(bytes.size())));
        THandoverFrame request;
        for (;;) {
            const THandoverReader::TStatus status = reader_.Next(request);
            if (status == THandoverReader::TStatus::NeedMore) break;
            if (status == THandoverReader::TStatus::Malformed) return Close();
            Answer(request);
            if (closing_) return Finish();
        }
    }
}

void THandoverConnection::Answer(const THandoverFrame& request) {
    deadline_.stop(); // the handler may take as long as the user needs
    handling_ = true;
    const TWindowId window = (*handler_)(request);
    handling_ = false;
    if (closing_) return;
    const THandoverBytes answer = EncodeAnswer(window);
    socket_->write(reinterpret_cast<const char*>(answer.data()),
                   static_cast<qint64>(answer.size()));
    socket_->flush();
    deadline_.start(); // the next request must come, whole, within the timeout
}

void THandoverConnection::Close() {
    if (closing_) return;
    closing_ = true;
    if (!handling_) Finish();
}

void THandoverConnection::Finish() {
    deadline_.stop();
    disconnect(socket_, nullptr, this, nullptr);
    socket_->abort();
    deleteLater();
}

} // namespace mv
