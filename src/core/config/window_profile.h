#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

namespace mv {

// A document window's remembered place and view position, kept per file name. Its stored
// form is 32 bytes, little endian, in field order, the last two bytes zero. The view position
// is kept as found: the view that restores it checks the sub-position and input area.
struct WindowProfile {
    static constexpr std::size_t StoredSize = 32;
    using Bytes = std::array<std::uint8_t, StoredSize>;

    std::int32_t Left = 0;
    std::int32_t Top = 0;
    std::int32_t ClientWidth = 0;
    std::int32_t ClientHeight = 0;
    std::int32_t TopLine = 0;   // first visible line of the view
    std::int32_t CaretLine = 0; // relative to TopLine
    std::int32_t CaretColumn = 0;
    std::uint8_t CaretSubPosition = 0; // 0 high nibble or whole byte, 1 low nibble
    std::uint8_t InputArea = 0;        // 0 hexadecimal columns, 1 character column

    [[nodiscard]] Bytes Serialize() const;
    [[nodiscard]] static WindowProfile Parse(std::span<const std::uint8_t, StoredSize> bytes);

    friend bool operator==(const WindowProfile&, const WindowProfile&) = default;
};

// A profile with the file name it belongs to.
struct TProfileEntry {
    std::string Name;
    WindowProfile Profile;

    friend bool operator==(const TProfileEntry&, const TProfileEntry&) = default;
};

} // namespace mv
