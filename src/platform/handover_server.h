#pragma once

#include "core/shell/handover_frame.h"

#include <QtCore/QList>
#include <QtCore/QObject>
#include <QtCore/QPointer>
#include <QtCore/QString>

#include <chrono>
#include <functional>
#include <memory>

class QLocalServer;

namespace mv {

class THandoverConnection;

// The running instance's side of the hand-over: a local socket that only this user can reach,
// whose requests go one at a time to the handler. The handler answers the window that now
// holds the file or the new window, or 0 when it refuses (not accepting, or busy with a modal
// dialog, when it beeps). It may run a nested event loop (a message box while a file loads);
// connections that close meanwhile are freed only after it returns.
class THandoverServer {
public:
    using THandler = std::function<TWindowId(const THandoverFrame& request)>;

    explicit THandoverServer(THandler handler,
                             std::chrono::milliseconds frameTimeout = std::chrono::seconds(2));
    THandoverServer(const THandoverServer&) = delete;
    THandoverServer& operator=(const THandoverServer&) = delete;
    ~THandoverServer(); // closes the socket and every connection

    // Listens at `socketPath`, replacing a file left there by an instance that died: the caller
    // holds the instance lock, so no live instance can own it.
    [[nodiscard]] bool Listen(const QString& socketPath);
    void Close();

private:
    void Accept();

    std::shared_ptr<THandler> handler_;
    std::chrono::milliseconds frameTimeout_;
    std::unique_ptr<QLocalServer> server_;
    QList<QPointer<THandoverConnection>> connections_;
};

} // namespace mv
