// The profile file parser on any bytes: it must never read outside them, and what it takes
// must be whole entries: written out again, they make a file no longer than the input that
// reads back as the same entries.
#include "core/config/profile_file.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::span<const std::uint8_t> bytes(data, size);
    const std::vector<mv::TProfileEntry> entries = mv::ParseProfileFile(bytes);
    if (entries.empty()) return 0;
    const std::vector<std::uint8_t> again = mv::SerializeProfileFile(entries);
    if (again.size() > bytes.size() || mv::ParseProfileFile(again) != entries) std::abort();
    return 0;
}
