#include "bench_timing.h"

#include <algorithm>
#include <cstdlib>
#include <stdexcept>
#include <sys/wait.h>

namespace mv::bench {

Seconds TimeShellCommand(const std::string& commandLine,
                         std::initializer_list<int> expectedStatuses) {
    int status = 0;
    const Seconds elapsed = TimeOnce([&] { status = std::system(commandLine.c_str()); });
    if (status == -1 || !WIFEXITED(status))
        throw std::runtime_error("could not run: " + commandLine);
    const int exitStatus = WEXITSTATUS(status);
    if (std::find(expectedStatuses.begin(), expectedStatuses.end(), exitStatus) ==
        expectedStatuses.end())
        throw std::runtime_error("unexpected exit status " + std::to_string(exitStatus) +
                                 " from: " + commandLine);
    return elapsed;
}

std::string ShellQuote(std::string_view text) {
    std::string quoted = "'";
    for (const char c : text) {
        if (c == '\'')
            quoted += "'\\''"; // close the quote, add an escaped quote, reopen
        else
            quoted += c;
    }
    return quoted + "'";
}

} // namespace mv::bench
