#include "core/datastore/save_journal.h"

#include "core/datastore/file_descriptor.h"
#include "core/datastore/save_file.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace mv {

namespace {

constexpr std::array<char, 8> kMagic{'M', 'V', 'J', 'O', 'U', 'R', 'N', '1'};
constexpr std::size_t kChunk = std::size_t{1} << 20;

// FNV-1a, 64-bit: enough to tell a journal cut short or damaged from a whole one.
class TChecksum {
public:
    void Add(std::span<const Byte> bytes) {
        for (const Byte b : bytes)
            hash_ = (hash_ ^ b) * 0x100000001b3ULL;
    }
    [[nodiscard]] std::uint64_t Value() const { return hash_; }

private:
    std::uint64_t hash_ = 0xcbf29ce484222325ULL;
};

template <typename T> std::span<const Byte> BytesOf(const T& value) {
    return {reinterpret_cast<const Byte*>(&value), sizeof value};
}

// Moves all of `bytes` at `offset` by `transfer` (pread or pwrite); a transfer that moves
// nothing answers `stalled`.
template <typename Transfer, typename Bytes>
int TransferAllAt(Transfer transfer, int fd, Bytes bytes, std::int64_t offset, int stalled) {
    while (!bytes.empty()) {
        const ssize_t n = transfer(fd, bytes.data(), bytes.size(), offset);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return n < 0 ? errno : stalled;
        bytes = bytes.subspan(static_cast<std::size_t>(n));
        offset += n;
    }
    return 0;
}

int ReadAllAt(int fd, std::span<Byte> bytes, std::int64_t offset) {
    return TransferAllAt(::pread, fd, bytes, offset, ENODATA);
}

int WriteAllAt(int fd, std::span<const Byte> bytes, std::int64_t offset) {
    return TransferAllAt(::pwrite, fd, bytes, offset, ENOSPC);
}

// A writer that checksums what it writes.
class TJournalWriter {
public:
    explicit TJournalWriter(int fd) : fd_(fd) {}
    template <typename T> int Put(const T& value) { return Write(BytesOf(value)); }
    int Write(std::span<const Byte> bytes) {
        sum_.Add(bytes);
        return WriteAll(fd_, bytes);
    }
    int Finish() { return WriteAll(fd_, BytesOf(sum_.Value())); }

private:
    int fd_;
    TChecksum sum_;
};

// Copies the old bytes of every range into the journal.
int WriteJournalFile(int journal, int file, const TFileIdentity& identity,
                     std::span<const std::pair<std::int64_t, std::int64_t>> ranges) {
    TJournalWriter out(journal);
    int error = out.Write({reinterpret_cast<const Byte*>(kMagic.data()), kMagic.size()});
    for (const auto value : {identity.Device, identity.Inode, static_cast<std::uint64_t>(identity.Size),
                             static_cast<std::uint64_t>(ranges.size())})
        if (error == 0) error = out.Put(value);
    std::vector<Byte> buffer;
    for (const auto& [offset, length] : ranges) {
        if (error == 0) error = out.Put(offset);
        if (error == 0) error = out.Put(length);
        for (std::int64_t done = 0; error == 0 && done < length;) {
            buffer.resize(static_cast<std::size_t>(std::min<std::int64_t>(length - done, kChunk)));
            error = ReadAllAt(file, buffer, offset + done);
            if (error == 0) error = out.Write(buffer);
            done += std::ssize(buffer);
        }
    }
    if (error == 0) error = out.Finish();
    if (error == 0 && ::fsync(journal) != 0) error = errno;
    return error;
}

} // namespace

std::string JournalPathFor(const std::string& fileName, const TFileIdentity& identity,
                           bool device, const std::string& dataFolder) {
    const std::string folder = DirectoryOf(fileName);
    if (!device && ::access(folder.c_str(), W_OK | X_OK) == 0) {
        const auto slash = fileName.rfind('/');
        const std::string base = slash == std::string::npos ? fileName : fileName.substr(slash + 1);
        return (folder == "/" ? "" : folder) + "/." + base.substr(0, 200) + ".mvjournal";
    }
    return dataFolder + "/" + std::to_string(identity.Device) + "-" +
           std::to_string(identity.Inode) + ".mvjournal";
}

int WriteJournaled(int fd, const TFileIdentity& identity,
                   std::span<const std::pair<std::int64_t, std::int64_t>> ranges,
                   const TRangeBytes& bytesAt, const std::string& journalPath,
                   const std::function<void(TJournalStep)>& onStep) {
    const auto step = [&onStep](TJournalStep s) {
        if (onStep) onStep(s);
    };
    {
        TFileDescriptor journal(
            ::open(journalPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600));
        if (journal.Get() < 0) return errno;
        int error = WriteJournalFile(journal.Get(), fd, identity, ranges);
        error = journal.CloseAfter(error);
        if (error != 0) {
            ::unlink(journalPath.c_str());
            return error;
        }
        SyncDirectory(DirectoryOf(journalPath));
    }
    step(TJournalStep::JournalWritten);
    std::vector<Byte> buffer;
    for (const auto& [offset, length] : ranges) {
        for (std::int64_t done = 0; done < length;) {
            buffer.resize(static_cast<std::size_t>(std::min<std::int64_t>(length - done, kChunk)));
            bytesAt(offset + done, buffer);
            if (const int error = WriteAllAt(fd, buffer, offset + done); error != 0) return error;
            done += std::ssize(buffer);
        }
    }
    step(TJournalStep::RangesWritten);
    if (::fsync(fd) != 0 && errno != EINVAL) return errno;
    step(TJournalStep::FileSynced);
    // Only now is the journal of no more use; a failure to remove it is harmless, since the
    // old bytes it holds would still make a whole file.
    ::unlink(journalPath.c_str());
    SyncDirectory(DirectoryOf(journalPath));
    return 0;
}

TJournalState ReadJournal(const std::string& path, TJournal& journal) {
    TFileDescriptor file(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
    struct stat st {};
    if (file.Get() < 0 || ::fstat(file.Get(), &st) != 0) return TJournalState::None;
    journal = TJournal{};
    journal.Path = path;
    // Everything but the trailing checksum is checksummed, the old bytes included.
    const std::int64_t body = st.st_size - static_cast<std::int64_t>(sizeof(std::uint64_t));
    std::int64_t at = 0;
    TChecksum sum;
    const auto take = [&](std::span<Byte> bytes) {
        if (at + std::ssize(bytes) > body || ReadAllAt(file.Get(), bytes, at) != 0) return false;
        sum.Add(bytes);
        at += std::ssize(bytes);
        return true;
    };
    const auto takeValue = [&](auto& value) {
        return take({reinterpret_cast<Byte*>(&value), sizeof value});
    };
    std::array<char, 8> magic{};
    std::uint64_t size = 0;
    std::uint64_t count = 0;
    if (!take({reinterpret_cast<Byte*>(magic.data()), magic.size()}) || magic != kMagic ||
        !takeValue(journal.Identity.Device) || !takeValue(journal.Identity.Inode) ||
        !takeValue(size) || !takeValue(count))
        return TJournalState::Damaged;
    journal.Identity.Size = static_cast<std::int64_t>(size);
    std::vector<Byte> buffer;
    for (std::uint64_t i = 0; i < count; ++i) {
        TJournalRange range;
        if (!takeValue(range.Offset) || !takeValue(range.Length) || range.Offset < 0 ||
            range.Length < 0 || range.Length > body - at)
            return TJournalState::Damaged;
        range.At = at;
        for (std::int64_t done = 0; done < range.Length;) {
            buffer.resize(static_cast<std::size_t>(std::min<std::int64_t>(range.Length - done, kChunk)));
            if (!take(buffer)) return TJournalState::Damaged;
            done += std::ssize(buffer);
        }
        journal.Ranges.push_back(range);
    }
    std::uint64_t stored = 0;
    if (at != body || ReadAllAt(file.Get(), {reinterpret_cast<Byte*>(&stored), sizeof stored}, at) != 0 ||
        stored != sum.Value())
        return TJournalState::Damaged;
    return TJournalState::Valid;
}

int RestoreJournal(const TJournal& journal, const std::string& fileName) {
    TFileDescriptor source(::open(journal.Path.c_str(), O_RDONLY | O_CLOEXEC));
    TFileDescriptor file(::open(fileName.c_str(), O_WRONLY | O_CLOEXEC));
    if (source.Get() < 0 || file.Get() < 0) return errno;
    std::vector<Byte> buffer;
    for (const TJournalRange& range : journal.Ranges) {
        for (std::int64_t done = 0; done < range.Length;) {
            buffer.resize(static_cast<std::size_t>(std::min<std::int64_t>(range.Length - done, kChunk)));
            if (const int error = ReadAllAt(source.Get(), buffer, range.At + done); error != 0)
                return error;
            if (const int error = WriteAllAt(file.Get(), buffer, range.Offset + done); error != 0)
                return error;
            done += std::ssize(buffer);
        }
    }
    if (::fsync(file.Get()) != 0 && errno != EINVAL) return errno;
    if (const int error = file.CloseAfter(0); error != 0) return error;
    ::unlink(journal.Path.c_str());
    SyncDirectory(DirectoryOf(journal.Path));
    return 0;
}

} // namespace mv
