// mv_paint_bench: how long the binary view takes to paint, on a maximised editor at the end of
// a large page-cached file, and per step of a held repeated move. Qt runs on the offscreen
// platform unless the environment chooses another, so the figure is the view's own drawing
// into the window's backing store.
#include "bench_data.h"
#include "bench_timing.h"
#include "widget_bench.h"

#include "core/typedvalues/command_ids.h"
#include "ui/binaryview/b_editor.h"
#include "ui/binaryview/binary_view.h"

#include <QtWidgets/QApplication>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace {

constexpr int kRepaints = 200;
constexpr double kPaintTargetMs = 5.0;
// A held key or a drag scrolls smoothly when each step fits in one frame at 60 Hz.
constexpr double kStepTargetMs = 1000.0 / 60.0;

// Larger than any screen the editor is shown on.
constexpr std::int64_t kMaxSidePixels = 16384;

struct TOptions : mv::bench::TDataOptions {
    int Width = 1920; // a maximised window on a full-HD screen
    int Height = 1040;
};

// Reads "WxH" into the options' window size; answers false, changing nothing, when malformed.
bool SetWindowSize(TOptions& options, std::string_view text) {
    const std::size_t cross = text.find('x');
    if (cross == std::string_view::npos) return false;
    const auto width = mv::bench::ParseWholeNumber(text.substr(0, cross), 1, kMaxSidePixels);
    const auto height = mv::bench::ParseWholeNumber(text.substr(cross + 1), 1, kMaxSidePixels);
    if (!width || !height) return false;
    options.Width = static_cast<int>(*width);
    options.Height = static_cast<int>(*height);
    return true;
}

// Median and best of `runs` calls of `step`, each followed by a synchronous repaint of
// `widget` and its children.
void Report(const char* what, QWidget& widget, double targetMs, int runs,
            const std::function<void()>& step) {
    std::vector<mv::bench::Seconds> samples;
    samples.reserve(static_cast<std::size_t>(runs));
    for (int i = 0; i < runs; ++i)
        samples.push_back(mv::bench::TimeOnce([&] {
            step();
            widget.repaint();
        }));
    const double median = mv::bench::Ms(mv::bench::Median(samples));
    const double best = mv::bench::Ms(*std::min_element(samples.begin(), samples.end()));
    std::printf("  %-46s median %6.3f ms  best %6.3f ms  (target %4.1f ms: %s)\n", what, median,
                best, targetMs, median <= targetMs ? "met" : "MISSED");
}

void Run(const TOptions& options) {
    const mv::bench::TBenchFiles files = mv::bench::BenchFilesIn(options.Dir, options.SizeBytes());
    mv::bench::PrepareFiles(files);
    mv::bench::WarmPageCache(files.Original);

    mv::TBEditor editor;
    mv::TEnvironment environment;
    environment.ApplyModes = 1;
    editor.SetViewItems(mv::AllViewItems);
    editor.SetEnvironment(environment);
    editor.resize(options.Width, options.Height);
    editor.show();
    QApplication::processEvents();
    mv::TBinaryView& view = editor.View();
    mv::TEditorCore& core = view.Core();
    if (!core.LoadFile(files.Original))
        throw std::runtime_error("could not load " + files.Original);
    view.setFocus();
    QApplication::processEvents();

    QWidget& viewport = *view.viewport();
    std::printf("mv_paint_bench: %lld MiB file, view %dx%d, %d lines of %d x %d-pixel characters\n",
                static_cast<long long>(options.SizeMiB), viewport.width(), viewport.height(),
                view.Layout().VisibleLines(), view.Layout().CharWidth(),
                view.Layout().CharHeight());
    core.ExecuteCommand(mv::cmd::FILEEND);
    Report("view repaint at the end of the file", viewport, kPaintTargetMs, kRepaints, [] {});
    core.SetCaret({core.Module().Size() / 2, 0});
    Report("view repaint in the middle of the file", viewport, kPaintTargetMs, kRepaints, [] {});
    core.ExecuteCommand(mv::cmd::SELECTALL);
    Report("view repaint with everything selected", viewport, kPaintTargetMs, kRepaints, [] {});
    // A step of a held key repaints the whole control: view, header, footer, scroll bar.
    core.ExecuteCommand(mv::cmd::FILEEND);
    Report("PAGEUPHIGH step (move, repaint the control)", editor, kStepTargetMs, kRepaints,
           [&] { core.ExecuteCommand(mv::cmd::PAGEUP); });
    Report("drag step of one line (move, repaint the control)", editor, kStepTargetMs, kRepaints,
           [&] { core.DragTo(-1, 0); });
}

} // namespace

int main(int argc, char** argv) {
    TOptions options;
    std::vector<mv::bench::TOption> table = mv::bench::DataOptionTable(options);
    table.push_back({"--size", "WxH", "size of the editor window (default 1920x1040)",
                     [&options](std::string_view value) { return SetWindowSize(options, value); }});
    return mv::bench::RunWidgetBench({"mv_paint_bench", std::move(table)}, argc, argv,
                                     [&] { Run(options); });
}
