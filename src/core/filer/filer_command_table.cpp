#include "core/filer/filer_command_table.h"

#include <algorithm>
#include <array>

namespace mv {
namespace {

constexpr std::uint8_t E = 1u << static_cast<unsigned>(TFilerSection::Edit);
constexpr std::uint8_t I = 1u << static_cast<unsigned>(TFilerSection::Initialize);
constexpr std::uint8_t F = 1u << static_cast<unsigned>(TFilerSection::Finalize);
constexpr std::uint8_t C = 1u << static_cast<unsigned>(TFilerSection::Common);

// MESSAGE asks for two strings where a single one would do for the grammar: the message
// area needs both its width and its height, and a filer that gives only the width is
// better refused with "too few parameters" at its ")" than when the page is built.
constexpr std::array<TCommandType, 28> Commands{{
    {"BIGENDIAN", "", E | I | F | C, 0},
    {"COMMAND", "", E | I | F | C, 0},
    {"COMMON", "S", E | I | F | C, 0},
    {"COPY", "III", I | F, 0b111},
    {"CLEAR", "III", I | F, 0b011},
    {"DISABLE", "", E | C, 0},
    {"EDITBIT", "SII", E | C, 0b010},
    {"EDITINTEGER", "SIIII", E | C, 0b010},
    {"EDITSELECT", "SIIS*", E | C, 0b010},
    {"EDITSTRING", "SIII", E | C, 0b110},
    {"ENABLE", "", E | C, 0},
    {"FINALIZE", "", E | I | F, 0},
    {"HORIZONTALRULE", "", E | C, 0},
    {"INCLUDECOMMON", "S", E, 0},
    {"INDENT", "S", E | C, 0},
    {"INITIALIZE", "", E | I | F, 0},
    {"LABEL", "S", E | C, 0},
    {"LITTLEENDIAN", "", E | I | F | C, 0},
    {"MARGIN", "S", E | C, 0},
    {"MESSAGE", "SS*", E | C, 0},
    {"PAGE", "S", E | C, 0},
    {"SEGMENT", "I", E | I | F | C, 0b001},
    {"TITLE", "S", E | I | F | C, 0},
    {"WRITEBIT", "III", I | F, 0b001},
    {"WRITEINTEGER", "III", I | F, 0b001},
    {"WRITEPATTERNBIN", "IIS", I | F, 0b011},
    {"WRITEPATTERNHEX", "IIS", I | F, 0b011},
    {"WRITESTRING", "IISI", I | F, 0b011},
}};

bool Repeats(std::string_view signature) {
    return signature.ends_with('*');
}

} // namespace

std::span<const TCommandType> FilerCommands() {
    return Commands;
}

const TCommandType* FindFilerCommand(std::string_view upperName) {
    const auto found = std::ranges::find(Commands, upperName, &TCommandType::Name);
    return found == Commands.end() ? nullptr : &*found;
}

char ParameterType(const TCommandType& command, int position) {
    std::string_view letters = command.Signature;
    if (position < 1) return '\0';
    const auto index = static_cast<std::size_t>(position - 1);
    if (Repeats(letters)) {
        letters.remove_suffix(1);
        return letters[std::min(index, letters.size() - 1)];
    }
    return index < letters.size() ? letters[index] : '\0';
}

TParameterCount CheckParameterCount(const TCommandType& command, int count) {
    const auto length = static_cast<int>(command.Signature.size());
    if (Repeats(command.Signature))
        return count <= length - 2 ? TParameterCount::TooFew : TParameterCount::Ok;
    if (count < length) return TParameterCount::TooFew;
    return count == length ? TParameterCount::Ok : TParameterCount::TooMany;
}

} // namespace mv
