#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace mv {

// What the document window needs to know of a file before it opens, saves over or reloads it.
struct TFileFacts {
    bool Exists = false;
    bool Directory = false;
    bool Regular = false; // not a folder, device, pipe or socket
    bool BlockDevice = false; // a disk, partition or loop device
    std::string Group;        // the name of the group that owns the file
    bool Readable = false;
    bool Writable = false;
    std::int64_t Size = 0;
    std::int64_t ModifiedTime = 0; // nanoseconds since the epoch

    // The attributes that make a file open in view mode: read-only is a file the user may not
    // write, system anything that is neither a regular file nor a block device. A block
    // device opens in view mode for being one.
    [[nodiscard]] bool ReadOnly() const { return Exists && !Writable; }
    [[nodiscard]] bool System() const { return Exists && !Regular && !BlockDevice; }
};

// The facts of the file the path names, following symbolic links; Exists false when it
// names nothing.
[[nodiscard]] TFileFacts ReadFileFacts(const std::string& path);

// Why the file cannot be opened as a document, as the message that says so: it is missing,
// a folder, a character device or other special file, or unreadable (for a device, naming
// the group that may read it). Nothing when it can be loaded.
[[nodiscard]] std::optional<std::string> OpenRefusal(const std::string& name,
                                                     const TFileFacts& facts);

} // namespace mv
