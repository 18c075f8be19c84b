#pragma once

#include <string>
#include <string_view>

namespace mv {

// A filer's header: the title and author from its "#DEFINE TITLE ..." and
// "#DEFINE AUTHOR ..." lines, as Shift JIS bytes.
struct TFilerDefine {
    std::string Title;
    std::string Author;
};

// Empties both fields, then reads them from the file's header lines. The header lines of a file
// larger than a filer may be must lie whole within the first MaxFilerBytes, which is all that
// is read. Answers false when the file cannot be read.
bool ReadFilerDefine(const std::string& fileName, TFilerDefine& define);

// The same on the file's bytes. Lines are examined one by one without tokenising, so a
// header line counts even inside a comment or a quoted string; a later line overrides an
// earlier one.
void ReadFilerDefineText(std::string_view bytes, TFilerDefine& define);

} // namespace mv
