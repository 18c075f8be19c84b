#include "platform/instance_lock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace mv {

std::unique_ptr<TInstanceLock> TInstanceLock::TryAcquire(const std::string& folder) {
    const std::string path = folder + "/morvane.lock";
    const int descriptor = open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
    if (descriptor < 0) return nullptr;
    if (flock(descriptor, LOCK_EX | LOCK_NB) != 0) {
        close(descriptor);
        return nullptr;
    }
    return std::unique_ptr<TInstanceLock>(new TInstanceLock(descriptor));
}

TInstanceLock::~TInstanceLock() {
    close(descriptor_);
}

} // namespace mv
