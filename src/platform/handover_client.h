#pragma once

#include "core/shell/handover_frame.h"

#include <chrono>
#include <optional>
#include <string>
#include <sys/un.h>

namespace mv {

// The longest socket path a local socket address holds, without its terminating zero.
inline constexpr std::size_t MaxSocketPathBytes = sizeof(sockaddr_un::sun_path) - 1;

// A later start's side of the hand-over, in plain POSIX so that it runs before (and without)
// any Qt application. One connection carries the requests one at a time: each waits for its
// answer, so the running instance has taken one file before the next name goes.
class THandoverClient {
public:
    THandoverClient() = default;
    THandoverClient(const THandoverClient&) = delete;
    THandoverClient& operator=(const THandoverClient&) = delete;
    ~THandoverClient();

    // Connects to the running instance's socket; refuses a server run by another user.
    [[nodiscard]] bool Connect(const std::string& socketPath);

    // Asks the running instance to open the file (its name's bytes as given) and answers the
    // window that now holds it (0 for none), or nothing when the connection failed or the
    // name cannot travel (longer than a frame takes). A failed connection is closed.
    [[nodiscard]] std::optional<TWindowId> OpenFile(const std::string& name);
    // Asks for a new empty window and answers it, as OpenFile.
    [[nodiscard]] std::optional<TWindowId> NewWindow();

    [[nodiscard]] bool Connected() const { return descriptor_ >= 0; }
    // Whether the last request failed because the instance did not answer within the timeout,
    // rather than because it closed the connection: an instance that hangs.
    [[nodiscard]] bool TimedOut() const { return timedOut_; }

    // How long one request may wait for its answer. The running instance answers before it
    // shows any message, so only an instance that hangs takes this long.
    std::chrono::milliseconds AnswerTimeout{60000};

private:
    [[nodiscard]] std::optional<TWindowId> Request(const THandoverBytes& frame);
    [[nodiscard]] bool SendAll(const THandoverBytes& bytes);
    [[nodiscard]] std::optional<TWindowId> ReceiveAnswer();
    void Disconnect();

    int descriptor_ = -1;
    bool timedOut_ = false;
    THandoverReader reader_{THandoverSide::Answers};
};

} // namespace mv
