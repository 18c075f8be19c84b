#pragma once

#include "core/probe/date_time.h"
#include "core/probe/endian_bytes.h"
#include "core/probe/probe_edit.h"

#include <concepts>
#include <string>
#include <string_view>

namespace mv {

// The rows that show the bytes at the caret as a time stamp, "YYYY-MM-DD hh:mm:ss", and take
// one typed in that form back. A value that names no time the form can show gives an empty
// text. Each Show reads only the bytes of its width, which the caller has checked are there.

// Unix time: seconds since 1970-01-01 00:00:00 UTC as a signed integer of size 4 or 8 bytes,
// signed as time_t is, so that the 32-bit form covers 1901-12-13 to 2038-01-19.
[[nodiscard]] std::string UnixTimeText(std::int64_t seconds, TTimeZone zone);
[[nodiscard]] TProbeEdit EncodeUnixTime(std::string_view text, std::size_t size, TTimeZone zone,
                                            std::endian order);

template <std::signed_integral T, TTimeZone Zone>
[[nodiscard]] std::string ShowUnixTime(std::span<const Byte> bytes, std::endian order) {
    return UnixTimeText(static_cast<T>(ReadUnsigned(bytes, sizeof(T), order)), Zone);
}
template <std::signed_integral T, TTimeZone Zone>
[[nodiscard]] TProbeEdit EditUnixTime(std::string_view text, std::endian order) {
    return EncodeUnixTime(text, sizeof(T), Zone, order);
}

// MS-DOS date and time in their packed 32 bits: the time in the low word (hour 5 bits,
// minute 6, second / 2 5), the date in the high word (year - 1980 7 bits, month 4, day 5).
// Its seconds are even, so a typed odd second is refused rather than rounded.
[[nodiscard]] std::string ShowDosDateTime(std::span<const Byte> bytes, std::endian order);
[[nodiscard]] TProbeEdit EditDosDateTime(std::string_view text, std::endian order);

// Windows FILETIME: an unsigned 64-bit count of 100 ns ticks since 1601-01-01 00:00:00 UTC,
// shown in UTC with a seven-digit fraction ("1970-01-01 00:00:00.0000000"). A typed fraction
// may be shorter or left out.
[[nodiscard]] std::string ShowFileTime(std::span<const Byte> bytes, std::endian order);
[[nodiscard]] TProbeEdit EditFileTime(std::string_view text, std::endian order);

} // namespace mv
