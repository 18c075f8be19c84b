#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace mv {

// A calendar date and a time of day to the second, as the time rows show and take them.
struct TDateTime {
    int Year = 0;
    int Month = 0;
    int Day = 0;
    int Hour = 0;
    int Minute = 0;
    int Second = 0;
    friend bool operator==(const TDateTime&, const TDateTime&) = default;
};

enum class TTimeZone : std::uint8_t { Utc, Local };

// "YYYY-MM-DD hh:mm:ss".
[[nodiscard]] std::string DateTimeText(const TDateTime& time);
// Text in that form, blanks around it allowed and fields with fewer digits too
// ("2024-1-5 9:03:00"); nullopt when it is not in that form. The fields are not checked.
[[nodiscard]] std::optional<TDateTime> ParseDateTime(std::string_view text);
// The year lies in 1 to 9999, the four digits the form has room for, and the rest is a day
// of the calendar and a time of a day (no leap second).
[[nodiscard]] bool ValidDateTime(const TDateTime& time);

// The date and time of the seconds since 1970-01-01 00:00:00 UTC, in UTC or in the local time
// zone of the process; nullopt when the year falls outside 1 to 9999.
[[nodiscard]] std::optional<TDateTime> DateTimeOf(std::int64_t seconds, TTimeZone zone);
// The seconds since 1970-01-01 00:00:00 UTC of a valid date and time in that zone; nullopt
// for a local time that a clock change skips.
[[nodiscard]] std::optional<std::int64_t> SecondsOf(const TDateTime& time, TTimeZone zone);

} // namespace mv
