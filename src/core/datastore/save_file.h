#pragma once

#include <functional>
#include <string>

namespace mv {

// How a save writes an existing file.
//
// Replace: the content goes to a new file beside the target that replaces it in one rename,
// so that a failure leaves the old file whole. A hard link made to the old file beforehand
// goes on holding the old bytes.
//
// InPlace: the content is written over the file itself, and the file is cut to the new
// length only after every byte is written, so that a failure never leaves less than was
// there. Every other name of the file sees the new bytes.
enum class TSaveMethod { Replace, InPlace };

// Replace wherever it is safe; InPlace where a new file cannot stand in for the old one: the
// folder takes no new name, the file has other names that must see the change, its owner or
// group could not be given to a new file, or it is no regular file. `fileName` stands for the
// target where it is a symbolic link.
[[nodiscard]] TSaveMethod ChooseSaveMethod(const std::string& fileName);

// The folder of a path: "." for a bare name, "/" for a name in the root.
[[nodiscard]] std::string DirectoryOf(const std::string& path);
// Makes the names of a folder durable, as fsync does a file's bytes; failures are ignored,
// since the bytes themselves are already safe.
void SyncDirectory(const std::string& dir);

// Writes a file's whole new content from the descriptor's current offset; answers 0 or an
// errno value.
using TContentWriter = std::function<int(int fd)>;

// Gives `fileName` (the target, where it is a symbolic link) the content `write` produces by
// `method` and answers 0 or the errno value of the step that failed. A replacement that could
// not give the new file the old one's owner fails (EPERM) rather than change the owner.
[[nodiscard]] int SaveFileContents(const std::string& fileName, TSaveMethod method,
                                   const TContentWriter& write);

} // namespace mv
