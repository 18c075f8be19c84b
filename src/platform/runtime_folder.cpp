#include "platform/runtime_folder.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <sys/stat.h>
#include <unistd.h>

namespace mv {

bool FolderIsPrivate(const std::string& path) {
    struct stat status {};
    if (lstat(path.c_str(), &status) != 0) return false;
    return S_ISDIR(status.st_mode) && status.st_uid == geteuid() &&
           (status.st_mode & 07777) == 0700;
}

std::string InstanceRuntimeFolder(std::string* problem) {
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    if (runtime != nullptr && runtime[0] == '/' && FolderIsPrivate(runtime)) return runtime;

    const std::string own = "/tmp/morvane-" + std::to_string(geteuid());
    if (mkdir(own.c_str(), 0700) != 0 && errno != EEXIST) {
        if (problem != nullptr) *problem = own + ": " + std::strerror(errno);
        return {};
    }
    if (!FolderIsPrivate(own)) {
        if (problem != nullptr) *problem = own + ": not a folder of this user's own with mode 0700";
        return {};
    }
    return own;
}

} // namespace mv
