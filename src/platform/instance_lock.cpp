#include "platform/instance_lock.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace mv {

std::unique_ptr<TInstanceLock> TInstanceLock::TryAcquire(const std::string& folder,
                                                         std::string* problem) {
    const std::string path = folder + "/morvane.lock";
    const int descriptor = open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
    if (descriptor < 0) {
        if (problem != nullptr) *problem = path + ": " + std::strerror(errno);
        return nullptr;
    }
    if (flock(descriptor, LOCK_EX | LOCK_NB) != 0) {
        const int error = errno;
        close(descriptor);
        if (error != EWOULDBLOCK && problem != nullptr) *problem = path + ": " + std::strerror(error);
        return nullptr;
    }
    return std::unique_ptr<TInstanceLock>(new TInstanceLock(descriptor));
}

TInstanceLock::~TInstanceLock() {
    close(descriptor_);
}

} // namespace mv
