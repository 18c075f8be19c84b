#include "core/probe/date_time.h"

#include "core/probe/probe_edit.h"

#include <array>
#include <charconv>
#include <chrono>
#include <cstdio>
#include <ctime>

namespace mv {
namespace {

using namespace std::chrono;

// 0001-01-01 00:00:00 and 9999-12-31 23:59:59 UTC.
constexpr std::int64_t FirstSecond = -62135596800;
constexpr std::int64_t LastSecond = 253402300799;

TDateTime OfTm(const std::tm& tm) {
    return {tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday, tm.tm_hour, tm.tm_min, tm.tm_sec};
}

std::optional<TDateTime> UtcOf(std::int64_t seconds) {
    if (seconds < FirstSecond || seconds > LastSecond) return std::nullopt;
    const sys_seconds point{std::chrono::seconds{seconds}};
    const sys_days day = floor<days>(point);
    const year_month_day date{day};
    const hh_mm_ss time{point - day};
    return TDateTime{
        int(date.year()),          int(unsigned(date.month())), int(unsigned(date.day())),
        int(time.hours().count()), int(time.minutes().count()), int(time.seconds().count())};
}

std::optional<TDateTime> LocalOf(std::int64_t seconds) {
    // A day beyond the years shown in UTC leaves room for any zone's offset and keeps the
    // year of localtime_r far from overflowing its int.
    if (seconds < FirstSecond - 86400 || seconds > LastSecond + 86400) return std::nullopt;
    const std::time_t point = seconds;
    std::tm tm{};
    if (localtime_r(&point, &tm) == nullptr) return std::nullopt;
    const TDateTime time = OfTm(tm);
    if (time.Year < 1 || time.Year > 9999) return std::nullopt;
    return time;
}

std::int64_t UtcSeconds(const TDateTime& time) {
    const sys_days day{year{time.Year} / month(unsigned(time.Month)) / unsigned(time.Day)};
    return day.time_since_epoch() / std::chrono::seconds{1} + time.Hour * 3600 + time.Minute * 60 +
           time.Second;
}

std::optional<std::int64_t> LocalSeconds(const TDateTime& time) {
    std::tm tm{};
    tm.tm_year = time.Year - 1900;
    tm.tm_mon = time.Month - 1;
    tm.tm_mday = time.Day;
    tm.tm_hour = time.Hour;
    tm.tm_min = time.Minute;
    tm.tm_sec = time.Second;
    tm.tm_isdst = -1;
    // mktime moves a time in a gap to one that exists, and its -1 is also a real second:
    // the seconds count only when they read back as the time typed.
    const std::time_t seconds = std::mktime(&tm);
    const std::optional<TDateTime> back = LocalOf(seconds);
    if (!back || *back != time) return std::nullopt;
    return seconds;
}

// Digits up to the separator (or the end for '\0'), taken off the front of text.
std::optional<int> Field(std::string_view& text, char separator, std::size_t maxDigits) {
    const std::size_t length = separator == '\0' ? text.size() : text.find(separator);
    if (length == 0 || length > maxDigits) return std::nullopt; // npos too
    unsigned value = 0; // unsigned: from_chars then refuses a sign
    const auto [end, error] = std::from_chars(text.data(), text.data() + length, value);
    if (error != std::errc{} || end != text.data() + length) return std::nullopt;
    text.remove_prefix(separator == '\0' ? length : length + 1);
    return static_cast<int>(value);
}

} // namespace

std::string DateTimeText(const TDateTime& time) {
    std::array<char, 64> text;
    std::snprintf(text.data(), text.size(), "%04d-%02d-%02d %02d:%02d:%02d", time.Year, time.Month,
                  time.Day, time.Hour, time.Minute, time.Second);
    return text.data();
}

std::optional<TDateTime> ParseDateTime(std::string_view text) {
    text = Typed(text);
    const auto year = Field(text, '-', 4);
    const auto month = year ? Field(text, '-', 2) : std::nullopt;
    const auto day = month ? Field(text, ' ', 2) : std::nullopt;
    const auto hour = day ? Field(text, ':', 2) : std::nullopt;
    const auto minute = hour ? Field(text, ':', 2) : std::nullopt;
    const auto second = minute ? Field(text, '\0', 2) : std::nullopt;
    if (!second) return std::nullopt;
    return TDateTime{*year, *month, *day, *hour, *minute, *second};
}

bool ValidDateTime(const TDateTime& time) {
    auto within = [](int value, int low, int high) { return value >= low && value <= high; };
    if (!within(time.Year, 1, 9999) || !within(time.Month, 1, 12) || !within(time.Day, 1, 31) ||
        !within(time.Hour, 0, 23) || !within(time.Minute, 0, 59) || !within(time.Second, 0, 59))
        return false;
    return year_month_day{year{time.Year} / month(unsigned(time.Month)) / unsigned(time.Day)}.ok();
}

std::optional<TDateTime> DateTimeOf(std::int64_t seconds, TTimeZone zone) {
    return zone == TTimeZone::Utc ? UtcOf(seconds) : LocalOf(seconds);
}

std::optional<std::int64_t> SecondsOf(const TDateTime& time, TTimeZone zone) {
    if (!ValidDateTime(time)) return std::nullopt;
    return zone == TTimeZone::Utc ? std::optional(UtcSeconds(time)) : LocalSeconds(time);
}

} // namespace mv
