// mv_search_bench: the search and replace dialogs run in a real document window of a running
// shell. A search for an absent 8-byte pattern started with the search dialog's run button over
// a large page-cached file, against the store's own scan in the same run; and a replace-all of
// 1,000,000 hits started with the replace dialog's run button, with the longest time the window
// went without handling an event meanwhile. Qt runs on the offscreen platform unless the
// environment chooses another.
#include "bench_data.h"
#include "bench_timing.h"
#include "figure_report.h"
#include "shell_home.h"
#include "widget_bench.h"

#include "core/binaryview/editor_core.h"
#include "ui/dialogs/dlg_replace.h"
#include "ui/dialogs/dlg_search.h"
#include "ui/document/document_tools.h"
#include "ui/document/document_window.h"
#include "ui/shell/main_process.h"
#include "ui/typedvalues/frm_input_data.h"
#include "ui/typedvalues/frm_input_str.h"

#include <QtCore/QElapsedTimer>
#include <QtCore/QTimer>
#include <QtWidgets/QApplication>
#include <QtWidgets/QCheckBox>
#include <QtWidgets/QPlainTextEdit>
#include <QtWidgets/QPushButton>

#include <cstdio>
#include <random>
#include <stdexcept>
#include <string>
#include <vector>

namespace mv::bench {
namespace {

constexpr int kRuns = 5;
constexpr double kSearchRatioTarget = 1.2;
constexpr std::int64_t kHits = 1000000;
constexpr std::int64_t kReplaceSize = 64 * kBytesPerMiB;
// The store's own replace-all target for as many hits: the window adds nothing per hit.
constexpr double kReplaceTargetSeconds = 3.0;
// A window that handles an event at least this often still feels alive.
constexpr double kGapTargetMs = 100.0;
constexpr const char* kReplacePattern = "Zq";
constexpr const char* kReplacement = "qZ";

std::vector<Byte> Contents(const TMemoryModule& store) {
    std::vector<Byte> bytes(static_cast<std::size_t>(store.Size()));
    store.ReadBytes(bytes.data(), 0, store.Size());
    return bytes;
}

Address ScanFromStart(const TMemoryModule& store, const std::string& pattern) {
    TSearchRecord record;
    record.Pattern = reinterpret_cast<const Byte*>(pattern.data());
    record.Length = static_cast<ByteCount>(pattern.size());
    return store.SearchPattern(record);
}

// Eight letters that the data does not hold.
std::string AbsentPattern(const TMemoryModule& store) {
    for (std::string candidate = "QzXjVkWq"; candidate[0] <= 'Z'; ++candidate[0])
        if (ScanFromStart(store, candidate) < 0) return candidate;
    throw std::runtime_error("no absent pattern found");
}

// The time from the run button to the modal message that ends the run, which is then
// closed; zero when no message came.
Seconds TimeToMessage(QPushButton& run) {
    QElapsedTimer clock;
    Seconds shown{};
    QTimer closer;
    closer.callOnTimeout([&] {
        if (QWidget* box = QApplication::activeModalWidget()) {
            shown = Seconds(static_cast<double>(clock.nsecsElapsed()) * 1e-9);
            box->close();
        }
    });
    closer.start(0);
    clock.start();
    run.click();
    return shown;
}

// The time to the "not found" warning.
Seconds TimedDialogSearch(TDlgSearch& dialog) {
    const Seconds shown = TimeToMessage(dialog.BtnRun());
    if (shown == Seconds{}) throw std::runtime_error("the search found the absent pattern");
    return shown;
}

void MeasureSearch(TMvPrBinaryFormWClass& window) {
    const TMemoryModule& store = window.Module();
    const std::string pattern = AbsentPattern(store);
    window.Tools().Toggle(TToolSlot::Search);
    auto* dialog = window.Tools().ToolAs<TDlgSearch>(TToolSlot::Search);
    dialog->FrmInputData().SetPage(TInputDataPage::String);
    dialog->FrmInputData().FrmInputStr().EditBox().setPlainText(QString::fromLatin1(pattern));
    Seconds viaDialog = Seconds::max(), core = Seconds::max();
    for (int run = 0; run < kRuns; ++run) {
        window.Core().SetCaret({0, 0});
        viaDialog = std::min(viaDialog, TimedDialogSearch(*dialog));
        core = std::min(core, TimeOnce([&] { (void)ScanFromStart(store, pattern); }));
    }
    const double ratio = viaDialog / core;
    PrintFigure({"search from the dialog", viaDialog.count(), "s", 3,
                 VerdictOf(ratio <= kSearchRatioTarget),
                 "(absent 8-byte pattern over " + std::to_string(store.Size() / kBytesPerMiB) +
                     " MiB; the store's scan " + Fixed(core.count(), 3) + " s, ratio " +
                     Fixed(ratio, 3) + ", target <= " + Fixed(kSearchRatioTarget, 1) + ")"});
    dialog->close();
}

// Pseudo-random bytes holding the pattern exactly kHits times, at equal distances.
std::vector<Byte> DataWithHits() {
    std::vector<Byte> data(static_cast<std::size_t>(kReplaceSize));
    std::mt19937_64 random(20240603);
    for (Byte& b : data) {
        b = static_cast<Byte>(random());
        if (b == Byte(kReplacePattern[0])) ++b; // no match but the planted ones
    }
    for (std::int64_t i = 0; i < kHits; ++i) {
        const auto at = static_cast<std::size_t>(i * (kReplaceSize / kHits));
        data[at] = Byte(kReplacePattern[0]);
        data[at + 1] = Byte(kReplacePattern[1]);
    }
    return data;
}

void MeasureReplaceAll(TMvPrMainProcessWClass& shell, const std::string& dir) {
    std::vector<Byte> data = DataWithHits();
    const std::string path = dir + "/replace-all.bin";
    {
        std::FILE* out = std::fopen(path.c_str(), "wb");
        if (out == nullptr || std::fwrite(data.data(), 1, data.size(), out) != data.size())
            throw std::runtime_error("cannot write " + path);
        std::fclose(out);
    }
    TMvPrBinaryFormWClass* window = shell.OpenDocumentWindow(path);
    if (window == nullptr) throw std::runtime_error("cannot open " + path);
    window->Tools().Toggle(TToolSlot::Replace);
    auto* dialog = window->Tools().ToolAs<TDlgReplace>(TToolSlot::Replace);
    dialog->ReplaceCheck().setChecked(false);
    for (auto [frame, text] : {std::pair{&dialog->FrmSearchData(), kReplacePattern},
                               {&dialog->FrmReplaceData(), kReplacement}}) {
        frame->SetPage(TInputDataPage::String);
        frame->FrmInputStr().EditBox().setPlainText(QString::fromLatin1(text));
    }
    QApplication::processEvents();

    // A heartbeat on the event loop: the longest pause between its beats is the longest time
    // the window could not repaint.
    QElapsedTimer clock;
    qint64 lastBeat = 0, longestGap = 0;
    QTimer heartbeat;
    heartbeat.callOnTimeout([&] {
        const qint64 now = clock.nsecsElapsed();
        longestGap = std::max(longestGap, now - lastBeat);
        lastBeat = now;
    });
    heartbeat.start(1);
    clock.start();
    QApplication::processEvents();
    // The run ends with the count of its replacements.
    const Seconds elapsed = TimeToMessage(dialog->BtnRun());
    if (elapsed == Seconds{}) throw std::runtime_error("the replace-all ended without its count");
    QApplication::processEvents(); // the beat after the run closes the last gap
    heartbeat.stop();

    for (std::int64_t i = 0; i < kHits; ++i) {
        const auto at = static_cast<std::size_t>(i * (kReplaceSize / kHits));
        data[at] = Byte(kReplacement[0]);
        data[at + 1] = Byte(kReplacement[1]);
    }
    if (Contents(window->Module()) != data)
        throw std::runtime_error("the replace-all left other bytes than expected");
    const double gapMs = static_cast<double>(longestGap) * 1e-6;
    PrintFigure({"replace-all from the dialog", elapsed.count(), "s", 3,
                 VerdictOf(elapsed.count() <= kReplaceTargetSeconds),
                 "(" + std::to_string(kHits) + " hits in " +
                     std::to_string(kReplaceSize / kBytesPerMiB) +
                     " MiB, target <= " + Fixed(kReplaceTargetSeconds, 1) + " s)"});
    PrintFigure({"longest pause of the window", gapMs, "ms", 1, VerdictOf(gapMs <= kGapTargetMs),
                 "(during that replace-all, target <= " + Fixed(kGapTargetMs, 0) + " ms)"});
    window->Core().History().Undo();
    dialog->close();
}

void Run(const TDataOptions& options) {
    const TBenchFiles files = BenchFilesIn(options.Dir, options.SizeBytes());
    PrepareFiles(files);
    TBenchShell bench("mv_search_bench", files.Original);
    MeasureSearch(bench.Window());
    MeasureReplaceAll(bench.Shell(), options.Dir);
}

} // namespace
} // namespace mv::bench

int main(int argc, char** argv) {
    mv::bench::TDataOptions options;
    return mv::bench::RunWidgetBench({"mv_search_bench", mv::bench::DataOptionTable(options)}, argc,
                                     argv, [&] { mv::bench::Run(options); });
}
