#include "desktop/support/child_process.h"

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <poll.h>
#include <stdexcept>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace mv::desktop {

namespace {

using Clock = std::chrono::steady_clock;

std::vector<char*> Pointers(const std::vector<std::string>& strings) {
    std::vector<char*> pointers;
    for (const std::string& s : strings) pointers.push_back(const_cast<char*>(s.c_str()));
    pointers.push_back(nullptr);
    return pointers;
}

// Forks a child in its own process group with the given standard input, output and error.
pid_t Spawn(const std::vector<std::string>& argv, const std::vector<std::string>& environment,
            int in, int out, int err) {
    std::vector<char*> args = Pointers(argv);
    std::vector<char*> env = Pointers(environment);
    const pid_t pid = fork();
    if (pid < 0) throw std::runtime_error("fork failed");
    if (pid == 0) {
        setpgid(0, 0);
        dup2(in, 0);
        dup2(out, 1);
        dup2(err, 2);
        execvpe(args[0], args.data(), env.data());
        _exit(127);
    }
    setpgid(pid, pid); // also here, so the group exists before the parent may signal it
    return pid;
}

int StatusOf(int raw) { return WIFEXITED(raw) ? WEXITSTATUS(raw) : 128 + WTERMSIG(raw); }

} // namespace

TChildProcess::TChildProcess(const std::vector<std::string>& argv,
                             const std::vector<std::string>& environment,
                             const std::string& logPath, const std::string& inputPath) {
    const int log = open(logPath.c_str(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0644);
    const int input = open(inputPath.c_str(), O_RDONLY | O_CLOEXEC);
    pid_ = Spawn(argv, environment, input, log, log);
    close(input);
    close(log);
}

TChildProcess::~TChildProcess() {
    if (pid_ > 0 && !status_) {
        Kill();
        (void)Wait(std::chrono::seconds(10));
    }
    if (pid_ > 0) kill(-pid_, SIGKILL); // anything the program left running in its group
}

bool TChildProcess::Running() { return !Wait(std::chrono::milliseconds(0)); }

std::optional<int> TChildProcess::Wait(std::chrono::milliseconds timeout) {
    const auto deadline = Clock::now() + timeout;
    while (!status_) {
        int raw = 0;
        const pid_t done = waitpid(pid_, &raw, WNOHANG);
        if (done == pid_) status_ = StatusOf(raw);
        else if (done < 0 && errno != EINTR) status_ = -1;
        else if (Clock::now() >= deadline) break;
        else std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return status_;
}

void TChildProcess::Kill(int signal) {
    if (pid_ > 0 && !status_) kill(-pid_, signal);
}

TToolResult RunTool(const std::vector<std::string>& argv,
                    const std::vector<std::string>& environment,
                    std::chrono::milliseconds timeout, const std::string& input) {
    int out[2];
    int in[2];
    if (pipe2(out, O_CLOEXEC) != 0 || pipe2(in, O_CLOEXEC) != 0)
        throw std::runtime_error("no pipe");
    // Tools complain on their error output about windows that went away while they looked;
    // what a test needs is their status and output.
    const int null = open("/dev/null", O_WRONLY | O_CLOEXEC);
    const pid_t pid = Spawn(argv, environment, in[0], out[1], null);
    close(null);
    close(in[0]);
    close(out[1]);
    // The input is small (a clipboard text); larger ones would need writing while reading.
    if (!input.empty()) (void)!write(in[1], input.data(), input.size());
    close(in[1]);

    TToolResult result;
    const auto deadline = Clock::now() + timeout;
    for (;;) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
        pollfd wait{out[0], POLLIN, 0};
        if (left.count() <= 0 || poll(&wait, 1, static_cast<int>(left.count())) <= 0) {
            kill(-pid, SIGKILL);
            break;
        }
        char buffer[65536];
        const ssize_t n = read(out[0], buffer, sizeof buffer);
        if (n <= 0) break;
        result.Output.append(buffer, static_cast<std::size_t>(n));
    }
    close(out[0]);
    int raw = 0;
    while (waitpid(pid, &raw, 0) < 0 && errno == EINTR) {
    }
    if (Clock::now() < deadline) result.Status = StatusOf(raw);
    return result;
}

} // namespace mv::desktop
