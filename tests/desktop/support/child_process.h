#pragma once

#include <chrono>
#include <optional>
#include <string>
#include <sys/types.h>
#include <vector>

namespace mv::desktop {

// A program started by a desktop test, in a process group of its own so that ending it also
// ends whatever it started. The destructor kills the group if the program still runs.
class TChildProcess {
public:
    // Starts `argv` with exactly `environment`; its output goes to `logPath` (appended), its
    // input comes from `inputPath`.
    TChildProcess(const std::vector<std::string>& argv, const std::vector<std::string>& environment,
                  const std::string& logPath, const std::string& inputPath = "/dev/null");
    TChildProcess(const TChildProcess&) = delete;
    TChildProcess& operator=(const TChildProcess&) = delete;
    ~TChildProcess();

    [[nodiscard]] pid_t Pid() const { return pid_; }
    [[nodiscard]] bool Running();
    // The exit status once the program has ended within `timeout` (128 + signal when killed).
    [[nodiscard]] std::optional<int> Wait(std::chrono::milliseconds timeout);
    void Kill(int signal = 9);

private:
    pid_t pid_ = -1;
    std::optional<int> status_;
};

struct TToolResult {
    int Status = -1; // -1: did not end in time
    std::string Output;
};

// Runs a short command-line tool to its end and answers its status and standard output (its
// error output is dropped); a tool that outlives `timeout` is killed with its process group.
[[nodiscard]] TToolResult RunTool(const std::vector<std::string>& argv,
                                  const std::vector<std::string>& environment,
                                  std::chrono::milliseconds timeout, const std::string& input = {});

} // namespace mv::desktop
