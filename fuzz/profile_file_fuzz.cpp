// The profile file parser on any bytes: it must never read outside them, and a file it takes
// must be exactly the file that its entries serialise to.
#include "core/config/profile_file.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::span<const std::uint8_t> bytes(data, size);
    const auto entries = mv::ParseProfileFile(bytes);
    if (!entries) return 0;
    if (entries->empty()) std::abort(); // a file without entries is refused
    const std::vector<std::uint8_t> again = mv::SerializeProfileFile(*entries);
    if (!std::equal(again.begin(), again.end(), bytes.begin(), bytes.end())) std::abort();
    return 0;
}
