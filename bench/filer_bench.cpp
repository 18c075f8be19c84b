// mv_filer_bench: how long the filer tool takes to load a filer of 500 fields over a large
// page-cached file: parse, build the pages of editors, read every field from the data spread
// over the whole file, and repaint; then a filer of each kind of row as large as the bound on a
// filer's widgets allows. Qt runs on the offscreen platform unless the environment chooses
// another.
#include "bench_data.h"
#include "bench_timing.h"
#include "figure_report.h"
#include "widget_bench.h"

#include "core/filer/filer_bounds.h"
#include "core/typedvalues/sjis_utf8.h"
#include "ui/binaryview/b_editor.h"
#include "ui/binaryview/binary_view.h"
#include "ui/filer/tool_filer.h"

#include <QtCore/QTemporaryDir>
#include <QtWidgets/QApplication>

#include <fstream>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace {

constexpr int kFields = 500;
constexpr int kFieldsPerPage = 50;
constexpr int kLoads = 7;
constexpr double kTargetMs = 200.0;
constexpr int kBoundLoads = 3;
constexpr double kBoundTargetMs = 1000.0;

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

// Rows of one kind, fifty to a page, as many as the bound on a filer's widgets allows.
std::string BoundFilerText(std::string_view kind, const std::string& row, int& rows) {
    std::string text;
    int widgets = 0;
    for (rows = 0;; ++rows) {
        const bool newPage = rows % kFieldsPerPage == 0;
        const int cost = mv::CommandWidgets(kind) + (newPage ? mv::CommandWidgets("PAGE") : 0);
        if (widgets + cost > mv::MaxFilerWidgets) return mv::Utf8ToShiftJis(text);
        widgets += cost;
        if (newPage) text += "PAGE(p)\n";
        text += row + "\n";
    }
}

std::vector<mv::bench::Seconds> LoadTimes(mv::TToolFiler& tool, const std::string& filer,
                                          int loads) {
    std::vector<mv::bench::Seconds> times;
    for (int i = 0; i < loads; ++i) {
        times.push_back(mv::bench::TimeOnce([&] {
            tool.LoadFiler(filer);
            tool.repaint();
        }));
        QApplication::processEvents();
    }
    return times;
}

void PrintBoundFigures(mv::TToolFiler& tool, const QTemporaryDir& folder) {
    const std::pair<std::string_view, std::string> kinds[] = {
        {"EDITINTEGER", "EDITINTEGER(i, 0, 4, 0, 0)"},
        {"EDITSELECT", "EDITSELECT(s, 0, 1, \"0=>ゼロ\", \"1=>いち\", \"255=>最大\")"},
        {"EDITSTRING", "EDITSTRING(s, 0, 8, 0x20)"},
        {"EDITBIT", "EDITBIT(b, 0, 0)"},
        {"LABEL", "LABEL(\"見出し\")"},
        {"MESSAGE", "MESSAGE(100, 50, \"説明\")"},
    };
    for (const auto& [kind, row] : kinds) {
        int rows = 0;
        const std::string filer =
            folder
                .filePath(QString::fromLatin1(kind.data(), static_cast<qsizetype>(kind.size())) +
                          ".MVF")
                .toStdString();
        std::ofstream(filer, std::ios::binary) << BoundFilerText(kind, row, rows);
        const std::vector<mv::bench::Seconds> loads = LoadTimes(tool, filer, kBoundLoads);
        const std::size_t pages = tool.Session().Pages().size();
        if (pages != static_cast<std::size_t>((rows + kFieldsPerPage - 1) / kFieldsPerPage))
            throw std::runtime_error("the filer did not load");
        const double median = mv::bench::Ms(mv::bench::Median(loads));
        mv::bench::PrintFigure(
            {"filer at the bound", median, "ms", 0, mv::bench::VerdictOf(median <= kBoundTargetMs),
             "(" + std::to_string(rows) + " " + std::string(kind) + " on " + std::to_string(pages) +
                 " pages, " + std::to_string(mv::MaxFilerWidgets) + " widgets at most, median of " +
                 std::to_string(kBoundLoads) +
                 ", target <= " + mv::bench::Fixed(kBoundTargetMs, 0) + " ms)"});
    }
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
    const std::vector<mv::bench::Seconds> loads = LoadTimes(*tool, filer, kLoads);
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
    PrintBoundFigures(*tool, folder);
}

} // namespace

int main(int argc, char** argv) {
    mv::bench::TDataOptions options;
    return mv::bench::RunWidgetBench({"mv_filer_bench", mv::bench::DataOptionTable(options)}, argc,
                                     argv, [&] { Run(options); });
}
