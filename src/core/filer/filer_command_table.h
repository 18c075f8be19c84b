#pragma once

#include <cstdint>
#include <span>
#include <string_view>

namespace mv {

// The four sections of a filer; the number is the bit of TCommandType::Sections that
// allows a command there.
enum class TFilerSection : std::uint8_t { Edit = 0, Initialize = 1, Finalize = 2, Common = 3 };

// One entry of the command table. Signature letters: 'I' integer, 'S' string; a trailing
// '*' lets the letter before it repeat (at least once). An empty signature means the
// command takes no parameter list at all.
struct TCommandType {
    std::string_view Name;
    std::string_view Signature;
    std::uint8_t Sections;
    // Bit n set: parameter n + 1 is an address or a size, so a negative value is refused.
    std::uint8_t Extents;

    [[nodiscard]] bool AllowedIn(TFilerSection section) const {
        return (Sections >> static_cast<unsigned>(section)) & 1u;
    }
    [[nodiscard]] bool IsExtent(int position) const {
        return position >= 1 && position <= 8 && ((Extents >> (position - 1)) & 1u);
    }
};

// The 28 commands in lookup order.
[[nodiscard]] std::span<const TCommandType> FilerCommands();

// The entry of an upper-cased name, or nullptr.
[[nodiscard]] const TCommandType* FindFilerCommand(std::string_view upperName);

// The type letter of the parameter at a 1-based position, or '\0' when the command has no
// such position.
[[nodiscard]] char ParameterType(const TCommandType& command, int position);

enum class TParameterCount { Ok, TooFew, TooMany };
[[nodiscard]] TParameterCount CheckParameterCount(const TCommandType& command, int count);

} // namespace mv
