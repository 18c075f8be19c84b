#pragma once

#include "core/datastore/address.h"
#include "core/typedvalues/char_set.h"

#include <functional>
#include <string>
#include <string_view>

namespace mv {

class TMemoryModule;

// Renders a range of a store as a text dump, one line per 16-byte line of the view:
// "[address] hex bytes padded to 48 |sum| characters". Characters are Shift JIS bytes, or
// UTF-8 under the Unicode sets.
class TTextOutput {
public:
    // Receives each line; setting `proceed` to false stops the output after that line.
    using LineEvent = std::function<void(std::string_view line, bool& proceed)>;

    TTextOutput(const TMemoryModule& module, CharaSet charaSet, bool asciiCheckSum)
        : module_(module), charaSet_(charaSet), asciiCheckSum_(asciiCheckSum) {}

    // Emits the lines of bytes start .. start + count - 1; nothing without a handler.
    void Run(Address start, ByteCount count, const LineEvent& onLine) const;

private:
    [[nodiscard]] std::uint8_t LineSumStart(Address lineAddress) const;

    const TMemoryModule& module_;
    CharaSet charaSet_;
    bool asciiCheckSum_;
};

} // namespace mv
