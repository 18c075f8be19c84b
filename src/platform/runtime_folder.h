#pragma once

#include <string>

namespace mv {

// The folder that holds the single-instance lock and socket: $XDG_RUNTIME_DIR, or else
// "/tmp/morvane-<uid>", created when missing. A folder is used only when it is a real
// directory (not a link), owned by this user and closed to everyone else (mode 0700): another
// user who could write there could impersonate the running instance. Answers an empty string,
// with the reason in `problem`, when neither folder is usable.
[[nodiscard]] std::string InstanceRuntimeFolder(std::string* problem = nullptr);

// Whether `path` is a directory of this user's own with mode 0700.
[[nodiscard]] bool FolderIsPrivate(const std::string& path);

} // namespace mv
