// Whole-file load and save of the block store.
#include "core/datastore/memory_module.h"

#include "core/datastore/file_descriptor.h"

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <new>
#include <optional>
#include <string>
#include <string_view>
#include <sys/stat.h>
#include <sys/uio.h>
#include <unistd.h>
#include <vector>

namespace mv {

namespace {

// Blocks moved per read or write call: large transfers keep the system-call cost far below
// the copying cost.
constexpr int kBlocksPerCall = 256;

// A long load or save repeats its progress text after every so many transfers (16 MiB), so
// that the program showing it can repaint its window meanwhile.
constexpr int kCallsPerProgress = 16;
constexpr std::string_view kLoadingText = "読み込み実行中...";
constexpr std::string_view kSavingText = "書き込み中...";

int ErrnoOr(int fallback) { return errno != 0 ? errno : fallback; }


// Appends a buffer to a read list, joining it to the previous entry where the two touch.
void AddToReadList(iovec* vec, int& count, Byte* buffer, std::size_t length) {
    if (count > 0 && static_cast<Byte*>(vec[count - 1].iov_base) + vec[count - 1].iov_len == buffer)
        vec[count - 1].iov_len += length;
    else
        vec[count++] = {buffer, length};
}

// Copies count bytes at offset of `from` to the current offset of `to`: in the kernel where
// it can, else through a buffer. A source that ends early was cut short underneath (ESTALE).
int CopyRange(int from, std::int64_t offset, std::int64_t count, int to) {
    bool inKernel = true;
    std::vector<Byte> buffer;
    while (count > 0) {
        ssize_t n;
        if (inKernel) {
            loff_t in = offset;
            n = ::copy_file_range(from, &in, to, nullptr, static_cast<std::size_t>(count), 0);
            if (n < 0 && (errno == EXDEV || errno == EINVAL || errno == EOPNOTSUPP || errno == ENOSYS)) {
                inKernel = false;
                continue;
            }
        } else {
            buffer.resize(static_cast<std::size_t>(std::min<std::int64_t>(count, 1 << 20)));
            n = ::pread(from, buffer.data(), buffer.size(), offset);
            if (n > 0)
                if (const int error = WriteAll(to, {buffer.data(), static_cast<std::size_t>(n)}); error != 0)
                    return error;
        }
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return ErrnoOr(EIO);
        if (n == 0) return ESTALE;
        offset += n;
        count -= n;
    }
    return 0;
}

} // namespace

int TMemoryModule::LoadFromFile(const std::string& fileName, std::int64_t onDemandFrom) {
    StartWork();
    Progress(kLoadingText);
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
        else if (S_ISBLK(st.st_mode))
            error = LinkFileBlocks(file.Release(), fileName, true);
        else if (!S_ISREG(st.st_mode))
            error = EINVAL;
        else if (st.st_size >= onDemandFrom)
            error = LinkFileBlocks(file.Release(), fileName, false);
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
    for (std::int64_t calls = 1;; ++calls) {
        iovec vec[kBlocksPerCall + 1];
        int vecCount = 0;
        if (last != -1 && blocks_[last].Used < BlockSize) // a short read left room
            AddToReadList(vec, vecCount, blocks_[last].Data + blocks_[last].Used,
                          static_cast<std::size_t>(BlockSize - blocks_[last].Used));
        std::optional<TBufferReserve> reserve;
        try {
            // One spare block notices the end of the file, or a file that grew meanwhile.
            reserve.emplace(ReserveBlocks(
                std::clamp<std::int64_t>(expectedBlocks - linked, 1, kBlocksPerCall)));
        } catch (const std::bad_alloc&) {
            return ENOMEM;
        }
        for (Byte* buffer : reserve->Untaken())
            AddToReadList(vec, vecCount, buffer, BlockSize);
        ssize_t got;
        do got = ::readv(fd, vec, vecCount);
        while (got < 0 && errno == EINTR);
        if (got < 0) return ErrnoOr(EIO);
        if (got == 0) return 0;
        total += got;
        if (!WorkGoesOn(got, total, expectedBlocks * BlockSize)) return ECANCELED;
        if (total > MaxSize) return EFBIG; // the file grew while it was read
        size_ = static_cast<Address>(total);
        std::int64_t left = got;
        if (last != -1 && blocks_[last].Used < BlockSize) {
            const auto n = static_cast<std::int32_t>(std::min<std::int64_t>(left, BlockSize - blocks_[last].Used));
            blocks_[last].Used += n;
            left -= n;
        }
        while (left > 0) {
            last = InsertBlockAfter(last, *reserve);
            ++linked;
            blocks_[last].Used = static_cast<std::int32_t>(std::min<std::int64_t>(left, BlockSize));
            left -= blocks_[last].Used;
        }
        if (calls % kCallsPerProgress == 0) Progress(kLoadingText);
    }
}

int TMemoryModule::SaveToFile(const std::string& fileName) const {
    return SaveToFile(fileName, ChooseSaveMethod(fileName));
}

int TMemoryModule::SaveToFile(const std::string& fileName, TSaveMethod method) const {
    Progress(kSavingText);
    // Written over itself, the file keeps the ranges that stand where they were and only the
    // rest is written; a range that moved would be overwritten before it is read.
    const bool overSource = method == TSaveMethod::InPlace && WritesOverSource(fileName);
    if (overSource && !FileBlocksStandStill()) {
        Progress("");
        return EBUSY;
    }
    const int error = SaveFileContents(
        fileName, method, [this, overSource](int fd) { return WriteBlocks(fd, overSource); });
    if (overSource && error == 0) source_->Renew();
    Progress("");
    return error;
}

// Refers to the file's content in file blocks of FileBlockSize bytes; takes over fd.
int TMemoryModule::LinkFileBlocks(int fd, const std::string& fileName, bool device) {
    const TFileIdentity identity = IdentityOf(fd);
    source_ = std::make_shared<TFileSource>(fd, fileName, identity, device);
    try {
        blocks_.resize(RoundUpToTableStep((identity.Size + FileBlockBytes - 1) / FileBlockBytes));
    } catch (const std::bad_alloc&) {
        return ENOMEM;
    }
    std::int32_t last = -1;
    for (std::int64_t offset = 0; offset < identity.Size; offset += FileBlockBytes) {
        last = LinkEntryAfter(last, AllocEntry());
        blocks_[last].Source = offset;
        blocks_[last].Used = static_cast<std::int32_t>(std::min<std::int64_t>(FileBlockBytes, identity.Size - offset));
        ++fileBlocks_;
    }
    fileBytes_ = size_ = identity.Size;
    return 0;
}

int TMemoryModule::WriteFileBlock(int fd, const TMemoryBlock& block) const {
    return CopyRange(source_->Descriptor(), block.Source, block.Used, fd);
}

// Writes the chain's live bytes in chain order; file blocks are copied from the file.
bool TMemoryModule::ChangesStayInPlace() const {
    return source_ && size_ == source_->Identity().Size && FileBlocksStandStill();
}

int TMemoryModule::SaveChangedRanges(const std::string& journalPath,
                                     const std::function<void(TJournalStep)>& onStep) {
    if (const int fault = CheckSource(); fault != 0) return fault;
    std::vector<std::pair<std::int64_t, std::int64_t>> ranges;
    std::int64_t address = 0;
    for (std::int32_t b = head_; b != -1; address += blocks_[b].Used, b = blocks_[b].Next) {
        if (blocks_[b].InFile()) continue;
        if (!ranges.empty() && ranges.back().first + ranges.back().second == address)
            ranges.back().second += blocks_[b].Used;
        else
            ranges.emplace_back(address, blocks_[b].Used);
    }
    Progress(kSavingText);
    TFileDescriptor file(::open(source_->Path().c_str(), O_RDWR | O_CLOEXEC));
    int error = file.Get() < 0 ? errno : 0;
    if (error == 0)
        error = WriteJournaled(
            file.Get(), source_->Identity(), ranges,
            [this](std::int64_t offset, std::span<Byte> dest) {
                ReadBytes(dest.data(), offset, static_cast<ByteCount>(dest.size()));
            },
            journalPath, onStep);
    if (file.Get() >= 0) error = file.CloseAfter(error);
    if (error == 0) source_->Renew();
    Progress("");
    return error;
}

bool TMemoryModule::FileBlocksStandStill() const {
    std::int64_t address = 0;
    for (std::int32_t b = head_; b != -1; address += blocks_[b].Used, b = blocks_[b].Next)
        if (blocks_[b].InFile() && blocks_[b].Source != address) return false;
    return true;
}

bool TMemoryModule::WritesOverSource(const std::string& fileName) const {
    struct stat st {};
    return source_ && ::stat(fileName.c_str(), &st) == 0 &&
           st.st_dev == source_->Identity().Device && st.st_ino == source_->Identity().Inode;
}

int TMemoryModule::WriteBlocks(int fd, bool overSource) const {
    if (const int fault = CheckSource(); fault != 0) return fault;
    StartWork();
    std::int64_t done = 0;
    std::int32_t block = head_;
    std::int32_t offset = 0; // bytes of `block` already written
    for (std::int64_t calls = 1; block != -1; ++calls) {
        if (calls % kCallsPerProgress == 0) Progress(kSavingText);
        if (const TMemoryBlock& file = blocks_[block]; file.InFile()) {
            done += file.Used;
            if (!WorkGoesOn(file.Used, done, size_)) return ECANCELED;
            int error = 0;
            if (!overSource)
                error = WriteFileBlock(fd, file);
            else if (::lseek(fd, file.Used, SEEK_CUR) < 0)
                error = errno;
            if (error != 0) return error;
            block = file.Next;
            continue;
        }
        iovec vec[kBlocksPerCall];
        int vecCount = 0;
        for (std::int32_t b = block; b != -1 && !blocks_[b].InFile() && vecCount < kBlocksPerCall;
             b = blocks_[b].Next) {
            const std::int32_t skip = b == block ? offset : 0;
            vec[vecCount++] = {blocks_[b].Data + skip,
                               static_cast<std::size_t>(blocks_[b].Used - skip)};
        }
        ssize_t written;
        do written = ::writev(fd, vec, vecCount);
        while (written < 0 && errno == EINTR);
        if (written < 0) return ErrnoOr(EIO);
        if (written == 0) return ENOSPC;
        done += written;
        if (!WorkGoesOn(written, done, size_)) return ECANCELED;
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
