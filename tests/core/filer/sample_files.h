#pragma once

#include "core/datastore/address.h"

#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

namespace mv::test {

// Small but complete files of real formats, built byte by byte.

// 2 × 2 pixels, 24 bits, stored top-down (negative height), 70 bytes.
std::vector<Byte> SampleBmp();
// 16-bit stereo PCM at 44100 Hz with one sample frame of data, 48 bytes.
std::vector<Byte> SampleWav();
// 1 × 1 grey pixel: signature, IHDR, IDAT (a stored deflate block) and IEND with true CRCs.
std::vector<Byte> SamplePng();
// One stored member "a.txt" holding "hello", with its central directory entry, UTF-8 flag set.
std::vector<Byte> SampleZip();

std::uint32_t Crc32(std::span<const Byte> bytes);

} // namespace mv::test
