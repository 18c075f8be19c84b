#pragma once

#include "core/typedvalues/char_set.h"

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace mv {

// The pages of the typed data frame, in their order.
enum class TInputDataPage : std::uint8_t { Integer, String, Character, Raw, Null };

// A byte pattern built by the typed-input frames: exactly Count() bytes, none for a count
// of 0. The search engine takes its patterns in this form.
struct InputDataBlock {
    std::vector<std::uint8_t> Bytes;

    [[nodiscard]] std::int32_t Count() const { return static_cast<std::int32_t>(Bytes.size()); }
    [[nodiscard]] static InputDataBlock Of(std::span<const std::uint8_t> bytes) {
        return {{bytes.begin(), bytes.end()}};
    }
    [[nodiscard]] static InputDataBlock Of(std::string_view bytes) {
        return {{bytes.begin(), bytes.end()}};
    }

    friend bool operator==(const InputDataBlock&, const InputDataBlock&) = default;
};

// The line end a typed text is stored with; the numbers are the items of its choice.
enum class TNewLineCode : std::uint8_t { CrLf = 0, Cr = 1, Lf = 2 };

// Typed text (Shift JIS, lines ending in CR LF) as the bytes to store: every CR LF becomes
// the chosen line end, then the text is converted to the character set (ShiftJisTextInSet).
[[nodiscard]] std::string TypedTextBytes(std::string_view shiftJis, TNewLineCode newLine,
                                         CharaSet charaSet);
// The same for text in UTF-8, as the screen hands it: under the Unicode sets every character
// is stored in the set's bytes; under the others the text goes through Shift JIS first.
[[nodiscard]] std::string TypedUtf8TextBytes(std::string_view utf8, TNewLineCode newLine,
                                             CharaSet charaSet);

} // namespace mv
