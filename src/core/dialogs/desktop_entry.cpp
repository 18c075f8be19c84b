#include "core/dialogs/desktop_entry.h"

#include <algorithm>
#include <cstdint>

namespace mv {

namespace {

constexpr std::string_view MenuMark = "<!-- X-Morvane-Prime-Shortcut -->";

bool ValidUtf8WithoutControls(std::string_view text) {
    for (std::size_t i = 0; i < text.size();) {
        const auto lead = static_cast<std::uint8_t>(text[i]);
        if (lead < 0x20 || lead == 0x7F) return false;
        const std::size_t length = lead < 0x80 ? 1 : (lead >> 5) == 0x6 ? 2 : (lead >> 4) == 0xE ? 3
                                   : (lead >> 3) == 0x1E                ? 4 : 0;
        if (length == 0 || i + length > text.size()) return false;
        for (std::size_t k = 1; k < length; ++k)
            if ((static_cast<std::uint8_t>(text[i + k]) & 0xC0) != 0x80) return false;
        i += length;
    }
    return true;
}

// Backslashes are escaped twice: once for the quoting of the Exec line and once more because
// the whole value is a string, whose own escape character the backslash is.
std::string EscapeInQuotes(std::string_view text) {
    std::string out;
    for (const char c : text) {
        if (c == '\\') {
            out += "\\\\\\\\";
        } else if (c == '"' || c == '`' || c == '$') {
            out += "\\\\";
            out += c;
        } else if (c == '%') {
            out += "%%";
        } else {
            out += c;
        }
    }
    return out;
}

// A string value other than Exec: only the backslash is special.
std::string StringValue(std::string_view text) {
    std::string out;
    for (const char c : text) out += c == '\\' ? std::string("\\\\") : std::string(1, c);
    return out;
}

} // namespace

std::string ExecArgument(std::string_view argument) {
    return '"' + EscapeInQuotes(argument) + '"';
}

std::optional<std::string> DesktopEntryText(TDesktopEntryKind kind,
                                            const TDesktopEntryTargets& targets) {
    for (const std::string* path : {&targets.Program, &targets.Help, &targets.Icon})
        if (!ValidUtf8WithoutControls(*path)) return std::nullopt;
    std::string text = "[Desktop Entry]\nVersion=1.4\n";
    switch (kind) {
    case TDesktopEntryKind::Program:
    case TDesktopEntryKind::OpenWith:
        text += "Type=Application\n"
                "Name=Morvane Prime\n"
                "GenericName=Binary Editor\n"
                "GenericName[ja]=バイナリエディタ\n"
                "Comment=View and edit the bytes of any file\n"
                "Comment[ja]=あらゆるファイルをバイト単位で表示し編集します\n"
                "Exec=" + ExecArgument(targets.Program) + " %F\n"
                "Icon=" + StringValue(targets.Icon) + "\n"
                "Terminal=false\n";
        // The "open with" entry is offered for files only; every type of file descends from
        // application/octet-stream, so that one type covers them all.
        text += kind == TDesktopEntryKind::OpenWith
                    ? "NoDisplay=true\nMimeType=application/octet-stream;\n"
                    : "Categories=Utility;\n";
        break;
    case TDesktopEntryKind::Help:
        text += "Type=Application\n"
                "Name=Morvane Prime Help\n"
                "Name[ja]=Morvane Prime ヘルプ\n"
                "Comment=The user's manual of Morvane Prime\n"
                "Comment[ja]=Morvane Prime の使い方\n"
                "Exec=xdg-open " + ExecArgument(targets.Help) + "\n"
                "Icon=help-contents\n"
                "Terminal=false\n"
                "Categories=Utility;Documentation;\n";
        break;
    case TDesktopEntryKind::MenuDirectory:
        text += "Type=Directory\n"
                "Name=Morvane Prime\n"
                "Icon=" + StringValue(targets.Icon) + "\n";
        break;
    }
    return text + std::string(OwnEntryKey) + "\n";
}

std::string ProgramGroupMenuText(std::string_view directoryFile, std::string_view programId,
                                 std::string_view helpId) {
    // Menu readers do not validate, so the document type names no external definition.
    std::string text = "<!DOCTYPE Menu>\n";
    text += std::string(MenuMark) + "\n";
    text += "<Menu>\n"
            "  <Name>Applications</Name>\n"
            "  <Menu>\n"
            "    <Name>Morvane Prime</Name>\n"
            "    <Directory>" + std::string(directoryFile) + "</Directory>\n"
            "    <Include>\n"
            "      <Filename>" + std::string(programId) + "</Filename>\n"
            "      <Filename>" + std::string(helpId) + "</Filename>\n"
            "    </Include>\n"
            "  </Menu>\n"
            "</Menu>\n";
    return text;
}

bool IsOwnShortcutText(std::string_view text) {
    if (text.starts_with("<!DOCTYPE Menu")) return text.find(MenuMark) != std::string_view::npos;
    if (!text.starts_with("[Desktop Entry]\n")) return false;
    // The mark must be a line of the entry's own group, not text inside another value.
    for (std::size_t start = 0; start < text.size();) {
        const std::size_t end = std::min(text.find('\n', start), text.size());
        const std::string_view line = text.substr(start, end - start);
        if (line == OwnEntryKey) return true;
        if (start > 0 && line.starts_with('[')) return false; // the next group begins
        start = end + 1;
    }
    return false;
}

} // namespace mv
