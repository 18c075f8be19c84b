#pragma once

#include "core/shell/handover_frame.h"

#include <QtCore/QObject>
#include <QtCore/QTimer>

#include <chrono>
#include <functional>
#include <memory>

class QLocalSocket;

namespace mv {

// One accepted connection of the hand-over server: it reads frames, hands each request to the
// handler and writes the answer. A frame that is malformed, oversized or not complete within
// the frame timeout closes the connection without reaching the handler. The connection frees
// itself when it closes, but never while its handler runs.
class THandoverConnection : public QObject {
public:
    using THandler = std::function<TWindowId(const THandoverFrame&)>;

    THandoverConnection(QLocalSocket* socket, std::shared_ptr<THandler> handler,
                        std::chrono::milliseconds frameTimeout);
    ~THandoverConnection() override;

    // Ends the connection now, or as soon as a running handler returns.
    void Close();
    // Whether its handler runs: then the connection must not be deleted.
    [[nodiscard]] bool Handling() const { return handling_; }

private:
    void ReadFrames();
    void Answer(const THandoverFrame& request);
    void Finish();

    QLocalSocket* socket_;
    std::shared_ptr<THandler> handler_;
    THandoverReader reader_{THandoverSide::Requests};
    QTimer deadline_;
    bool handling_ = false;
    bool closing_ = false;
};

} // namespace mv
