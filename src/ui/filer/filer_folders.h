#pragma once

#include <string>
#include <vector>

namespace mv {

// The shipped filers: those installed with the program, else those of the build tree.
[[nodiscard]] std::string ShippedFilerFolder();
// The filer folder as the open dialog shows it: the user's own filers over the shipped ones.
[[nodiscard]] std::vector<std::string> FilerFolders();

} // namespace mv
