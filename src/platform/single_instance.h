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
    // Without a lock (no usable runtime folder) the program runs on its own and serves nobody.
    TRunningInstance(std::string runtimeFolder, std::unique_ptr<TInstanceLock> lock);

    // Starts taking requests; false when there is no lock or the socket cannot listen, which
    // leaves the program working, only without hand-overs.
    [[nodiscard]] bool Serve(THandoverServer::THandler handler);
    // Stops taking requests and gives up the lock, for the end of the program: a start from now
    // on becomes the running instance itself instead of handing its files to one that ends.
    void Resign();

private:
    std::string folder_;
    std::unique_ptr<TInstanceLock> lock_;
    std::unique_ptr<THandoverServer> server_;
};

enum class TStartRole {
    First,      // this process is the running instance
    HandedOver, // the running instance took every file name (or the new-window request)
    NoAnswer,   // an instance holds the lock but does not answer
};

struct TStartDecision {
    TStartRole Role = TStartRole::First;
    std::unique_ptr<TRunningInstance> Instance; // First only
    // First only: the names this process opens itself. These are all of them, unless the
    // running instance ended part-way through the hand-over and this process took its place.
    std::vector<std::string> FileNames;
    // HandedOver only: the names the running instance took but opened no window for (it could
    // not open the file, or it was busy with a dialog or ending).
    std::vector<std::string> NotOpened;
};

// Decides at start whether this process runs the program or hands `fileNames` (a new-window
// request when there are none) to the running instance, one name at a time. An instance that
// holds the lock but does not listen yet is still starting: it is given `patience` before the
// answer is NoAnswer. An empty `runtimeFolder` (none usable) makes this process run on its own.
[[nodiscard]] TStartDecision
StartOrHandOver(const std::string& runtimeFolder, std::vector<std::string> fileNames,
                std::chrono::milliseconds patience = std::chrono::seconds(3));

// Tells on standard error which handed-over files the running instance did not open, for the
// shell or script that started this process; answers whether there were any.
bool ReportNotOpened(const std::vector<std::string>& fileNames);

// The start-up failure for NoAnswer: the message on standard error and, where there is a
// display, in a message box that stays on top. Creates a QApplication when there is none.
void ReportNoRunningInstance();

} // namespace mv
