// mv_shell_bench: the program as a user meets it. The start and hand-over figures run the real
// executable in a scratch home, as a user's two starts would, and time them to the first paint
// of the window they bring, which the program reports through its paint probe. The window
// memory figure runs the shell in this process: it opens and closes fifty windows and compares
// the resident memory before and after.
//
// Usage: mv_shell_bench [--program PATH] [--runs N]
#include "bench_timing.h"
#include "figure_report.h"
#include "process_memory.h"
#include "program_run.h"

#include "ui/document/document_window.h"
#include "ui/shell/main_process.h"

#include <QtCore/QCoreApplication>
#include <QtWidgets/QApplication>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <exception>
#include <fstream>
#include <malloc.h>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace {

using namespace std::chrono_literals;
using mv::bench::TFigure;

constexpr double kStartTargetMs = 300;
constexpr double kHandOverTargetMs = 300;
constexpr double kWindowMemoryTargetMiB = 5;
constexpr int kWindows = 50;
constexpr auto kPaintTimeout = 20s;

struct TOptions {
    std::string Program = MV_PROGRAM_PATH;
    int Runs = 5;
};

double Ms(mv::bench::Seconds span) {
    return span.count() * 1000.0;
}

std::string WriteFile(const std::string& path, std::size_t size) {
    std::ofstream(path, std::ios::binary) << std::string(size, '\x5a');
    return path;
}

struct TStartSample {
    mv::bench::Seconds Start{};
    mv::bench::Seconds HandOver{};
};

// One first start, then one later start that hands a file over to it.
TStartSample MeasureStart(const TOptions& options) {
    const mv::bench::TProgramHome home;
    const std::string file = WriteFile(home.Path() + "/handed_over.bin", 64 * 1024);
    const auto started = mv::bench::MonotonicNow();
    mv::bench::TProgramRun first(options.Program, {}, home.Environment(), true);
    const auto painted = first.NextPaint(kPaintTimeout);
    if (!painted)
        throw std::runtime_error("the program painted no window; is the paint probe installed?");

    const auto handing = mv::bench::MonotonicNow();
    mv::bench::TProgramRun second(options.Program, {file}, home.Environment(), false);
    const auto shown = first.NextPaint(kPaintTimeout);
    if (!shown) throw std::runtime_error("the handed-over file got no window");
    if (const int status = second.Wait(); status != 0)
        throw std::runtime_error("the later start ended with " + std::to_string(status));
    return {*painted - started, *shown - handing};
}

// The median of the samples against its target, with the best for reference.
void PrintLatency(const char* name, const std::vector<mv::bench::Seconds>& samples,
                  double targetMs) {
    const double median = Ms(mv::bench::Median(samples));
    const double best = Ms(*std::min_element(samples.begin(), samples.end()));
    mv::bench::PrintFigure({name, median, "ms", 1, mv::bench::VerdictOf(median <= targetMs),
                            "(median of " + std::to_string(samples.size()) + ", best " +
                                mv::bench::Fixed(best, 1) +
                                " ms, target <= " + mv::bench::Fixed(targetMs, 0) + " ms)"});
}

void ReportStart(const TOptions& options) {
    std::vector<mv::bench::Seconds> starts;
    std::vector<mv::bench::Seconds> handOvers;
    for (int run = 0; run < options.Runs; ++run) {
        const TStartSample sample = MeasureStart(options);
        starts.push_back(sample.Start);
        handOvers.push_back(sample.HandOver);
    }
    PrintLatency("start_to_paint", starts, kStartTargetMs);
    PrintLatency("handover_to_paint", handOvers, kHandOverTargetMs);
}

// Lets every window finish showing or closing, deferred deletions included.
void Settle() {
    for (int pass = 0; pass < 3; ++pass) {
        QCoreApplication::processEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
}

double MiB(std::int64_t bytes) {
    return static_cast<double>(bytes) / (1 << 20);
}

void ReportWindowMemory() {
    const mv::bench::TProgramHome home;
    std::vector<std::string> files;
    for (int i = 0; i < kWindows; ++i)
        files.push_back(WriteFile(home.Path() + "/file" + std::to_string(i) + ".bin", 64 * 1024));
    mv::TMvPrMainProcessWClass shell(
        {QString::fromStdString(home.Path() + "/config/morvane.ini"), home.Path() + "/data"});
    shell.OnEnd = [] {};
    shell.Start({});
    std::int64_t opened = 0;
    // The first window stays, so that closing the others never ends the shell.
    const auto cycle = [&](int count) {
        for (int i = 0; i < count; ++i)
            (void)shell.OpenDocumentWindow(files[static_cast<std::size_t>(i)]);
        Settle();
        opened = mv::bench::ReadMemoryStatus().Resident;
        const std::vector<mv::TMvPrBinaryFormWClass*> windows = shell.DocumentList();
        for (std::size_t i = 1; i < windows.size(); ++i)
            windows[i]->close();
        Settle();
    };
    cycle(1); // fonts, icons and the window's first-use caches
    // Both figures start from a heap handed back to the system, so that they differ only in
    // what the fifty windows leave behind.
    malloc_trim(0);
    const std::int64_t before = mv::bench::ReadMemoryStatus().Resident;
    cycle(kWindows);
    const std::int64_t after = mv::bench::ReadMemoryStatus().Resident;
    malloc_trim(0);
    const std::int64_t trimmed = mv::bench::ReadMemoryStatus().Resident;
    const double delta = MiB(after - before);
    mv::bench::PrintFigure({"windows_rss_delta", delta, "MiB", 2,
                            mv::bench::VerdictOf(std::abs(delta) <= kWindowMemoryTargetMiB),
                            "(" + std::to_string(kWindows) + " windows opened and closed; RSS " +
                                mv::bench::Fixed(MiB(before), 1) + " -> " +
                                mv::bench::Fixed(MiB(opened), 1) + " with them open -> " +
                                mv::bench::Fixed(MiB(after), 1) + " MiB, target +-" +
                                mv::bench::Fixed(kWindowMemoryTargetMiB, 0) + ")"});
    // What stays when the allocator returns its free pages: the windows' true remains.
    mv::bench::PrintFigure({"windows_rss_trimmed", MiB(trimmed - before), "MiB", 2,
                            mv::bench::TVerdict::NoTarget, "(the same after malloc_trim)"});
    shell.QuitAll();
    Settle();
}

TOptions ParseOptions(int argc, char** argv) {
    TOptions options;
    for (int i = 1; i < argc; ++i) {
        const std::string_view option = argv[i];
        if (i + 1 >= argc) throw std::runtime_error("missing value after " + std::string(option));
        if (option == "--program")
            options.Program = argv[++i];
        else if (option == "--runs")
            options.Runs = std::max(1, std::stoi(argv[++i]));
        else
            throw std::runtime_error("unknown option " + std::string(option));
    }
    return options;
}

} // namespace

int main(int argc, char** argv) {
    try {
        const TOptions options = ParseOptions(argc, argv);
        std::printf("shell figures of %s\n", options.Program.c_str());
        ReportStart(options);
        if (!qEnvironmentVariableIsSet("DISPLAY") && !qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        QApplication application(argc, argv);
        ReportWindowMemory();
        return 0;
    } catch (const std::exception& error) {
        std::fprintf(stderr, "mv_shell_bench: %s\n", error.what());
        return 1;
    }
}
