// mv_shell_bench: the program as a user meets it. The start and hand-over figures run the real
// executable in a scratch home, as a user's two starts would, and time them to the first paint
// of the window they bring, which the program reports through its paint probe. The other two
// run the shell in this process: the window memory figure opens and closes fifty windows and
// compares the resident memory before and after; the large-file figure opens a 1 GiB file and
// times its first page on screen against the store's load.
#include "bench_options.h"
#include "bench_timing.h"
#include "figure_report.h"
#include "process_memory.h"
#include "program_run.h"

#include "core/binaryview/editor_core.h"
#include "core/datastore/memory_module.h"
#include "ui/binaryview/binary_view.h"
#include "ui/document/document_window.h"
#include "ui/shell/main_process.h"

#include <QtCore/QCoreApplication>
#include <QtCore/QDir>
#include <QtCore/QFileInfo>
#include <QtCore/QMetaObject>
#include <QtCore/QStandardPaths>
#include <QtWidgets/QApplication>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <optional>
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
constexpr double kFirstPageTargetMs = 100;
constexpr int kWindows = 50;
constexpr std::uintmax_t kLargeFileSize = std::uintmax_t{1} << 30;
// Files read on demand: the first page shows this soon after the open at any size, and an
// unedited one costs the process at most this much memory.
constexpr double kOnDemandFirstPageTargetMs = 50;
constexpr double kOnDemandMemoryTargetMiB = 100;
constexpr auto kPaintTimeout = 20s;
constexpr std::int64_t kMaxRuns = 1000;

struct TOptions {
    std::string Program = MV_PROGRAM_PATH;
    int Runs = 5;
};

std::string WriteFile(const std::string& path, std::size_t size) {
    std::ofstream(path, std::ios::binary) << std::string(size, '\x5a');
    return path;
}

struct TStartSample {
    mv::bench::Seconds Start{};
    mv::bench::Seconds HandOver{};
};

// A configuration without the opening screen. That screen is a window of its own, painted
// before the document window, and holds the start for a second on purpose: with it the first
// paint would be the wrong window's, and the start would not be over when the hand-over comes.
void WriteConfigWithoutOpeningScreen(const QString& file) {
    QDir().mkpath(QFileInfo(file).absolutePath());
    std::ofstream(file.toStdString()) << "[Config]\nOpeningDlg=0\n";
}

// Where the program run in `home` reads its configuration: the user's file, moved there.
QString ProgramConfigFile(const mv::bench::TProgramHome& home) {
    const QDir userConfig(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation));
    return QString::fromStdString(home.Path() + "/config/") +
           userConfig.relativeFilePath(mv::TMvPrMainProcessWClass::UserPaths().ConfigFile);
}

// One first start, then one later start that hands a file over to it.
TStartSample MeasureStart(const TOptions& options) {
    const mv::bench::TProgramHome home;
    WriteConfigWithoutOpeningScreen(ProgramConfigFile(home));
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
    const double median = mv::bench::Ms(mv::bench::Median(samples));
    const double best = mv::bench::Ms(*std::min_element(samples.begin(), samples.end()));
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

// The shell in this process, started as the program starts it in a scratch home, with its
// first empty window; ending it never quits the application.
class TShellRun {
public:
    TShellRun() : shell_({ConfigFile(home_), home_.Path() + "/data"}) {
        shell_.OnEnd = [] {};
        shell_.Start({});
        Settle();
    }
    TShellRun(const TShellRun&) = delete;
    TShellRun& operator=(const TShellRun&) = delete;
    ~TShellRun() {
        shell_.QuitAll();
        Settle();
    }

    [[nodiscard]] const std::string& Folder() const { return home_.Path(); }
    [[nodiscard]] mv::TMvPrMainProcessWClass& Shell() { return shell_; }

private:
    static QString ConfigFile(const mv::bench::TProgramHome& home) {
        const QString file = QString::fromStdString(home.Path() + "/config/morvane.ini");
        WriteConfigWithoutOpeningScreen(file);
        return file;
    }

    mv::bench::TProgramHome home_;
    mv::TMvPrMainProcessWClass shell_;
};

// "Where it started" is the running program's memory: the first window's one-time costs
// (fonts, icons, the window's first-use caches) come with a warm-up window before the
// figure's fifty. The program hands the freed heap back itself; the bench trims nothing.
void ReportWindowMemory() {
    TShellRun run;
    mv::TMvPrMainProcessWClass& shell = run.Shell();
    std::vector<std::string> files;
    for (int i = 0; i < kWindows; ++i)
        files.push_back(WriteFile(run.Folder() + "/file" + std::to_string(i) + ".bin", 64 * 1024));
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
    cycle(1);
    const std::int64_t before = mv::bench::ReadMemoryStatus().Resident;
    cycle(kWindows);
    const std::int64_t after = mv::bench::ReadMemoryStatus().Resident;
    const double delta = MiB(after - before);
    mv::bench::PrintFigure({"windows_rss_delta", delta, "MiB", 2,
                            mv::bench::VerdictOf(std::abs(delta) <= kWindowMemoryTargetMiB),
                            "(" + std::to_string(kWindows) + " windows opened and closed; RSS " +
                                mv::bench::Fixed(MiB(before), 1) + " -> " +
                                mv::bench::Fixed(MiB(opened), 1) + " with them open -> " +
                                mv::bench::Fixed(MiB(after), 1) + " MiB, target +-" +
                                mv::bench::Fixed(kWindowMemoryTargetMiB, 0) + ")"});
}

// Notes when the editor first paints after the store has loaded, queued as the program's
// paint probe is, so that the time includes the paint and its flush.
class TFirstPageWatch : public QObject {
public:
    bool eventFilter(QObject* /*watched*/, QEvent* event) override {
        if (event->type() == QEvent::Paint && LoadEnd && !queued_) {
            queued_ = true;
            QMetaObject::invokeMethod(
                this, [this] { Painted = mv::bench::MonotonicNow(); }, Qt::QueuedConnection);
        }
        return false;
    }

    std::optional<std::chrono::nanoseconds> LoadStart;
    std::optional<std::chrono::nanoseconds> LoadEnd;
    std::optional<std::chrono::nanoseconds> Painted;

private:
    bool queued_ = false;
};

struct TFirstPageSample {
    mv::bench::Seconds Load{};
    mv::bench::Seconds Shown{}; // from the open command to the first page on screen
};

// The user's open in the program's empty window, as File > Open does it, with the store's own
// load timed by its progress reports.
TFirstPageSample MeasureFirstPage(mv::TMvPrMainProcessWClass& shell, const std::string& file,
                                  std::int64_t onDemandFrom,
                                  double* residentGrowthMiB = nullptr) {
    mv::TMvPrBinaryFormWClass* window = shell.NewDocumentWindow();
    Settle();
    window->Core().OnDemandFrom = onDemandFrom;
    const std::int64_t residentBefore = mv::bench::ReadMemoryStatus().Resident;
    TFirstPageWatch watch;
    mv::TMemoryModule& module = window->Core().Module();
    const mv::TMemoryModule::ProgressEvent shown = module.OnProgress;
    module.OnProgress = [&watch, shown](mv::TMemoryModule& store, std::string_view text) {
        if (!watch.LoadStart) watch.LoadStart = mv::bench::MonotonicNow();
        if (text.empty()) watch.LoadEnd = mv::bench::MonotonicNow();
        shown(store, text);
    };
    window->View().viewport()->installEventFilter(&watch);
    const auto opening = mv::bench::MonotonicNow();
    window->OpenFileInWindow(file);
    const auto deadline = opening + kPaintTimeout;
    while (!watch.Painted && mv::bench::MonotonicNow() < deadline)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
    window->View().viewport()->removeEventFilter(&watch);
    module.OnProgress = shown;
    if (residentGrowthMiB != nullptr)
        *residentGrowthMiB = static_cast<double>(mv::bench::ReadMemoryStatus().Resident - residentBefore) /
                             static_cast<double>(1 << 20);
    const bool loaded = !window->FileName().empty();
    window->close();
    Settle();
    if (!loaded || !watch.LoadStart || !watch.LoadEnd)
        throw std::runtime_error(file + " did not load");
    if (!watch.Painted) throw std::runtime_error(file + "'s first page was never painted");
    return {*watch.LoadEnd - *watch.LoadStart, *watch.Painted - opening};
}

// A sparse file: its first page holds bytes to show, the rest reads as zeros.
std::string WriteLargeFile(const std::string& path, std::uintmax_t size) {
    WriteFile(path, 64 * 1024);
    std::filesystem::resize_file(path, size);
    return path;
}

// Sparse files of 8 and 64 GiB read on demand: from the open to the first painted page, and
// the memory the open 64 GiB file holds.
void ReportOnDemandFirstPage(const TOptions& options, TShellRun& run) {
    for (const int gib : {8, 64}) {
        const std::string file = WriteLargeFile(
            run.Folder() + "/sparse.bin", std::uintmax_t{static_cast<unsigned>(gib)} << 30);
        std::vector<mv::bench::Seconds> shown;
        double growth = 0;
        for (int i = 0; i < options.Runs; ++i)
            shown.push_back(MeasureFirstPage(run.Shell(), file, 0, &growth).Shown);
        std::filesystem::remove(file);
        const double ms = mv::bench::Ms(mv::bench::Median(shown));
        const std::string name = std::to_string(gib) + "g_first_page";
        mv::bench::PrintFigure({name, ms, "ms", 1, mv::bench::VerdictOf(ms <= kOnDemandFirstPageTargetMs),
                                "(open to painted, read on demand; median of " +
                                    std::to_string(shown.size()) + ", target <= " +
                                    mv::bench::Fixed(kOnDemandFirstPageTargetMs, 0) + " ms)"});
        if (gib == 64)
            mv::bench::PrintFigure({"64g_open_memory", growth, "MiB", 1,
                                    mv::bench::VerdictOf(growth <= kOnDemandMemoryTargetMiB),
                                    "(resident growth with the file open, target <= " +
                                        mv::bench::Fixed(kOnDemandMemoryTargetMiB, 0) + " MiB)"});
    }
}

void ReportFirstPage(const TOptions& options) {
    TShellRun run;
    const std::string file = WriteLargeFile(run.Folder() + "/large.bin", kLargeFileSize);
    std::vector<mv::bench::Seconds> overheads;
    std::vector<mv::bench::Seconds> loads;
    for (int i = 0; i < options.Runs; ++i) {
        // Read whole, as every file below the on-demand size is.
        const TFirstPageSample sample =
            MeasureFirstPage(run.Shell(), file, mv::TMemoryModule::NeverOnDemand);
        loads.push_back(sample.Load);
        overheads.push_back(sample.Shown - sample.Load);
    }
    std::filesystem::remove(file);
    ReportOnDemandFirstPage(options, run);
    const double overhead = mv::bench::Ms(mv::bench::Median(overheads));
    mv::bench::PrintFigure(
        {"large_file_first_page", overhead, "ms", 1,
         mv::bench::VerdictOf(overhead <= kFirstPageTargetMs),
         "(after the load; median of " + std::to_string(overheads.size()) + ", load of 1 GiB " +
             mv::bench::Fixed(mv::bench::Ms(mv::bench::Median(loads)), 0) +
             " ms, target <= load + " + mv::bench::Fixed(kFirstPageTargetMs, 0) + " ms)"});
}

std::vector<mv::bench::TOption> OptionTable(TOptions& options) {
    return {{"--program", "PATH", "the program to start (default the one built beside this bench)",
             mv::bench::TextInto(options.Program)},
            {"--runs", "N",
             "starts and large-file opens to take the median of, 1.." + std::to_string(kMaxRuns) +
                 " (default 5)",
             mv::bench::NumberInto(options.Runs, 1, kMaxRuns)}};
}

} // namespace

int main(int argc, char** argv) {
    TOptions options;
    return mv::bench::RunBench({"mv_shell_bench", OptionTable(options)}, argc, argv, [&] {
        std::printf("shell figures of %s\n", options.Program.c_str());
        ReportStart(options);
        if (!qEnvironmentVariableIsSet("DISPLAY") && !qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        QApplication application(argc, argv);
        ReportWindowMemory();
        ReportFirstPage(options);
    });
}
