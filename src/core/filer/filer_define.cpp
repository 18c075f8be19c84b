#include "core/filer/filer_define.h"

#include "core/filer/filer_bounds.h"
#include "core/filer/filer_text.h"

#include <cerrno>

namespace mv {
namespace {

std::string_view Trimmed(std::string_view text) {
    const auto blank = [](char c) { return static_cast<unsigned char>(c) <= 32; };
    while (!text.empty() && blank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && blank(text.back()))
        text.remove_suffix(1);
    return text;
}

} // namespace

void ReadFilerDefineText(std::string_view bytes, TFilerDefine& define) {
    define = {};
    constexpr std::string_view Keyword = "#DEFINE ";
    for (const std::string& line : SplitLines(bytes)) {
        if (UpperAscii(std::string_view(line).substr(0, Keyword.size())) != Keyword) continue;
        const std::string_view rest = Trimmed(std::string_view(line).substr(Keyword.size()));
        const std::size_t space = rest.find(' ');
        if (space == std::string_view::npos) continue;
        const std::string key = UpperAscii(rest.substr(0, space));
        const std::string_view value = Trimmed(rest.substr(space + 1));
        if (key == "TITLE")
            define.Title = value;
        else if (key == "AUTHOR")
            define.Author = value;
    }
}

bool ReadFilerDefine(const std::string& fileName, TFilerDefine& define) {
    define = {};
    std::string bytes;
    const int error = ReadFileStart(fileName, MaxFilerBytes, bytes);
    if (error == EFBIG) {
        // Past the limit a line may be cut short: only whole lines count.
        const std::size_t lastBreak = bytes.find_last_of("\r\n");
        bytes.resize(lastBreak == std::string::npos ? 0 : lastBreak);
    } else if (error != 0) {
        return false;
    }
    ReadFilerDefineText(bytes, define);
    return true;
}

} // namespace mv
