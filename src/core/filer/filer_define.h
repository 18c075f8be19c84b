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

// Empties both fields, then reads them from the file's header lines. Answers false when the
// file cannot be read.
bool ReadFilerDefine(const std::string& fileName, TFilerDefine& define);

// The same on the file's bytes. Lines are examined one by one without tokenising, so a
// header line counts even inside a comment or a quoted string; a later line overrides an
// earlier one.
void ReadFilerDefineText(std::string_view bytes, TFilerDefine& define);

} // namespace mv
