#pragma once

// Checks a desktop entry file with desktop-file-validate, the freedesktop checker.
#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <string>

namespace mv::test {

inline std::string ShellQuoted(const std::string& text) {
    std::string quoted = "'";
    for (const char c : text) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return quoted + "'";
}

// Runs the command and answers its exit status with everything it printed.
inline int RunCommand(const std::string& command, std::string& output) {
    FILE* pipe = popen((command + " 2>&1").c_str(), "r");
    if (pipe == nullptr) return -1;
    std::array<char, 512> chunk{};
    while (fgets(chunk.data(), chunk.size(), pipe) != nullptr) output += chunk.data();
    return pclose(pipe);
}

// Valid means no error and no warning; the validator's hints are advice only.
inline ::testing::AssertionResult ValidDesktopFile(const std::string& path) {
    std::string output;
    if (RunCommand("command -v desktop-file-validate", output) != 0)
        return ::testing::AssertionFailure() << "desktop-file-validate is not installed (desktop-file-utils)";
    output.clear();
    const int status = RunCommand("desktop-file-validate " + ShellQuoted(path), output);
    if (status != 0 || output.find("error:") != std::string::npos ||
        output.find("warning:") != std::string::npos)
        return ::testing::AssertionFailure() << path << ":\n" << output;
    return ::testing::AssertionSuccess();
}

} // namespace mv::test
