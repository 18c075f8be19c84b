#pragma once

#include "platform/handover_server.h"
#include "platform/instance_lock.h"

#include <chrono>
#include <memory>
#include <string>
#include <vector>

namespace mv {

[[nodiscard]] std::string InstanceSocketPath(const std::string& runtimeFolder);

// This process as the running instance: it holds the lock and, once serving, takes the
// hand-over requests of later starts.
class TRunningInstance {
public:
    // Without a lock the program runs on its own and serves nobody; `problem` says why, unless
    // the caller knows it already (no usable runtime folder).
    TRunningInstance(std::string runtimeFolder, std::unique_ptr<TInstanceLock> lock,
                     std::string problem = {});

    // Starts taking requests. False when there is no lock or the socket cannot listen: then
    // the lock goes too, so that later starts run on their own instead of waiting for an
    // instance that never answers, and Problem() says why.
    [[nodiscard]] bool Serve(THandoverServer::THandler handler);
    // Stops taking requests, for the end of the program. A start meanwhile waits for the lock.
    void StopServing();
    // Gives up the lock once the settings are written: a start from now on becomes the running
    // instance itself, and reads what this one wrote.
    void Resign();

    [[nodiscard]] const std::string& Problem() const { return problem_; }

private:
    std::string folder_;
    std::unique_ptr<TInstanceLock> lock_;
    std::unique_ptr<THandoverServer> server_;
    std::string problem_;
};

enum class TStartRole {
    First,      // this process runs the program: as the running instance, or on its own
    HandedOver, // the running instance answered every request
    NoAnswer,   // an instance holds the lock but could not be reached
    Hung,       // the running instance stopped answering part-way
};

struct TStartDecision {
    TStartRole Role = TStartRole::First;
    std::unique_ptr<TRunningInstance> Instance; // First only
    // First only: the names this process opens itself. These are all of them, unless the
    // running instance ended part-way through the hand-over and this process took its place.
    std::vector<std::string> FileNames;
    // In these two lists an empty name stands for the new-window request of a start without
    // file names. The requests the running instance answered without a window (it could not
    // open the file, or was busy or ending), and names too long to hand over:
    std::vector<std::string> NotOpened;
    // NoAnswer and Hung: the requests that got no answer, the one in flight included.
    std::vector<std::string> NotHandedOver;
};

// How long a later start waits for the running instance.
struct TStartPatience {
    // For an instance that holds the lock but does not listen yet: it is still starting, or it
    // is ending and has not given up its lock yet.
    std::chrono::milliseconds Listening = std::chrono::seconds(3);
    // For each answer: the instance answers at once, so only one that hangs takes this long.
    std::chrono::milliseconds Answer = std::chrono::seconds(60);
};

// Decides at start whether this process runs the program or hands `fileNames` (a new-window
// request when there are none) to the running instance, one name at a time. An empty
// `runtimeFolder` (none usable), a socket path too long for the system and a lock file that
// cannot be used make this process run on its own.
[[nodiscard]] TStartDecision StartOrHandOver(const std::string& runtimeFolder,
                                             std::vector<std::string> fileNames,
                                             TStartPatience patience = {});

// Tells on standard error what a later start did not hand over or the running instance did
// not open, for the shell or script that started it, and answers the exit status. An instance
// that could not be reached gets the start-up failure message; where no terminal shows
// standard error, an instance that hangs gets a message box. Creates a QApplication for a box
// when there is none.
[[nodiscard]] int ReportHandOver(const TStartDecision& decision);

// Says why this process runs without the single instance: on standard error and, where no
// terminal shows that, in a message box. Needs the application.
void ReportRunningAlone(const std::string& problem);

} // namespace mv
