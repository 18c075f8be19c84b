#include "platform/handover_server.h"

#include "platform/handover_connection.h"
#include "platform/peer_user.h"

#include <QtNetwork/QLocalServer>
#include <QtNetwork/QLocalSocket>

namespace mv {

THandoverServer::THandoverServer(THandler handler, std::chrono::milliseconds frameTimeout)
    : handler_(std::make_shared<THandler>(std::move(handler))), frameTimeout_(frameTimeout) {}

THandoverServer::~THandoverServer() {
    Close();
}

bool THandoverServer::Listen(const QString& socketPath) {
    Close();
    QLocalServer::removeServer(socketPath);
    server_ = std::make_unique<QLocalServer>();
    server_->setSocketOptions(QLocalServer::UserAccessOption);
    QObject::connect(server_.get(), &QLocalServer::newConnection, [this] { Accept(); });
    if (server_->listen(socketPath)) return true;
    server_.reset();
    return false;
}

void THandoverServer::Close() {
    server_.reset(); // stops listening and removes the socket file
    for (const QPointer<THandoverConnection>& connection : std::as_const(connections_)) {
        if (connection.isNull()) continue;
        if (connection->Handling())
            connection->Close(); // it frees itself when its handler returns
        else
            delete connection.data();
    }
    connections_.clear();
}

void THandoverServer::Accept() {
    while (QLocalSocket* socket = server_->nextPendingConnection()) {
        if (!PeerIsThisUser(static_cast<int>(socket->socketDescriptor()))) {
            socket->abort();
            delete socket;
            continue;
        }
        connections_.removeIf([](const auto& connection) { return connection.isNull(); });
        connections_.append(new THandoverConnection(socket, handler_, frameTimeout_));
    }
}

} // namespace mv
