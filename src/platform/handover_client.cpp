#include "platform/handover_client.h"

#include "platform/peer_user.h"

#include <cerrno>
#include <cstring>
#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

namespace mv {

namespace {

using TClock = std::chrono::steady_clock;

// Waits for `events` on the socket until `deadline`; false on timeout (which `timedOut` tells)
// or a poll failure.
bool WaitFor(int descriptor, short events, TClock::time_point deadline, bool& timedOut) {
    for (;;) {
        const auto left =
            std::chrono::duration_cast<std::chrono::milliseconds>(deadline - TClock::now());
        timedOut = left.count() <= 0;
        if (timedOut) return false;
        pollfd entry{descriptor, events, 0};
        const int ready = poll(&entry, 1, static_cast<int>(left.count()));
        if (ready > 0) return true;
        if (ready < 0 && errno != EINTR) return false;
    }
}

} // namespace

THandoverClient::~THandoverClient() {
    Disconnect();
}

void THandoverClient::Disconnect() {
    if (descriptor_ >= 0) close(descriptor_);
    descriptor_ = -1;
}

bool THandoverClient::Connect(const std::string& socketPath) {
    Disconnect();
    reader_ = THandoverReader(THandoverSide::Answers);
    timedOut_ = false;
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    if (socketPath.size() > MaxSocketPathBytes) return false;
    std::memcpy(address.sun_path, socketPath.c_str(), socketPath.size() + 1);
    // Non-blocking from the start: a connect to an instance whose queue is full fails at once
    // (and is tried again) instead of waiting on an instance that may hang.
    descriptor_ = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
    if (descriptor_ < 0) return false;
    if (connect(descriptor_, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0 ||
        !PeerIsThisUser(descriptor_)) {
        Disconnect();
        return false;
    }
    return true;
}

std::optional<TWindowId> THandoverClient::OpenFile(const std::string& name) {
    const auto bytes = reinterpret_cast<const std::uint8_t*>(name.data());
    const std::optional<THandoverBytes> frame = EncodeOpenFile(std::span(bytes, name.size()));
    if (!frame) return std::nullopt;
    return Request(*frame);
}

std::optional<TWindowId> THandoverClient::NewWindow() {
    return Request(EncodeNewWindow());
}

std::optional<TWindowId> THandoverClient::Request(const THandoverBytes& frame) {
    if (descriptor_ < 0) return std::nullopt;
    std::optional<TWindowId> answer = SendAll(frame) ? ReceiveAnswer() : std::nullopt;
    if (!answer) Disconnect();
    return answer;
}

bool THandoverClient::SendAll(const THandoverBytes& bytes) {
    // A frame is at most 64 KiB, which a local socket takes at once unless the instance hangs.
    const TClock::time_point deadline = TClock::now() + AnswerTimeout;
    std::size_t sent = 0;
    while (sent < bytes.size()) {
        if (!WaitFor(descriptor_, POLLOUT, deadline, timedOut_)) return false;
        const ssize_t written =
            send(descriptor_, bytes.data() + sent, bytes.size() - sent, MSG_NOSIGNAL);
        if (written < 0 && errno != EINTR && errno != EAGAIN) return false;
        if (written > 0) sent += static_cast<std::size_t>(written);
    }
    return true;
}

std::optional<TWindowId> THandoverClient::ReceiveAnswer() {
    const TClock::time_point deadline = TClock::now() + AnswerTimeout;
    for (;;) {
        THandoverFrame frame;
        switch (reader_.Next(frame)) {
        case THandoverReader::TStatus::Frame:
            return frame.Window;
        case THandoverReader::TStatus::Malformed:
            return std::nullopt;
        case THandoverReader::TStatus::NeedMore:
            break;
        }
        if (!WaitFor(descriptor_, POLLIN, deadline, timedOut_)) return std::nullopt;
        std::uint8_t buffer[64];
        const ssize_t received = recv(descriptor_, buffer, sizeof buffer, 0);
        if (received == 0) return std::nullopt; // the instance closed the connection
        if (received < 0) {
            if (errno == EINTR || errno == EAGAIN) continue;
            return std::nullopt;
        }
        reader_.Append(std::span(buffer, static_cast<std::size_t>(received)));
    }
}

} // namespace mv
