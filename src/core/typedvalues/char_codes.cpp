#include "core/typedvalues/char_codes.h"

#include <array>
#include <cstdio>
#include <iterator>

namespace mv {

namespace {

constexpr std::uint8_t BackslashSlot = 0xFC;

// The spellings are the program's own and stay as they are, slips included.
constexpr std::string_view Names[] = {
    "Null", "Start of Heading", "Start of Text", "End of Text", "End of Transmisson", "Enquiry",
    "Acknowledge", "Bell (Alert)", "Back Space", "Horizontal Tab", "Line Feed", "Vertical Tab",
    "Form Feed", "Carriage Return", "Shift out", "Shift in", "Data Link Escape", "Device Control 1",
    "Device Control 2", "Device Control 3", "Device Control 4", "Negative Ackowledge",
    "Synchronous idle", "End of Transmisson Block", "Cancel", "End of Medium",
    "Substitute/End of File", "Escape", "File Separator", "Group Separator", "Record Separatot",
    "Unit Separator", "Space", "Exclamation Mark", "Quotation Mark", "Nunber Sign", "Dollar Sign",
    "Percent Sign", "Ampersand", "Apostrophe", "Left Parenthesis", "Right Parenthesis", "Asterisk",
    "Plus Sign", "Comma", "Hyphen", "Period", "Solidus",
    // 0x30..0x39: digits
    "", "", "", "", "", "", "", "", "", "", "Colon", "Semicolon", "Less-than Sign", "Equals Sign",
    "Greater-than Sign", "Question Mark", "Commercial At Sign",
    // 0x41..0x5A: capital letters
    "", "", "", "", "", "", "", "", "", "", "", "", "", "", "", "", "", "", "", "", "", "", "", "",
    "", "", "Left Square Bracket", "Reverse Solidus", "Right Square Bracket", "Circumflex Accent",
    "Low Line", "Grave Accent",
    // 0x61..0x7A: small letters
    "", "", "", "", "", "", "", "", "", "", "", "", "", "", "", "", "", "", "", "", "", "", "", "",
    "", "", "Left Curly Bracket", "Vertical Line", "Right Curly Bracket", "Tilde", "Delete"};
static_assert(std::size(Names) == 128);

bool IsNecGraphic(std::uint8_t code) {
    return (code >= 0x80 && code <= 0x9F) || code >= 0xE0;
}

} // namespace

int CodeCount(TAsciiSet set) {
    return set == TAsciiSet::asASCII ? 128 : 256;
}

std::string_view AsciiCharName(std::uint8_t code) {
    return code < 128 ? Names[code] : "";
}

std::string CharItemText(std::uint8_t code) {
    std::array<char, 16> numbers{};
    std::snprintf(numbers.data(), numbers.size(), "%2.2Xh (%3dd)", code, code);
    std::string text = numbers.data();
    if (code < 128) {
        text += ' ';
        text += AsciiCharName(code);
    }
    return text;
}

std::optional<std::uint8_t> GlyphSlot(TAsciiSet set, std::uint8_t code) {
    if (set == TAsciiSet::asASCII && code == 0x5C) return BackslashSlot;
    if (set != TAsciiSet::asNEC && IsNecGraphic(code)) return std::nullopt;
    return code;
}

} // namespace mv
