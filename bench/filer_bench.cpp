// mv_filer_bench: how long the filer tool takes to load a filer of 500 fields over a large
// page-cached file: parse, build the pages of editors, read every field from the data spread
// over the whole file, and repaint. Qt runs on the offscreen platform unless the environment
// chooses another.
#include "bench_data.h"
#include "bench_timing.h"
#include "figure_report.h"
#include "widget_bench.h"

#include "core/typedvalues/sjis_utf8.h"
#include "ui/binaryview/b_editor.h"
#include "ui/binaryview/binary_view.h"
#include "ui/filer/tool_filer.h"

#include <QtCore/QTemporaryDir>
#include <QtWidgets/QApplication>

#include <fstream>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

constexpr int kFields = 500;
constexpr int kFieldsPerPage = 50;
constexpr int kLoads = 7;
constexpr double kTargetMs = 200.0;

// Fields of the four kinds in turn, spread evenly over the data, fifty to a page.
std::string FilerText(std::int64_t dataSize) {
    const std::int64_t step = (dataSize - 16) / kFields;
    std::string text = "TITLE(\"ベンチマーク\")\n";
    for (int i = 0; i < kFields; ++i) {
        if (i % kFieldsPerPage == 0)
            text += "PAGE(\"ページ " + std::to_string(i / kFieldsPerPage) + "\")\n";
        const std::string caption = "\"欄 " + std::to_string(i) + "\"";
        const std::string address = std::to_string(i * step);
        switch (i % 4) {
        case 0:
            text += "EDITINTEGER(" + caption + ", " + address + ", 4, 0, 0)\n";
            break;
        case 1:
            text += "EDITSTRING(" + caption + ", " + address + ", 8, 0x20)\n";
            break;
        case 2:
            text += "EDITBIT(" + caption + ", " + address + ", " + std::to_string(i % 8) + ")\n";
            break;
        default:
            text += "EDITSELECT(" + caption + ", " + address +
                    ", 1, \"0=>ゼロ\", \"1=>いち\", \"2=>に\", \"255=>最大\")\n";
            break;
        }
    }
    return mv::Utf8ToShiftJis(text);
}

void Run(const mv::bench::TDataOptions& options) {
    const mv::bench::TBenchFiles files = mv::bench::BenchFilesIn(options.Dir, options.SizeBytes());
    mv::bench::PrepareFiles(files);
    mv::bench::WarmPageCache(files.Original);

    QWidget owner;
    auto* editor = new mv::TBEditor(&owner);
    owner.resize(800, 600);
    owner.show();
    mv::TEditorCore& core = editor->View().Core();
    if (!core.LoadFile(files.Original))
        throw std::runtime_error("could not load " + files.Original);

    const QTemporaryDir folder;
    const std::string filer = folder.filePath(QStringLiteral("bench_500.MVF")).toStdString();
    std::ofstream(filer, std::ios::binary) << FilerText(core.Module().Size());

    auto* tool = new mv::TToolFiler(&owner, editor->View());
    tool->ShowTool();
    QApplication::processEvents();
    std::vector<mv::bench::Seconds> loads;
    for (int i = 0; i < kLoads; ++i) {
        loads.push_back(mv::bench::TimeOnce([&] {
            tool->LoadFiler(filer);
            tool->repaint();
        }));
        QApplication::processEvents();
    }
    if (tool->Pages().size() != kFields / kFieldsPerPage)
        throw std::runtime_error("the filer did not load");
    const double median = mv::bench::Ms(mv::bench::Median(loads));
    const double first = mv::bench::Ms(loads.front());
    mv::bench::PrintFigure(
        {"filer load", median, "ms", 1, mv::bench::VerdictOf(median <= kTargetMs),
         "(" + std::to_string(kFields) + " fields on " + std::to_string(kFields / kFieldsPerPage) +
             " pages over " + std::to_string(options.SizeMiB) + " MiB, median of " +
             std::to_string(kLoads) + ", first " + mv::bench::Fixed(first, 1) +
             " ms, target <= " + mv::bench::Fixed(kTargetMs, 0) + " ms)"});
}

} // namespace

int main(int argc, char** argv) {
    mv::bench::TDataOptions options;
    return mv::bench::RunWidgetBench({"mv_filer_bench", mv::bench::DataOptionTable(options)}, argc,
                                     argv, [&] { Run(options); });
}
