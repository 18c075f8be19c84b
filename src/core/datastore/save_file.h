#pragma once

#include <functional>
#include <string>

namespace mv {

// Writes a file's whole new content from the descriptor's current offset; answers 0 or an
// errno value.
using TContentWriter = std::function<int(int fd)>;

// Gives `fileName` (the target, where it is a symbolic link) the content `write` produces and
// answers 0 or the errno value of the step that failed.
//
// Wherever it is safe, the content goes to a new file beside the target that replaces it in
// one rename, so that a failure leaves the old file whole. A new file cannot stand in for the
// old one when the folder takes no new name, when the file has other names that must see the
// change, when its owner or group could not be given to a new file, or when it is no regular
// file; then the content is written over the file itself, and the file is cut to the new
// length only after every byte is written, so that a failure never leaves less than was there.
[[nodiscard]] int SaveFileContents(const std::string& fileName, const TContentWriter& write);

} // namespace mv
