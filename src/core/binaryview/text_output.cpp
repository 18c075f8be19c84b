#include "core/binaryview/text_output.h"

#include "core/datastore/memory_module.h"

#include <algorithm>
#include <cstdio>
#include <vector>

namespace mv {

namespace {

constexpr int kColumns = 16;
constexpr std::size_t kHexWidth = 48;
// Read this many bytes at a time, so that a long dump walks the chain once per chunk.
constexpr ByteCount kChunk = 64 * 1024;
// Shown for bytes that have no printable single-byte form: the half-width middle dot.
constexpr std::string_view kUnprintable = "\xA5";

bool Printable(Byte b) { return (b >= 32 && b <= 95) || (b >= 97 && b <= 126) || (b >= 161 && b <= 223); }

// "%7.7x0" of address div 16: the line's address with its last digit always 0.
std::string LineAddressText(Address address) {
    char text[16];
    std::snprintf(text, sizeof text, "%7.7x0", static_cast<unsigned>(address) / 16);
    return text;
}

// The bytes of the range plus the one after it (0 past the end), read chunk by chunk.
class TChunkReader {
public:
    TChunkReader(const TMemoryModule& module, Address start, ByteCount count)
        : module_(module), end_(std::int64_t{start} + count) {}

    // The byte at address and the one after it; addresses only ever increase.
    std::pair<Byte, Byte> At(Address address) {
        if (address + 1 >= bufferStart_ + static_cast<std::int64_t>(buffer_.size())) Refill(address);
        const auto i = static_cast<std::size_t>(address - bufferStart_);
        return {buffer_[i], buffer_[i + 1]};
    }

private:
    void Refill(Address address) {
        const std::int64_t want = std::min<std::int64_t>(kChunk, end_ - address) + 1;
        buffer_.resize(static_cast<std::size_t>(want));
        module_.ReadBytes(buffer_.data(), address, static_cast<ByteCount>(want));
        bufferStart_ = address;
    }

    const TMemoryModule& module_;
    std::int64_t end_;
    std::int64_t bufferStart_ = 0;
    std::vector<Byte> buffer_;
};

} // namespace

std::uint8_t TTextOutput::LineSumStart(Address lineAddress) const {
    if (!asciiCheckSum_) return 0;
    const auto a = static_cast<std::uint32_t>(lineAddress);
    return static_cast<std::uint8_t>(a + (a >> 8) + (a >> 16) + (a >> 24));
}

void TTextOutput::Run(Address start, ByteCount count, const LineEvent& onLine) const {
    if (!onLine || start < 0 || count <= 0) return;
    TChunkReader reader(module_, start, count);
    Address address = start;
    int column = start % kColumns;
    std::uint8_t sum = LineSumStart(start - column);
    std::string hex(static_cast<std::size_t>(column) * 3, ' ');
    std::string chars(static_cast<std::size_t>(column), ' ');
    bool pending = false;
    std::string line;
    for (; count > 0; --count) {
        const auto [b, next] = reader.At(address);
        static constexpr char kDigits[] = "0123456789abcdef";
        hex += kDigits[b >> 4];
        hex += kDigits[b & 15];
        hex += ' ';
        if (pending) {
            pending = false;
            if (column == 0) chars += ' '; // the character began on the line before
        } else if (CharPair pair{b, next}; DecodeCharPair(charaSet_, pair)) {
            chars += static_cast<char>(pair[0]);
            chars += static_cast<char>(pair[1]);
            pending = true;
        } else if (Printable(b)) {
            chars += static_cast<char>(b);
        } else {
            chars += kUnprintable;
        }
        sum = static_cast<std::uint8_t>(sum + b);
        ++address;
        if (++column == kColumns || count == 1) {
            hex.resize(std::max(hex.size(), kHexWidth), ' ');
            char sumText[4];
            std::snprintf(sumText, sizeof sumText, "%2.2x", sum);
            line = "[" + LineAddressText(address - 1) + "] " + hex + "|" + sumText + "| " + chars;
            bool proceed = true;
            onLine(line, proceed);
            if (!proceed) return;
            column = 0;
            sum = LineSumStart(address);
            hex.clear();
            chars.clear();
        }
    }
}

} // namespace mv
