#pragma once

#include <memory>
#include <string>

namespace mv {

// The per-user lock whose holder is the running instance: an exclusive flock on a file in the
// runtime folder. The system drops it when the holder ends, however it ends, so a crashed
// instance never blocks the next start.
class TInstanceLock {
public:
    // The lock, or nothing when another process holds it, or when the lock file cannot be
    // opened or locked at all: then `problem` says why, so that the caller does not wait for
    // an instance that is not there.
    [[nodiscard]] static std::unique_ptr<TInstanceLock> TryAcquire(const std::string& folder,
                                                                   std::string* problem = nullptr);

    TInstanceLock(const TInstanceLock&) = delete;
    TInstanceLock& operator=(const TInstanceLock&) = delete;
    ~TInstanceLock();

private:
    explicit TInstanceLock(int descriptor) : descriptor_(descriptor) {}

    int descriptor_;
};

} // namespace mv
