#pragma once

#include <algorithm>
#include <chrono>
#include <cstddef>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

namespace mv::bench {

using Seconds = std::chrono::duration<double>;

[[nodiscard]] inline double Ms(Seconds span) {
    return span.count() * 1000.0;
}

// The wall time of one call on the monotonic clock.
template <typename Fn> Seconds TimeOnce(Fn&& fn) {
    const auto start = std::chrono::steady_clock::now();
    fn();
    return std::chrono::steady_clock::now() - start;
}

// The least of `runs` measurements: the least disturbed run is the closest to the cost of the
// code itself. `measure` answers the time of one run, so that it can leave set-up untimed.
template <typename Fn> Seconds BestOf(int runs, Fn&& measure) {
    Seconds best = measure();
    for (int run = 1; run < runs; ++run)
        best = std::min(best, measure());
    return best;
}

// The middle sample (the upper one of an even count), or zero without samples.
template <typename T> [[nodiscard]] T Median(std::vector<T> samples) {
    if (samples.empty()) return T{};
    const auto middle = samples.begin() + static_cast<std::ptrdiff_t>(samples.size() / 2);
    std::nth_element(samples.begin(), middle, samples.end());
    return *middle;
}

// Runs a command line through /bin/sh and answers its wall time. Throws std::runtime_error
// when the shell fails or the exit status is not one of `expectedStatuses`.
Seconds TimeShellCommand(const std::string& commandLine,
                         std::initializer_list<int> expectedStatuses);

// `text` as one single-quoted shell word.
[[nodiscard]] std::string ShellQuote(std::string_view text);

} // namespace mv::bench
