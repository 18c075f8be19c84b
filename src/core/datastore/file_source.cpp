#include "core/datastore/file_source.h"

#include <cerrno>
#include <fcntl.h>
#include <string>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace mv {

namespace {

TFileIdentity IdentityOfStat(const struct stat& st) {
    return {st.st_dev, st.st_ino, st.st_size,
            std::int64_t{st.st_mtim.tv_sec} * 1'000'000'000 + st.st_mtim.tv_nsec};
}

} // namespace

std::string SourceFaultText(const std::string& path, int error) {
    if (error == ESTALE)
        return path + " は他のプログラムによって変更されました.\r\n"
                      "ファイルから読み出せない部分は ?? で表示されます. "
                      "最新の情報に更新してください.";
    return path + " の読み出しに失敗しました. " + std::to_string(error);
}

TFileIdentity IdentityOf(int fd) {
    struct stat st {};
    if (::fstat(fd, &st) != 0) return {};
    TFileIdentity identity = IdentityOfStat(st);
    std::uint64_t deviceBytes = 0;
    if (S_ISBLK(st.st_mode) && ::ioctl(fd, BLKGETSIZE64, &deviceBytes) == 0)
        identity.Size = static_cast<std::int64_t>(deviceBytes);
    return identity;
}

std::optional<TFileIdentity> IdentityOfPath(const std::string& path, bool& device) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) return std::nullopt;
    struct stat st {};
    device = ::fstat(fd, &st) == 0 && S_ISBLK(st.st_mode);
    const TFileIdentity identity = IdentityOf(fd);
    ::close(fd);
    return identity;
}

TFileSource::TFileSource(int fd, std::string path, const TFileIdentity& identity, bool device)
    : fd_(fd), path_(std::move(path)), identity_(identity), device_(device) {}

TFileSource::~TFileSource() { ::close(fd_); }

int TFileSource::Read(Byte* dest, std::int64_t offset, std::int64_t count) const {
    if (fault_ != 0) return fault_;
    while (count > 0) {
        const ssize_t got = ::pread(fd_, dest, static_cast<std::size_t>(count), offset);
        if (got < 0 && errno == EINTR) continue;
        if (got <= 0) {
            // An end of file before the expected size: the file was cut short underneath.
            fault_ = got < 0 ? (errno != 0 ? errno : EIO) : ESTALE;
            return fault_;
        }
        dest += got;
        offset += got;
        count -= got;
    }
    return 0;
}

const Byte* TFileSource::Fetch(std::int64_t offset, std::int32_t count) const {
    if (fault_ != 0) return nullptr;
    const std::pair key{offset, count};
    if (const auto found = index_.find(key); found != index_.end()) {
        pages_.splice(pages_.begin(), pages_, found->second);
        return found->second->Bytes.get();
    }
    // The page let go last lends its buffer: a long scan then reads into memory it already
    // has, rather than into fresh pages the system must fault in one by one.
    TPage page{key, nullptr, 0};
    while (!pages_.empty() && cachedBytes_ + count > CacheBytes) {
        TPage& oldest = pages_.back();
        cachedBytes_ -= oldest.Capacity;
        index_.erase(oldest.Key);
        if (oldest.Capacity >= count && page.Bytes == nullptr) {
            page.Bytes = std::move(oldest.Bytes);
            page.Capacity = oldest.Capacity;
        }
        pages_.pop_back();
    }
    if (page.Bytes == nullptr) {
        page.Bytes = std::make_unique_for_overwrite<Byte[]>(static_cast<std::size_t>(count));
        page.Capacity = count;
    }
    if (Read(page.Bytes.get(), offset, count) != 0) return nullptr;
    cachedBytes_ += page.Capacity;
    pages_.push_front(std::move(page));
    index_[key] = pages_.begin();
    return pages_.front().Bytes.get();
}

void TFileSource::Renew() { identity_ = IdentityOf(fd_); }

int TFileSource::Check() const {
    if (fault_ != 0) return fault_;
    struct stat st {};
    // The name is looked at too: a file saved by another program usually replaces ours.
    if (IdentityOf(fd_) != identity_ || ::stat(path_.c_str(), &st) != 0 ||
        st.st_ino != identity_.Inode || st.st_dev != identity_.Device)
        fault_ = ESTALE;
    return fault_;
}

} // namespace mv
