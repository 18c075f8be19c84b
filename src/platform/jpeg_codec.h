#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace mv {

// A picture of 8-bit red, green and blue samples, three bytes a pixel, rows from the top.
struct TRgbPicture {
    int Width = 0;
    int Height = 0;
    std::vector<std::uint8_t> Pixels;

    friend bool operator==(const TRgbPicture&, const TRgbPicture&) = default;
};

// The largest side a decoded picture may have: a damaged header must not ask for gigabytes.
inline constexpr int MaxJpegSide = 8192;

// Decodes a JPEG file's bytes with libjpeg. Nothing for bytes that are not a JPEG, for a file
// that libjpeg finds damaged (even where it would patch the gaps with grey) and for a picture
// larger than MaxJpegSide on either side.
[[nodiscard]] std::optional<TRgbPicture> DecodeJpeg(std::span<const std::uint8_t> bytes);

// Encodes a picture as a baseline JPEG of the given quality (1 to 100); the same picture and
// quality give the same bytes. Empty for a picture whose size and pixels disagree.
[[nodiscard]] std::vector<std::uint8_t> EncodeJpeg(const TRgbPicture& picture, int quality);

} // namespace mv
