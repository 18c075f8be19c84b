#pragma once

#include <cerrno>
#include <cstdint>
#include <span>
#include <unistd.h>
#include <utility>

namespace mv {

// Writes all of `bytes` at the descriptor's offset; answers 0 or the errno value, ENOSPC for a
// write that moves nothing.
[[nodiscard]] inline int WriteAll(int fd, std::span<const std::uint8_t> bytes) {
    while (!bytes.empty()) {
        const ssize_t n = ::write(fd, bytes.data(), bytes.size());
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return n < 0 ? errno : ENOSPC;
        bytes = bytes.subspan(static_cast<std::size_t>(n));
    }
    return 0;
}

// An open file descriptor, closed once: by Close, which answers the error, or at the end.
class TFileDescriptor {
public:
    explicit TFileDescriptor(int fd) : fd_(fd) {}
    TFileDescriptor(const TFileDescriptor&) = delete;
    TFileDescriptor& operator=(const TFileDescriptor&) = delete;
    ~TFileDescriptor() {
        if (fd_ >= 0) ::close(fd_);
    }

    [[nodiscard]] int Get() const { return fd_; }
    // Gives the descriptor up to the caller, who closes it.
    [[nodiscard]] int Release() { return std::exchange(fd_, -1); }

    // Closes now and answers `error`, or else 0 or the close's own error, which for a written
    // file may be a late write error.
    [[nodiscard]] int CloseAfter(int error) {
        const int closed = ::close(fd_) == 0 ? 0 : errno;
        fd_ = -1;
        return error != 0 ? error : closed;
    }

private:
    int fd_;
};

} // namespace mv
