#pragma once

#include "core/datastore/address.h"

#include <cstdint>
#include <list>
#include <map>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

namespace mv {

// A read from the file behind a document failed, or the file changed since it was opened.
// `Error` is the errno value; ESTALE names a change made by someone else.
class TSourceError : public std::runtime_error {
public:
    explicit TSourceError(int error) : std::runtime_error("file read failed"), Error(error) {}
    int Error;
};

// The identity of an open file: a change of any of these means someone else changed it.
struct TFileIdentity {
    std::uint64_t Device = 0;
    std::uint64_t Inode = 0;
    std::int64_t Size = 0;
    std::int64_t ModifiedTime = 0; // nanoseconds since the epoch

    friend bool operator==(const TFileIdentity&, const TFileIdentity&) = default;
};

// The file a document reads on demand. Ranges are read with pread into a bounded cache and
// never mapped: a file truncated by another program then gives an error, not a fault. Once a
// read fails or the file is seen to change, the source stays faulted and reads nothing more,
// so that no stale or made-up byte reaches the document.
class TFileSource {
public:
    static constexpr std::int64_t CacheBytes = std::int64_t{64} << 20;

    // Takes over `fd`, open for reading on `path`; `identity` is what it was when opened.
    TFileSource(int fd, std::string path, const TFileIdentity& identity, bool device);
    TFileSource(const TFileSource&) = delete;
    TFileSource& operator=(const TFileSource&) = delete;
    ~TFileSource();

    // The `count` bytes at `offset`, or nullptr once faulted. The answer stays valid until
    // the cache has fetched CacheBytes / count further ranges, so a caller may hold the last
    // few it asked for, never more.
    [[nodiscard]] const Byte* Fetch(std::int64_t offset, std::int32_t count) const;
    // Reads straight into dest, past the cache; answers 0 or the errno value (and faults).
    [[nodiscard]] int Read(Byte* dest, std::int64_t offset, std::int64_t count) const;

    // Compares the file with its identity; a change faults the source with ESTALE. Answers
    // the fault, 0 while the file is as it was.
    int Check() const;
    // Takes the file as it is now for what it was at the load, after this program itself
    // wrote its changed ranges in place.
    void Renew();
    [[nodiscard]] int Fault() const { return fault_; }

    [[nodiscard]] int Descriptor() const { return fd_; }
    [[nodiscard]] const std::string& Path() const { return path_; }
    [[nodiscard]] const TFileIdentity& Identity() const { return identity_; }
    [[nodiscard]] bool Device() const { return device_; }

private:
    struct TPage {
        std::pair<std::int64_t, std::int32_t> Key;
        std::unique_ptr<Byte[]> Bytes;
        std::int32_t Capacity = 0;
    };

    int fd_;
    std::string path_;
    TFileIdentity identity_;
    bool device_;
    mutable int fault_ = 0;
    // Most recently used first.
    mutable std::list<TPage> pages_;
    mutable std::map<std::pair<std::int64_t, std::int32_t>, std::list<TPage>::iterator> index_;
    mutable std::int64_t cachedBytes_ = 0;
};

// What the user is told when the file `path` read on demand fails with `error`.
[[nodiscard]] std::string SourceFaultText(const std::string& path, int error);

// The identity of the file `fd` is open on, from fstat; block devices report their size.
[[nodiscard]] TFileIdentity IdentityOf(int fd);
// The identity of the file a path names, and whether it is a block device; nothing when it
// cannot be opened.
[[nodiscard]] std::optional<TFileIdentity> IdentityOfPath(const std::string& path, bool& device);

} // namespace mv
