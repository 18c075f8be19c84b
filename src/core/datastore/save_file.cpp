#include "core/datastore/save_file.h"

#include "core/datastore/file_descriptor.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <ctime>
#include <dirent.h>
#include <fcntl.h>
#include <linux/capability.h>
#include <string>
#include <utility>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>
#include <vector>

namespace mv {

namespace {

// The file a save must change: the target of a symbolic link rather than the link itself.
std::string ResolvedTarget(const std::string& fileName) {
    char resolved[PATH_MAX];
    if (::realpath(fileName.c_str(), resolved) != nullptr) return resolved;
    return fileName;
}

// The start of the names of the new files that saves of `target` write beside it: the folder
// with its slash, and the hidden name without the process and attempt numbers.
std::pair<std::string, std::string> ScratchPrefix(const std::string& target) {
    const auto slash = target.rfind('/');
    const std::string dir = slash == std::string::npos ? "" : target.substr(0, slash + 1);
    // Shortened so that the temporary name stays within the file-name length limit.
    const std::string base =
        (slash == std::string::npos ? target : target.substr(slash + 1)).substr(0, 200);
    return {dir, "." + base + ".mvsave-"};
}

// Creates a new file beside `target` that no one else uses, locked for as long as it is
// written; answers its descriptor or -1.
int CreateTemporaryBeside(const std::string& target, std::string& tempName) {
    const auto [dir, prefix] = ScratchPrefix(target);
    for (int attempt = 0; attempt < 100; ++attempt) {
        tempName = dir + prefix + std::to_string(::getpid()) + "-" + std::to_string(attempt);
        const int fd = ::open(tempName.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0) ::flock(fd, LOCK_EX | LOCK_NB);
        if (fd >= 0 || errno != EEXIST) return fd;
    }
    return -1;
}

// Removes the new files that earlier saves of `target` left behind when they were killed: a
// file of this user's, named as a save of this file names it, that no save holds locked and
// that nothing has written for a while. A killed save of a large file would otherwise leave a
// hidden copy of its whole size beside it for good.
void RemoveAbandonedScratchFiles(const std::string& target) {
    constexpr time_t kQuietSeconds = 60;
    const auto [dir, prefix] = ScratchPrefix(target);
    DIR* folder = ::opendir(dir.empty() ? "." : dir.c_str());
    if (folder == nullptr) return;
    const time_t now = ::time(nullptr);
    while (const dirent* entry = ::readdir(folder)) {
        const std::string name = entry->d_name;
        if (!name.starts_with(prefix)) continue;
        const std::string path = dir + name;
        TFileDescriptor file(
            ::open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
        struct stat st {};
        if (file.Get() < 0 || ::fstat(file.Get(), &st) != 0 || !S_ISREG(st.st_mode) ||
            st.st_uid != ::geteuid() || now - st.st_mtime < kQuietSeconds ||
            ::flock(file.Get(), LOCK_EX | LOCK_NB) != 0)
            continue;
        ::unlink(path.c_str());
    }
    ::closedir(folder);
}

// Whether this process may give a file any owner and group.
bool MayChangeOwners() {
    __user_cap_header_struct header{_LINUX_CAPABILITY_VERSION_3, 0};
    __user_cap_data_struct data[_LINUX_CAPABILITY_U32S_3] = {};
    return ::syscall(SYS_capget, &header, data) == 0 &&
           (data[0].effective & (1u << CAP_CHOWN)) != 0;
}

bool InMyGroups(gid_t group) {
    std::vector<gid_t> groups(static_cast<std::size_t>(std::max(::getgroups(0, nullptr), 0)));
    const int count = ::getgroups(static_cast<int>(groups.size()), groups.data());
    groups.resize(static_cast<std::size_t>(std::max(count, 0)));
    return group == ::getegid() || std::ranges::find(groups, group) != groups.end();
}

// Whether a new file could be given this file's owner and group.
bool OwnershipRestorable(const struct stat& st) {
    return MayChangeOwners() || (st.st_uid == ::geteuid() && InMyGroups(st.st_gid));
}

int WriteInPlace(const std::string& path, const TContentWriter& write) {
    // Non-blocking, so that a pipe without a reader fails at once instead of hanging.
    TFileDescriptor file(::open(path.c_str(), O_WRONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
    if (file.Get() < 0) return errno;
    struct stat st {};
    const int flags = ::fcntl(file.Get(), F_GETFL);
    if (flags < 0 || ::fcntl(file.Get(), F_SETFL, flags & ~O_NONBLOCK) != 0 ||
        ::fstat(file.Get(), &st) != 0)
        return file.CloseAfter(errno);
    int error = write(file.Get());
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
    RemoveAbandonedScratchFiles(path);
    std::string tempName;
    TFileDescriptor file(CreateTemporaryBeside(path, tempName));
    if (file.Get() < 0) return errno;
    int error = 0;
    if (existing != nullptr && (::fchown(file.Get(), existing->st_uid, existing->st_gid) != 0 ||
                                ::fchmod(file.Get(), existing->st_mode & 07777) != 0))
        error = errno;
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

std::string DirectoryOf(const std::string& path) {
    const auto slash = path.rfind('/');
    if (slash == std::string::npos) return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

void SyncDirectory(const std::string& dir) {
    const int fd = ::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    ::fsync(fd);
    ::close(fd);
}

TSaveMethod ChooseSaveMethod(const std::string& fileName) {
    const std::string target = ResolvedTarget(fileName);
    struct stat st {};
    if (::stat(target.c_str(), &st) != 0) return TSaveMethod::Replace; // a new file
    if (!S_ISREG(st.st_mode)) return TSaveMethod::InPlace; // a device or a pipe stays one
    if (st.st_nlink > 1 || !OwnershipRestorable(st)) return TSaveMethod::InPlace;
    const bool folderTakesNames =
        ::faccessat(AT_FDCWD, DirectoryOf(target).c_str(), W_OK | X_OK, AT_EACCESS) == 0;
    return folderTakesNames ? TSaveMethod::Replace : TSaveMethod::InPlace;
}

int SaveFileContents(const std::string& fileName, TSaveMethod method, const TContentWriter& write) {
    const std::string target = ResolvedTarget(fileName);
    if (method == TSaveMethod::InPlace) return WriteInPlace(target, write);
    struct stat st {};
    if (::stat(target.c_str(), &st) == 0) return WriteReplacement(target, &st, write);
    return errno == ENOENT ? WriteReplacement(target, nullptr, write) : errno;
}

} // namespace mv
