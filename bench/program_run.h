#pragma once

#include <chrono>
#include <optional>
#include <string>
#include <sys/types.h>
#include <vector>

namespace mv::bench {

// A scratch home for runs of the real program: its own runtime, config and data folders, so a
// run neither meets the user's running instance nor touches the user's settings. Removed with
// everything in it at the end.
class TProgramHome {
public:
    TProgramHome();
    TProgramHome(const TProgramHome&) = delete;
    TProgramHome& operator=(const TProgramHome&) = delete;
    ~TProgramHome();

    [[nodiscard]] const std::string& Path() const { return path_; }
    // The environment of a program run in this home: the caller's, with the XDG folders moved
    // here and the offscreen platform where there is no display.
    [[nodiscard]] std::vector<std::string> Environment() const;

private:
    std::string path_;
};

// A started program whose window paints are reported through the paint probe.
class TProgramRun {
public:
    // Starts `program` with `arguments`; with `probe` its first paint of each window is
    // reported back. Throws std::runtime_error when it cannot start.
    TProgramRun(const std::string& program, const std::vector<std::string>& arguments,
                std::vector<std::string> environment, bool probe);
    TProgramRun(const TProgramRun&) = delete;
    TProgramRun& operator=(const TProgramRun&) = delete;
    ~TProgramRun(); // ends the program if it still runs

    // The CLOCK_MONOTONIC time of the next window's first paint, or nothing after `timeout`.
    [[nodiscard]] std::optional<std::chrono::nanoseconds>
    NextPaint(std::chrono::milliseconds timeout);
    // Waits for the program's end and answers its exit status (-1 when it did not exit).
    int Wait();
    [[nodiscard]] pid_t Pid() const { return pid_; }

private:
    pid_t pid_ = -1;
    int probe_ = -1;
    std::string pending_;
};

// The CLOCK_MONOTONIC time now, as the paint probe writes it.
[[nodiscard]] std::chrono::nanoseconds MonotonicNow();

} // namespace mv::bench
