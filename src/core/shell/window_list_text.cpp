#include "core/shell/window_list_text.h"

#include <algorithm>

namespace mv {

namespace {

std::string Numbered(std::string_view prefix, int number, std::string_view separator,
                     std::string_view name) {
    std::string text(prefix);
    text += std::to_string(number);
    text += separator;
    text += name;
    return text;
}

std::string MenuEscaped(std::string_view name) {
    std::string text;
    for (const char c : name) {
        if (c == '&') text += '&';
        text += c;
    }
    return text;
}

} // namespace

std::string WindowDisplayName(std::string_view fileName) {
    return fileName.empty() ? std::string("(新規)") : std::string(fileName);
}

std::string NumberedMenuItemText(int number, std::string_view name) {
    return Numbered("&", number, ": ", MenuEscaped(name));
}

std::string SelectFileItemText(int number, std::string_view name) {
    return Numbered("&", number, " : ", MenuEscaped(name));
}

std::string WindowListLine(int number, std::string_view name) {
    return Numbered("", number, ": ", name);
}

TWindowMenuLayout WindowMenuLayout(int windowCount) {
    const int count = std::max(windowCount, 0);
    return {std::min(count, MenuWindowItemMax), count > MenuWindowItemMax};
}

int SelectFilePopupItemCount(int windowCount) {
    return std::clamp(windowCount, 0, MenuWindowItemMax);
}

} // namespace mv
