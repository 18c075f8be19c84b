#include "program_run.h"

#include <csignal>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <fcntl.h>
#include <filesystem>
#include <poll.h>
#include <spawn.h>
#include <stdexcept>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace mv::bench {

namespace {

// The probe's descriptor in the program: the first one after the standard three.
constexpr int kProbeDescriptor = 3;

bool Overrides(const std::string& entry, const std::vector<std::string>& names) {
    for (const std::string& name : names)
        if (entry.rfind(name + "=", 0) == 0) return true;
    return false;
}

} // namespace

std::chrono::nanoseconds MonotonicNow() {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return std::chrono::seconds(now.tv_sec) + std::chrono::nanoseconds(now.tv_nsec);
}

TProgramHome::TProgramHome() {
    std::string pattern =
        (std::filesystem::temp_directory_path() / "mv_shell_bench_XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr)
        throw std::runtime_error("cannot create a scratch folder");
    path_ = pattern; // mkdtemp makes it 0700, as a runtime folder must be
    for (const char* folder : {"config", "data", "cache"})
        std::filesystem::create_directory(path_ + "/" + folder);
}

TProgramHome::~TProgramHome() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
}

std::vector<std::string> TProgramHome::Environment() const {
    std::vector<std::string> own{"XDG_RUNTIME_DIR=" + path_, "XDG_CONFIG_HOME=" + path_ + "/config",
                                 "XDG_DATA_HOME=" + path_ + "/data",
                                 "XDG_CACHE_HOME=" + path_ + "/cache"};
    const bool display =
        std::getenv("DISPLAY") != nullptr || std::getenv("WAYLAND_DISPLAY") != nullptr;
    if (!display && std::getenv("QT_QPA_PLATFORM") == nullptr)
        own.emplace_back("QT_QPA_PLATFORM=offscreen");
    std::vector<std::string> names;
    for (const std::string& entry : own)
        names.push_back(entry.substr(0, entry.find('=')));
    names.emplace_back("MV_PAINT_PROBE_FD");
    std::vector<std::string> environment;
    for (char** entry = environ; *entry != nullptr; ++entry)
        if (!Overrides(*entry, names)) environment.emplace_back(*entry);
    environment.insert(environment.end(), own.begin(), own.end());
    return environment;
}

TProgramRun::TProgramRun(const std::string& program, const std::vector<std::string>& arguments,
                         std::vector<std::string> environment, bool probe) {
    int pipeEnds[2] = {-1, -1};
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    if (probe) {
        if (pipe2(pipeEnds, O_CLOEXEC) != 0) throw std::runtime_error("cannot make the probe pipe");
        posix_spawn_file_actions_adddup2(&actions, pipeEnds[1], kProbeDescriptor);
        environment.push_back("MV_PAINT_PROBE_FD=" + std::to_string(kProbeDescriptor));
    }
    std::vector<char*> argv{const_cast<char*>(program.c_str())};
    for (const std::string& argument : arguments)
        argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);
    std::vector<char*> envp;
    for (std::string& entry : environment)
        envp.push_back(entry.data());
    envp.push_back(nullptr);
    const int failed =
        posix_spawn(&pid_, program.c_str(), &actions, nullptr, argv.data(), envp.data());
    posix_spawn_file_actions_destroy(&actions);
    if (probe) {
        close(pipeEnds[1]);
        probe_ = pipeEnds[0];
    }
    if (failed != 0) {
        pid_ = -1;
        throw std::runtime_error("cannot start " + program + ": " + std::strerror(failed));
    }
}

TProgramRun::~TProgramRun() {
    if (pid_ > 0) {
        kill(pid_, SIGTERM);
        (void)Wait();
    }
    if (probe_ >= 0) close(probe_);
}

std::optional<std::chrono::nanoseconds> TProgramRun::NextPaint(std::chrono::milliseconds timeout) {
    const auto deadline = MonotonicNow() + timeout;
    for (;;) {
        if (const auto end = pending_.find('\n'); end != std::string::npos) {
            const std::string line = pending_.substr(0, end);
            pending_.erase(0, end + 1);
            if (line.rfind("painted ", 0) == 0)
                return std::chrono::nanoseconds(std::stoll(line.substr(8)));
            continue;
        }
        const auto left =
            std::chrono::duration_cast<std::chrono::milliseconds>(deadline - MonotonicNow());
        pollfd entry{probe_, POLLIN, 0};
        if (left.count() <= 0 || poll(&entry, 1, static_cast<int>(left.count())) <= 0)
            return std::nullopt;
        char buffer[256];
        const ssize_t received = read(probe_, buffer, sizeof buffer);
        if (received <= 0) return std::nullopt; // the program ended
        pending_.append(buffer, static_cast<std::size_t>(received));
    }
}

int TProgramRun::Wait() {
    int status = 0;
    const pid_t pid = pid_;
    pid_ = -1;
    if (pid <= 0 || waitpid(pid, &status, 0) != pid) return -1;
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

} // namespace mv::bench
