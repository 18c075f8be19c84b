#include "core/config/window_profile.h"

#include "core/config/little_endian.h"

#include <iterator>

namespace mv {

WindowProfile::Bytes WindowProfile::Serialize() const {
    Bytes bytes{};
    const std::span<std::uint8_t, StoredSize> out(bytes);
    const std::int32_t words[] = {Left,    Top,       ClientWidth, ClientHeight,
                                  TopLine, CaretLine, CaretColumn};
    for (std::size_t i = 0; i < std::size(words); ++i)
        StoreLe32(out.subspan(4 * i).first<4>(), static_cast<std::uint32_t>(words[i]));
    bytes[28] = CaretSubPosition;
    bytes[29] = InputArea;
    return bytes;
}

WindowProfile WindowProfile::Parse(std::span<const std::uint8_t, StoredSize> bytes) {
    const auto word = [&](std::size_t offset) {
        return static_cast<std::int32_t>(LoadLe32(bytes.subspan(offset).first<4>()));
    };
    WindowProfile profile;
    profile.Left = word(0);
    profile.Top = word(4);
    profile.ClientWidth = word(8);
    profile.ClientHeight = word(12);
    profile.TopLine = word(16);
    profile.CaretLine = word(20);
    profile.CaretColumn = word(24);
    profile.CaretSubPosition = bytes[28];
    profile.InputArea = bytes[29];
    return profile;
}

} // namespace mv
