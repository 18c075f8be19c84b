#include "core/datastore/save_file.h"

#include "core/datastore/file_descriptor.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <fcntl.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace mv {

namespace {

// The file a save must change: the target of a symbolic link rather than the link itself.
std::string ResolvedTarget(const std::string& fileName) {
    char resolved[PATH_MAX];
    if (::realpath(fileName.c_str(), resolved) != nullptr) return resolved;
    return fileName;
}

std::string DirectoryOf(const std::string& path) {
    const auto slash = path.rfind('/');
    if (slash == std::string::npos) return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

// Creates a new file beside `target` that no one else uses; answers its descriptor or -1.
int CreateTemporaryBeside(const std::string& target, std::string& tempName) {
    const auto slash = target.rfind('/');
    const std::string dir = slash == std::string::npos ? "" : target.substr(0, slash + 1);
    // Shortened so that the temporary name stays within the file-name length limit.
    const std::string base =
        (slash == std::string::npos ? target : target.substr(slash + 1)).substr(0, 200);
    for (int attempt = 0; attempt < 100; ++attempt) {
        tempName = dir + "." + base + ".mvsave-" + std::to_string(::getpid()) + "-" +
                   std::to_string(attempt);
        const int fd = ::open(tempName.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST) return fd;
    }
    return -1;
}

void SyncDirectory(const std::string& dir) {
    const int fd = ::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    ::fsync(fd); // the data is already safe in the renamed file; this only hastens the name
    ::close(fd);
}

// Whether a new file could not take the place of the existing file at `path`. Whether its
// owner and group can be restored is tried on the new file itself (see WriteReplacement):
// only the kernel knows all of the rules.
bool NeedsInPlaceWrite(const std::string& path, const struct stat& st) {
    if (!S_ISREG(st.st_mode)) return true; // a device or a pipe must stay what it is
    if (st.st_nlink > 1) return true;      // the other names would keep the old bytes
    return ::faccessat(AT_FDCWD, DirectoryOf(path).c_str(), W_OK | X_OK, AT_EACCESS) != 0;
}

int WriteInPlace(const std::string& path, const struct stat& st, const TContentWriter& write) {
    // Non-blocking, so that a pipe without a reader fails at once instead of hanging.
    TFileDescriptor file(::open(path.c_str(), O_WRONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
    if (file.Get() < 0) return errno;
    const int flags = ::fcntl(file.Get(), F_GETFL);
    int error = flags < 0 || ::fcntl(file.Get(), F_SETFL, flags & ~O_NONBLOCK) != 0 ? errno : 0;
    if (error == 0) error = write(file.Get());
    if (error == 0 && S_ISREG(st.st_mode)) {
        const off_t end = ::lseek(file.Get(), 0, SEEK_CUR);
        if (end < 0 || ::ftruncate(file.Get(), end) != 0) error = errno;
    }
    // A pipe or a terminal has nothing to synchronise.
    if (error == 0 && ::fsync(file.Get()) != 0 && (S_ISREG(st.st_mode) || errno != EINVAL))
        error = errno;
    return file.CloseAfter(error);
}

// Writes a new file beside `path` and renames it over `path`; `existing` describes the file
// it replaces, if any.
int WriteReplacement(const std::string& path, const struct stat* existing,
                     const TContentWriter& write) {
    std::string tempName;
    TFileDescriptor file(CreateTemporaryBeside(path, tempName));
    if (file.Get() < 0) return errno;
    int error = 0;
    if (existing != nullptr) {
        if (::fchown(file.Get(), existing->st_uid, existing->st_gid) != 0) {
            // A new file would change the owner: the old file stays and takes the content.
            ::unlink(tempName.c_str());
            return WriteInPlace(path, *existing, write);
        }
        if (::fchmod(file.Get(), existing->st_mode & 07777) != 0) error = errno;
    }
    if (error == 0) error = write(file.Get());
    if (error == 0 && ::fsync(file.Get()) != 0) error = errno;
    error = file.CloseAfter(error);
    if (error == 0 && ::rename(tempName.c_str(), path.c_str()) != 0) error = errno;
    if (error == 0)
        SyncDirectory(DirectoryOf(path));
    else
        ::unlink(tempName.c_str());
    return error;
}

} // namespace

int SaveFileContents(const std::string& fileName, const TContentWriter& write) {
    const std::string target = ResolvedTarget(fileName);
    struct stat st {};
    if (::stat(target.c_str(), &st) != 0)
        return errno == ENOENT ? WriteReplacement(target, nullptr, write) : errno;
    return NeedsInPlaceWrite(target, st) ? WriteInPlace(target, st, write)
                                         : WriteReplacement(target, &st, write);
}

} // namespace mv
