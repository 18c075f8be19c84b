#include "core/probe/time_rows.h"

#include <cstdint>
#include <limits>
#include <variant>

namespace mv {
namespace {

constexpr std::string_view NoSuchTime = "存在しない日時です.";
constexpr std::int64_t TicksPerSecond = 10'000'000;
constexpr std::int64_t SecondsFrom1601To1970 = 11'644'473'600;
constexpr int DosFirstYear = 1980;

std::string FormatMessage(std::string_view form) {
    return "日時は " + std::string(form) + " の形式で入力して下さい.";
}

std::string RangeMessage(std::string_view first, std::string_view last) {
    return "日時は " + std::string(first) + " ～ " + std::string(last) + " の範囲で指定して下さい.";
}

// The typed text as a date and time that exists, or the reason why it is none.
std::variant<TDateTime, std::string> TypedDateTime(std::string_view text, std::string_view form) {
    const std::optional<TDateTime> time = ParseDateTime(text);
    if (!time) return FormatMessage(form);
    if (!ValidDateTime(*time)) return std::string(NoSuchTime);
    return *time;
}

} // namespace

std::string UnixTimeText(std::int64_t seconds, TTimeZone zone) {
    const std::optional<TDateTime> time = DateTimeOf(seconds, zone);
    return time ? DateTimeText(*time) : std::string();
}

TProbeEdit EncodeUnixTime(std::string_view text, std::size_t size, TTimeZone zone,
                              std::endian order) {
    const auto typed = TypedDateTime(text, "YYYY-MM-DD hh:mm:ss");
    if (const auto* reason = std::get_if<std::string>(&typed))
        return TProbeEdit::Refused(*reason);
    const std::optional<std::int64_t> seconds = SecondsOf(std::get<TDateTime>(typed), zone);
    if (!seconds) return TProbeEdit::Refused(std::string(NoSuchTime));
    using Limits = std::numeric_limits<std::int32_t>;
    if (size == 4 && (*seconds < Limits::min() || *seconds > Limits::max()))
        return TProbeEdit::Refused(
            RangeMessage(UnixTimeText(Limits::min(), zone), UnixTimeText(Limits::max(), zone)));
    return {UnsignedBytes(static_cast<std::uint64_t>(*seconds), size, order), {}};
}

std::string ShowDosDateTime(std::span<const Byte> bytes, std::endian order) {
    const auto packed = static_cast<std::uint32_t>(ReadUnsigned(bytes, 4, order));
    const std::uint32_t date = packed >> 16;
    const std::uint32_t clock = packed & 0xFFFF;
    const TDateTime time{.Year = DosFirstYear + int(date >> 9),
                         .Month = int(date >> 5 & 0xF),
                         .Day = int(date & 0x1F),
                         .Hour = int(clock >> 11),
                         .Minute = int(clock >> 5 & 0x3F),
                         .Second = int(clock & 0x1F) * 2};
    return ValidDateTime(time) ? DateTimeText(time) : std::string();
}

TProbeEdit EditDosDateTime(std::string_view text, std::endian order) {
    const auto typed = TypedDateTime(text, "YYYY-MM-DD hh:mm:ss");
    if (const auto* reason = std::get_if<std::string>(&typed))
        return TProbeEdit::Refused(*reason);
    const TDateTime& time = std::get<TDateTime>(typed);
    if (time.Year < DosFirstYear || time.Year > DosFirstYear + 127)
        return TProbeEdit::Refused(RangeMessage("1980-01-01 00:00:00", "2107-12-31 23:59:58"));
    if (time.Second % 2 != 0)
        return TProbeEdit::Refused("MS-DOS 日時の秒には偶数を指定して下さい.");
    const auto packed = static_cast<std::uint32_t>(
        (time.Year - DosFirstYear) << 25 | time.Month << 21 | time.Day << 16 | time.Hour << 11 |
        time.Minute << 5 | time.Second / 2);
    return {UnsignedBytes(packed, 4, order), {}};
}

std::string ShowFileTime(std::span<const Byte> bytes, std::endian order) {
    const std::uint64_t ticks = ReadUnsigned(bytes, 8, order);
    const auto seconds = static_cast<std::int64_t>(ticks / TicksPerSecond) - SecondsFrom1601To1970;
    const std::string text = UnixTimeText(seconds, TTimeZone::Utc);
    if (text.empty()) return text;
    const std::string fraction = std::to_string(ticks % TicksPerSecond);
    return text + "." + std::string(7 - fraction.size(), '0') + fraction;
}

TProbeEdit EditFileTime(std::string_view text, std::endian order) {
    constexpr std::string_view Form = "YYYY-MM-DD hh:mm:ss.fffffff";
    text = Typed(text);
    const std::size_t dot = text.find('.');
    std::string fraction(dot == std::string_view::npos ? "" : text.substr(dot + 1));
    if (dot != std::string_view::npos &&
        (fraction.empty() || fraction.size() > 7 ||
         fraction.find_first_not_of("0123456789") != std::string::npos))
        return TProbeEdit::Refused(FormatMessage(Form));
    const auto typed = TypedDateTime(text.substr(0, dot), Form);
    if (const auto* reason = std::get_if<std::string>(&typed))
        return TProbeEdit::Refused(*reason);
    const std::int64_t seconds = *SecondsOf(std::get<TDateTime>(typed), TTimeZone::Utc);
    if (seconds < -SecondsFrom1601To1970)
        return TProbeEdit::Refused(
            RangeMessage("1601-01-01 00:00:00.0000000", "9999-12-31 23:59:59.9999999"));
    fraction.resize(7, '0');
    const auto ticks =
        static_cast<std::uint64_t>(seconds + SecondsFrom1601To1970) * TicksPerSecond +
        std::stoull(fraction);
    return {UnsignedBytes(ticks, 8, order), {}};
}

} // namespace mv
