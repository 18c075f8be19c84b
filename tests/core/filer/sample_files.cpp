#include "sample_files.h"

#include <span>
#include <string_view>

namespace mv::test {
namespace {

class TByteWriter {
public:
    TByteWriter& Le16(std::uint32_t v) { return Le(v, 2); }
    TByteWriter& Le32(std::uint32_t v) { return Le(v, 4); }
    TByteWriter& Be32(std::uint32_t v) {
        for (int shift = 24; shift >= 0; shift -= 8)
            Bytes.push_back(static_cast<Byte>(v >> shift));
        return *this;
    }
    TByteWriter& Text(std::string_view text) {
        Bytes.insert(Bytes.end(), text.begin(), text.end());
        return *this;
    }
    TByteWriter& Raw(std::initializer_list<Byte> bytes) {
        Bytes.insert(Bytes.end(), bytes);
        return *this;
    }
    // A PNG chunk: length, type, data and the CRC of type and data.
    TByteWriter& Chunk(std::string_view type, const std::vector<Byte>& data) {
        Be32(static_cast<std::uint32_t>(data.size()));
        const std::size_t start = Bytes.size();
        Text(type);
        Bytes.insert(Bytes.end(), data.begin(), data.end());
        return Be32(Crc32(std::span(Bytes).subspan(start)));
    }

    std::vector<Byte> Bytes;

private:
    TByteWriter& Le(std::uint32_t v, int count) {
        for (int i = 0; i < count; ++i)
            Bytes.push_back(static_cast<Byte>(v >> (8 * i)));
        return *this;
    }
};

} // namespace

std::uint32_t Crc32(std::span<const Byte> bytes) {
    std::uint32_t crc = 0xFFFFFFFF;
    for (const Byte b : bytes) {
        crc ^= b;
        for (int bit = 0; bit < 8; ++bit)
            crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
    }
    return ~crc;
}

std::vector<Byte> SampleBmp() {
    TByteWriter w;
    w.Text("BM").Le32(70).Le16(0).Le16(0).Le32(54);
    w.Le32(40).Le32(2).Le32(static_cast<std::uint32_t>(-2)).Le16(1).Le16(24).Le32(0).Le32(16);
    w.Le32(2835).Le32(2835).Le32(0).Le32(0);
    for (int row = 0; row < 2; ++row)
        w.Raw({0, 0, 255, 255, 255, 255, 0, 0}); // 6 + 2 padding
    return w.Bytes;
}

std::vector<Byte> SampleWav() {
    TByteWriter w;
    w.Text("RIFF").Le32(40).Text("WAVE");
    w.Text("fmt ").Le32(16).Le16(1).Le16(2).Le32(44100).Le32(176400).Le16(4).Le16(16);
    w.Text("data").Le32(4).Raw({0x00, 0x10, 0x00, 0xF0});
    return w.Bytes;
}

std::vector<Byte> SamplePng() {
    TByteWriter w;
    w.Raw({0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A});
    TByteWriter header;
    header.Be32(1).Be32(1).Raw({8, 0, 0, 0, 0}); // 8-bit greyscale, no interlace
    w.Chunk("IHDR", header.Bytes);
    // zlib header, one final stored block of the scan line (filter 0, pixel 0x80), Adler-32.
    w.Chunk("IDAT", {0x78, 0x01, 0x01, 0x02, 0x00, 0xFD, 0xFF, 0x00, 0x80, 0x00, 0x82, 0x00, 0x81});
    w.Chunk("IEND", {});
    return w.Bytes;
}

std::vector<Byte> SampleZip() {
    constexpr std::string_view name = "a.txt";
    constexpr std::string_view content = "hello";
    const std::uint32_t crc =
        Crc32(std::span(reinterpret_cast<const Byte*>(content.data()), content.size()));
    constexpr std::uint16_t utf8Names = 1u << 11;
    constexpr std::uint16_t time = (12 << 11) | (34 << 5) | (56 / 2);
    constexpr std::uint16_t date = ((2024 - 1980) << 9) | (5 << 5) | 17;
    TByteWriter w;
    w.Le32(0x04034B50).Le16(20).Le16(utf8Names).Le16(0).Le16(time).Le16(date);
    w.Le32(crc).Le32(5).Le32(5).Le16(5).Le16(0).Text(name).Text(content);
    const auto directory = static_cast<std::uint32_t>(w.Bytes.size());
    w.Le32(0x02014B50).Le16(20).Le16(20).Le16(utf8Names).Le16(0).Le16(time).Le16(date);
    w.Le32(crc).Le32(5).Le32(5).Le16(5).Le16(0).Le16(0).Le16(0).Le16(0).Le32(0).Le32(0);
    w.Text(name);
    const auto directorySize = static_cast<std::uint32_t>(w.Bytes.size()) - directory;
    w.Le32(0x06054B50).Le16(0).Le16(0).Le16(1).Le16(1).Le32(directorySize).Le32(directory).Le16(0);
    return w.Bytes;
}

} // namespace mv::test
