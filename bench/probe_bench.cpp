// mv_probe_bench: what the data probe adds to each caret move in a real document window
// of a running shell over a large page-cached file. Held keys move the caret a line at a time
// with the window repainting between the moves; the same moves are timed with the probe
// closed and open, and the difference is the probe's update (and, with the paint, its
// repaint), plainly and while the moves extend a selection. Qt runs on the offscreen platform
// unless the environment chooses another.
#include "bench_data.h"
#include "bench_timing.h"
#include "figure_report.h"
#include "shell_home.h"
#include "widget_bench.h"

#include "core/typedvalues/command_ids.h"
#include "ui/document/document_tools.h"
#include "ui/document/document_window.h"
#include "ui/probe/tool_probe.h"
#include "ui/shell/main_process.h"

#include <QtWidgets/QApplication>

#include <stdexcept>
#include <string>
#include <vector>

namespace mv::bench {
namespace {

constexpr int kMoves = 4000;
constexpr int kRounds = 5;
constexpr double kUpdateTargetMs = 1.0;

// The median times of one move: the command alone, and the command with the repaint after it.
struct TMoveTimes {
    double CommandMs = 0;
    double WithPaintMs = 0;
};

// kMoves moves by the command from the top of the file, each followed by the repaint that a
// held key leaves time for.
TMoveTimes TimeMoves(TMvPrBinaryFormWClass& window, CommandId move) {
    TEditorCore& core = window.Core();
    core.ExecuteCommand(cmd::FILETOP);
    QApplication::processEvents();
    std::vector<double> command, withPaint;
    for (int i = 0; i < kMoves; ++i) {
        const Seconds moved = TimeOnce([&] { core.ExecuteCommand(move); });
        const Seconds painted = TimeOnce([] { QApplication::processEvents(); });
        command.push_back(Ms(moved));
        withPaint.push_back(Ms(moved + painted));
    }
    return {Median(command), Median(withPaint)};
}

// The least median of each over several rounds, closed and open taking turns.
void MeasureMoves(TMvPrBinaryFormWClass& window, CommandId move, const std::string& what) {
    TMoveTimes closed{1e9, 1e9}, open{1e9, 1e9};
    for (int round = 0; round < kRounds; ++round) {
        for (const bool inspecting : {false, true}) {
            if ((window.Tools().Tool(TToolSlot::Probe) != nullptr) != inspecting) {
                window.Tools().Toggle(TToolSlot::Probe);
                QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
                QApplication::processEvents();
            }
            const TMoveTimes times = TimeMoves(window, move);
            TMoveTimes& best = inspecting ? open : closed;
            best.CommandMs = std::min(best.CommandMs, times.CommandMs);
            best.WithPaintMs = std::min(best.WithPaintMs, times.WithPaintMs);
        }
    }
    if (window.Tools().ToolAs<TToolProbe>(TToolSlot::Probe) == nullptr)
        throw std::runtime_error("the probe did not open");
    const double update = open.CommandMs - closed.CommandMs;
    const double repaint = open.WithPaintMs - closed.WithPaintMs;
    PrintFigure({"probe update", update, "ms", 3, VerdictOf(update <= kUpdateTargetMs),
                 "(per caret move " + what + "; the move alone " + Fixed(closed.CommandMs, 3) +
                     " ms, target <= " + Fixed(kUpdateTargetMs, 1) + " ms)"});
    PrintFigure({"  with its repaint", repaint, "ms", 3, VerdictOf(repaint <= kUpdateTargetMs),
                 "(the move and the window's repaint alone " + Fixed(closed.WithPaintMs, 3) +
                     " ms, target <= " + Fixed(kUpdateTargetMs, 1) + " ms)"});
}

void Run(const TDataOptions& options) {
    const TBenchFiles files = BenchFilesIn(options.Dir, options.SizeBytes());
    PrepareFiles(files);
    TBenchShell bench("mv_probe_bench", files.Original);
    TMvPrBinaryFormWClass& window = bench.Window();
    MeasureMoves(window, cmd::DOWN, "a line down");
    MeasureMoves(window, cmd::DOWNSEL, "a line down, extending a selection");
}

} // namespace
} // namespace mv::bench

int main(int argc, char** argv) {
    mv::bench::TDataOptions options;
    return mv::bench::RunWidgetBench({"mv_probe_bench", mv::bench::DataOptionTable(options)},
                                     argc, argv, [&] { mv::bench::Run(options); });
}
