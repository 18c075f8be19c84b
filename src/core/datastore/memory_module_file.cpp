// Whole-file load and save of the block store.
#include "core/datastore/memory_module.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <fcntl.h>
#include <new>
#include <string>
#include <sys/stat.h>
#include <sys/uio.h>
#include <unistd.h>

namespace mv {

namespace {

// Blocks moved per read or write call: large transfers keep the system-call cost far below
// the copying cost.
constexpr int kBlocksPerCall = 256;

int ErrnoOr(int fallback) { return errno != 0 ? errno : fallback; }

class TFileDescriptor {
public:
    explicit TFileDescriptor(int fd) : fd_(fd) {}
    TFileDescriptor(const TFileDescriptor&) = delete;
    TFileDescriptor& operator=(const TFileDescriptor&) = delete;
    ~TFileDescriptor() {
        if (fd_ >= 0) ::close(fd_);
    }
    [[nodiscard]] int Get() const { return fd_; }
    // Closes now and answers 0 or the error, which for written files may be a late write error.
    [[nodiscard]] int Close() {
        const int result = ::close(fd_) == 0 ? 0 : errno;
        fd_ = -1;
        return result;
    }

private:
    int fd_;
};

// The file a save must replace: the target of a symbolic link rather than the link itself.
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

// Gives the new file the old one's permission bits and, where allowed, its owner.
int CopyOwnershipAndMode(int fd, const std::string& original) {
    struct stat st {};
    if (::stat(original.c_str(), &st) != 0) return 0; // a new file keeps the umask's mode
    [[maybe_unused]] const int ignored = ::fchown(fd, st.st_uid, st.st_gid);
    return ::fchmod(fd, st.st_mode & 07777) == 0 ? 0 : errno;
}

void SyncDirectory(const std::string& dir) {
    const int fd = ::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    ::fsync(fd); // the data is already safe in the renamed file; this only hastens the name
    ::close(fd);
}

} // namespace

int TMemoryModule::LoadFromFile(const std::string& fileName) {
    Progress("読み込み実行中...");
    Clear();
    int error = 0;
    {
        // Non-blocking, so that opening a FIFO cannot hang before the type test refuses it.
        TFileDescriptor file(::open(fileName.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
        struct stat st {};
        if (file.Get() < 0 || ::fstat(file.Get(), &st) != 0)
            error = ErrnoOr(EIO);
        else if (S_ISDIR(st.st_mode))
            error = EISDIR;
        else if (!S_ISREG(st.st_mode))
            error = EINVAL;
        else if (st.st_size > MaxSize)
            error = EFBIG;
        else
            error = LoadBlocks(file.Get(), (st.st_size + BlockSize - 1) / BlockSize);
    }
    if (error != 0) Clear(); // never a partial file
    Progress("");
    Recount(false);
    return error;
}

// Reads until the end of the file into blocks linked in table order, each full but the last.
int TMemoryModule::LoadBlocks(int fd, std::int64_t expectedBlocks) {
    blocks_.resize(RoundUpToTableStep(expectedBlocks));
    std::int64_t total = 0;
    std::int64_t linked = 0;
    std::int32_t last = -1; // the chain's last block
    for (;;) {
        iovec vec[kBlocksPerCall + 1];
        int vecCount = 0;
        if (last != -1 && blocks_[last].Used < BlockSize) // a short read left room
            vec[vecCount++] = {blocks_[last].Data.get() + blocks_[last].Used,
                               static_cast<std::size_t>(BlockSize - blocks_[last].Used)};
        BufferReserve reserve;
        try {
            // One spare block notices the end of the file, or a file that grew meanwhile.
            reserve = ReserveBlocks(std::clamp<std::int64_t>(expectedBlocks - linked, 1, kBlocksPerCall));
        } catch (const std::bad_alloc&) {
            return ENOMEM;
        }
        for (auto it = reserve.rbegin(); it != reserve.rend(); ++it)
            vec[vecCount++] = {it->get(), static_cast<std::size_t>(BlockSize)};
        ssize_t got;
        do got = ::readv(fd, vec, vecCount);
        while (got < 0 && errno == EINTR);
        if (got < 0) return ErrnoOr(EIO);
        if (got == 0) return 0;
        total += got;
        if (total > MaxSize) return EFBIG; // the file grew while it was read
        size_ = static_cast<Address>(total);
        std::int64_t left = got;
        if (last != -1 && blocks_[last].Used < BlockSize) {
            const auto n = static_cast<std::int32_t>(std::min<std::int64_t>(left, BlockSize - blocks_[last].Used));
            blocks_[last].Used += n;
            left -= n;
        }
        while (left > 0) {
            last = InsertBlockAfter(last, reserve);
            ++linked;
            blocks_[last].Used = static_cast<std::int32_t>(std::min<std::int64_t>(left, BlockSize));
            left -= blocks_[last].Used;
        }
    }
}

int TMemoryModule::SaveToFile(const std::string& fileName) const {
    Progress("書き込み中...");
    const std::string target = ResolvedTarget(fileName);
    std::string tempName;
    int error = 0;
    {
        TFileDescriptor file(CreateTemporaryBeside(target, tempName));
        if (file.Get() < 0) {
            error = ErrnoOr(EIO);
            tempName.clear();
        }
        if (error == 0) error = CopyOwnershipAndMode(file.Get(), target);
        if (error == 0) error = WriteBlocks(file.Get());
        if (error == 0 && ::fsync(file.Get()) != 0) error = errno;
        if (file.Get() >= 0) {
            const int closed = file.Close();
            if (error == 0) error = closed;
        }
    }
    if (error == 0 && ::rename(tempName.c_str(), target.c_str()) != 0) error = errno;
    if (error == 0)
        SyncDirectory(DirectoryOf(target));
    else if (!tempName.empty())
        ::unlink(tempName.c_str());
    Progress("");
    return error;
}

// Writes the chain's live bytes in chain order.
int TMemoryModule::WriteBlocks(int fd) const {
    std::int32_t block = head_;
    std::int32_t offset = 0; // bytes of `block` already written
    while (block != -1) {
        iovec vec[kBlocksPerCall];
        int vecCount = 0;
        for (std::int32_t b = block; b != -1 && vecCount < kBlocksPerCall; b = blocks_[b].Next) {
            const std::int32_t skip = b == block ? offset : 0;
            vec[vecCount++] = {blocks_[b].Data.get() + skip,
                               static_cast<std::size_t>(blocks_[b].Used - skip)};
        }
        ssize_t written;
        do written = ::writev(fd, vec, vecCount);
        while (written < 0 && errno == EINTR);
        if (written < 0) return ErrnoOr(EIO);
        if (written == 0) return ENOSPC;
        // Advance past what was written, which may end inside a block.
        std::int64_t left = written;
        while (block != -1 && left >= blocks_[block].Used - offset) {
            left -= blocks_[block].Used - offset;
            block = blocks_[block].Next;
            offset = 0;
        }
        offset += static_cast<std::int32_t>(left);
    }
    return 0;
}

} // namespace mv
