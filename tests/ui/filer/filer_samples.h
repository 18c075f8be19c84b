#pragma once

// Small but complete files of the formats of the shipped filers, built byte by byte.
#include "core/datastore/address.h"

#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

namespace mv::test {

using Bytes = std::vector<Byte>;

inline std::uint32_t Crc32(std::span<const Byte> bytes) {
    std::uint32_t crc = 0xFFFFFFFF;
    for (const Byte b : bytes) {
        crc ^= b;
        for (int bit = 0; bit < 8; ++bit)
            crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
    }
    return ~crc;
}

struct TByteWriter {
    // `count` bytes of the value, least significant first, or most significant first.
    TByteWriter& Le(std::uint64_t v, int count = 4) {
        for (int i = 0; i < count; ++i)
            Out.push_back(static_cast<Byte>(v >> (8 * i)));
        return *this;
    }
    TByteWriter& Be(std::uint64_t v, int count = 4) {
        for (int i = count - 1; i >= 0; --i)
            Out.push_back(static_cast<Byte>(v >> (8 * i)));
        return *this;
    }
    TByteWriter& Int(bool bigEndian, std::uint64_t v, int count) {
        return bigEndian ? Be(v, count) : Le(v, count);
    }
    TByteWriter& Text(std::string_view text) {
        Out.insert(Out.end(), text.begin(), text.end());
        return *this;
    }
    TByteWriter& Raw(const Bytes& bytes) {
        Out.insert(Out.end(), bytes.begin(), bytes.end());
        return *this;
    }
    // A PNG chunk: length, type, data and the CRC of type and data.
    TByteWriter& Chunk(std::string_view type, const Bytes& data) {
        Be(data.size()).Text(type).Raw(data);
        return Be(Crc32(std::span(Out).last(type.size() + data.size())));
    }
    Bytes Out;
};

// 2 × 2 pixels, 24 bits, stored top-down (negative height).
inline Bytes SampleBmp() {
    TByteWriter w;
    w.Text("BM").Le(70).Le(0).Le(54).Le(40).Le(2).Le(0xFFFFFFFE).Le(1, 2).Le(24, 2).Le(0).Le(16);
    w.Le(2835).Le(2835).Le(0).Le(0).Raw({0, 0, 255, 255, 255, 255, 0, 0});
    return w.Raw({0, 0, 255, 255, 255, 255, 0, 0}).Out;
}

// An OS/2 bitmap array holding one 2 × 2 picture of 24 bits with the short core header.
inline Bytes SampleOs2Bitmap() {
    TByteWriter w;
    w.Text("BA").Le(40).Le(0).Le(0, 2).Le(0, 2);   // array header: size, no next, display
    w.Text("BM").Le(26).Le(0, 2).Le(0, 2).Le(40);  // file header: size, hot spot, bits
    w.Le(12).Le(2, 2).Le(2, 2).Le(1, 2).Le(24, 2); // core header
    return w.Raw(Bytes(16, 0x80)).Out;
}

// 16-bit PCM stereo at 44100 Hz with one sample frame; RIFX holds the same numbers big endian.
inline Bytes SampleWav(bool bigEndian = false) {
    TByteWriter w;
    const auto put = [&](std::uint64_t v, int count = 4) { w.Int(bigEndian, v, count); };
    w.Text(bigEndian ? "RIFX" : "RIFF");
    put(40);
    w.Text("WAVEfmt ");
    put(16);
    put(1, 2);
    put(2, 2);
    put(44100);
    put(176400);
    put(4, 2);
    put(16, 2);
    w.Text("data");
    put(4);
    return w.Raw({0x00, 0x10, 0x00, 0xF0}).Out;
}

// The same sound as RF64: the sizes stand at -1 and a ds64 chunk before fmt holds them.
inline Bytes SampleRf64() {
    TByteWriter w;
    w.Text("RF64").Le(0xFFFFFFFF).Text("WAVEds64").Le(28).Le(76, 8).Le(4, 8).Le(1, 8).Le(0);
    w.Text("fmt ").Le(16).Le(1, 2).Le(2, 2).Le(44100).Le(176400).Le(4, 2).Le(16, 2);
    return w.Text("data").Le(0xFFFFFFFF).Raw({0x00, 0x10, 0x00, 0xF0}).Out;
}

// One grey pixel: a greyscale header, a stored deflate block and the end.
inline Bytes SamplePng() {
    TByteWriter w;
    w.Raw({0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A});
    w.Chunk("IHDR", TByteWriter().Be(1).Be(1).Raw({8, 0, 0, 0, 0}).Out);
    w.Chunk("IDAT", {0x78, 0x01, 0x01, 0x02, 0x00, 0xFD, 0xFF, 0x00, 0x80, 0x00, 0x82, 0x00, 0x81});
    return w.Chunk("IEND", {}).Out;
}

// One member "a.txt" holding "hello" and its directory entry, with UTF-8 names, after the
// bytes `before` (a spanning mark, a self-extractor's program), which the offsets count.
inline Bytes SampleZip(const Bytes& before = {}) {
    constexpr std::uint32_t crc = 0x3610A686, time = (12 << 11) | (34 << 5) | 28;
    constexpr std::uint32_t date = ((2024 - 1980) << 9) | (5 << 5) | 17;
    TByteWriter w;
    w.Raw(before);
    w.Le(0x04034B50).Le(20, 2).Le(1 << 11, 2).Le(0, 2).Le(time, 2).Le(date, 2).Le(crc);
    w.Le(5).Le(5).Le(5, 2).Le(0, 2).Text("a.txthello");
    w.Le(0x02014B50).Le(20, 2).Le(20, 2).Le(1 << 11, 2).Le(0, 2).Le(time, 2).Le(date, 2);
    w.Le(crc).Le(5).Le(5).Le(5, 2).Le(0).Le(0).Le(0).Le(before.size()).Text("a.txt");
    return w.Le(0x06054B50).Le(0).Le(1, 2).Le(1, 2).Le(51).Le(40 + before.size()).Le(0, 2).Out;
}

// An archive without members: the end record alone.
inline Bytes SampleEmptyZip() {
    return TByteWriter().Le(0x06054B50).Le(0).Le(0).Le(0).Le(0).Le(0, 2).Out;
}

// A DOS program's header, as a self-extracting archive begins.
inline Bytes DosStub() {
    TByteWriter w;
    w.Text("MZ").Le(0x90, 2).Le(3, 2).Le(0, 2).Le(4, 2).Raw(Bytes(50, 0));
    return w.Le(0x40).Out;
}

// The file header of an ELF file of either class and byte order, followed by its first
// program header's place filled with zeros: an x86-64 shared object, an S/390 executable, an
// i386 executable and a MIPS object.
inline Bytes SampleElf(bool elf64, bool bigEndian) {
    TByteWriter w;
    w.Raw({0x7F, 'E', 'L', 'F', Byte(elf64 ? 2 : 1), Byte(bigEndian ? 2 : 1), 1, 3, 0});
    w.Raw(Bytes(7, 0));
    const auto put = [&](std::uint64_t v, int count) { w.Int(bigEndian, v, count); };
    put(elf64 ? (bigEndian ? 2 : 3) : (bigEndian ? 1 : 2), 2);
    put(elf64 ? (bigEndian ? 22 : 62) : (bigEndian ? 8 : 3), 2);
    put(1, 4);
    const int word = elf64 ? 8 : 4;
    put(elf64 ? 0x0000555512345678 : 0x08048074, word);
    put(elf64 ? 64 : 52, word);
    put(elf64 ? 0x0000001122334455 : 0x00001234, word);
    put(bigEndian && !elf64 ? 0x70001007 : 0, 4);
    put(elf64 ? 64 : 52, 2);
    put(elf64 ? 56 : 32, 2);
    put(2, 2);
    put(elf64 ? 64 : 40, 2);
    put(7, 2);
    put(6, 2);
    return w.Raw(Bytes(elf64 ? 56 : 32, 0)).Out;
}

// The JPEG with its first segment after SOI (a JFIF APP0) replaced by one of that marker.
inline Bytes WithFirstSegment(const Bytes& jpeg, Byte marker, const Bytes& payload) {
    const auto rest = static_cast<std::ptrdiff_t>(4 + (jpeg.at(4) << 8 | jpeg.at(5)));
    TByteWriter w;
    w.Raw({0xFF, 0xD8, 0xFF, marker}).Be(payload.size() + 2, 2).Raw(payload);
    w.Out.insert(w.Out.end(), jpeg.begin() + rest, jpeg.end());
    return w.Out;
}

// An Exif APP1 payload: a big-endian TIFF header and one directory with the orientation.
inline Bytes ExifPayload() {
    TByteWriter w;
    w.Text(std::string_view("Exif\0\0MM", 8)).Be(42, 2).Be(8).Be(1, 2);
    return w.Be(0x0112, 2).Be(3, 2).Be(1).Be(1, 2).Be(0, 2).Be(0).Out;
}

// An Adobe APP14 payload: version 100, no flags, YCbCr.
inline Bytes AdobePayload() {
    return TByteWriter().Text("Adobe").Be(100, 2).Be(0, 2).Be(0, 2).Raw({1}).Out;
}

} // namespace mv::test
