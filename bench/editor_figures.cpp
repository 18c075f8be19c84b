#include "editor_figures.h"

#include "bench_timing.h"
#include "figure_report.h"

#include "core/binaryview/editor_core.h"

#include <algorithm>
#include <cstdio>
#include <memory>
#include <random>
#include <stdexcept>
#include <vector>

namespace mv::bench {

namespace {

constexpr int kRuns = 3;
constexpr std::int64_t kGeneratedSize = std::int64_t{64} << 20;
constexpr int kKeystrokes = 10000;
constexpr double kKeystrokeTargetMicroseconds = 1000;
// The replace-all target is for this many hits in kGeneratedSize bytes; smaller runs scale
// both down.
constexpr std::int64_t kHits = 1000000;
constexpr double kReplaceTargetSeconds = 3.0;
constexpr double kTextOutputRatioTarget = 0.5;
constexpr std::uint64_t kReplaceSeed = 20240603;
constexpr Byte kPattern[] = {0x12, 0x34};
constexpr Byte kReplacement[] = {0x56, 0x78};

// Answers every dialog with its first choice and every replace question with All; counts
// what the editor asked for.
class TBenchHost : public TEditorHost {
public:
    TModalResult MessageDlgBeep(std::string_view text, TMsgDlgType, TMsgDlgButtons) override {
        LastDialog = text;
        ++Dialogs;
        return mrOk;
    }
    void Beep() override { ++Beeps; }
    void MessageBox(std::string_view, std::string_view) override {}
    bool ClipboardOffersData() override { return false; }
    std::optional<std::vector<Byte>> ClipboardPayload() override { return std::nullopt; }
    std::optional<std::string> ClipboardText() override { return std::nullopt; }
    void SetClipboardPayload(std::span<const Byte>) override {}
    TReplaceAnswer AskReplace() override { return TReplaceAnswer::All; }
    void HandleOneEvent() override {}
    int ModifierState() override { return 0; }

    std::string LastDialog;
    int Dialogs = 0;
    int Beeps = 0;
};

void LoadInto(TEditorCore& editor, const TBenchHost& host, const std::string& path) {
    if (!editor.LoadFile(path)) throw std::runtime_error(host.LastDialog);
}

std::vector<Seconds> TimeKeystrokes(TEditorCore& editor) {
    std::vector<Seconds> samples;
    samples.reserve(kKeystrokes);
    for (int i = 0; i < kKeystrokes; ++i)
        samples.push_back(TimeOnce([&] { editor.TypeHexDigit(i % 16); }));
    return samples;
}

// Pseudo-random bytes holding the pattern exactly `hits` times, at equal distances.
std::vector<Byte> DataWithHits(std::int64_t size, std::int64_t hits) {
    std::vector<Byte> data(static_cast<std::size_t>(size));
    std::mt19937_64 random(kReplaceSeed);
    for (Byte& b : data) {
        b = static_cast<Byte>(random());
        if (b == kPattern[0]) ++b; // no match but the planted ones
    }
    const std::int64_t stride = size / hits;
    for (std::int64_t i = 0; i < hits; ++i)
        std::copy(std::begin(kPattern), std::end(kPattern), data.begin() + i * stride);
    return data;
}

std::vector<Byte> Replaced(std::vector<Byte> data, std::int64_t hits) {
    const std::int64_t stride = static_cast<std::int64_t>(data.size()) / hits;
    for (std::int64_t i = 0; i < hits; ++i)
        std::copy(std::begin(kReplacement), std::end(kReplacement), data.begin() + i * stride);
    return data;
}

std::vector<Byte> Contents(const TMemoryModule& store) {
    std::vector<Byte> bytes(static_cast<std::size_t>(store.Size()));
    store.ReadBytes(bytes.data(), 0, store.Size());
    return bytes;
}

// One replace-all from address 0 on a fresh editor holding `data`; answers its time.
Seconds TimedReplaceAll(TEditorCore& editor, const std::vector<Byte>& data,
                        const std::vector<Byte>& expected) {
    editor.Module().InsertBytes(data.data(), 0, static_cast<ByteCount>(data.size()));
    editor.SetCaret({0, 0});
    const Seconds elapsed = TimeOnce([&] {
        editor.Search().Replace(kPattern, kReplacement, false, false, TSearchDirection::Forward);
    });
    if (Contents(editor.Module()) != expected)
        throw std::runtime_error("the replace-all left other bytes than expected");
    return elapsed;
}

} // namespace

void MeasureTyping(const TBenchFiles& files) {
    TBenchHost host;
    TEditorCore editor(host);
    LoadInto(editor, host, files.Original);
    const Address size = editor.Module().Size();
    struct Mode {
        const char* name;
        TInputMode mode;
        Address growth;
    };
    for (const Mode m : {Mode{"type digit insert", TInputMode::Insert, kKeystrokes / 2},
                         Mode{"type digit over", TInputMode::Overwrite, 0}}) {
        editor.SetInputMode(m.mode);
        const Address before = editor.Module().Size();
        editor.SetCaret({size / 2, 0});
        const int beeps = host.Beeps;
        const std::vector<Seconds> samples = TimeKeystrokes(editor);
        if (editor.Module().Size() != before + m.growth ||
            editor.CaretAddress() != size / 2 + kKeystrokes / 2)
            throw std::runtime_error(std::string(m.name) + ": the digits did not land as typed");
        const double median = Median(samples).count() * 1e6;
        const double worst = std::max_element(samples.begin(), samples.end())->count() * 1e6;
        PrintFigure({m.name, median, "us", 1, VerdictOf(median <= kKeystrokeTargetMicroseconds),
                     "(median of " + std::to_string(kKeystrokes) + " in the middle, max " +
                         Fixed(worst, 1) + " us, " + std::to_string(host.Beeps - beeps) +
                         " undo overflow beeps, target <= " +
                         Fixed(kKeystrokeTargetMicroseconds, 0) + " us)"});
    }
}

void MeasureReplaceAll(std::int64_t sizeLimit) {
    const std::int64_t size = std::min(sizeLimit, kGeneratedSize);
    const double share = static_cast<double>(size) / static_cast<double>(kGeneratedSize);
    const auto hits = static_cast<std::int64_t>(static_cast<double>(kHits) * share);
    const double target = kReplaceTargetSeconds * share;
    const std::vector<Byte> data = DataWithHits(size, hits);
    const std::vector<Byte> expected = Replaced(data, hits);
    const std::string scope =
        std::to_string(hits) + " hits in " + std::to_string(size >> 20) + " MiB";
    {
        TBenchHost host;
        TEditorCore editor(host);
        const Seconds elapsed = TimedReplaceAll(editor, data, expected);
        PrintFigure({"replace-all", elapsed.count(), "s", 3, VerdictOf(elapsed.count() <= target),
                     "(" + scope + ", default undo budget " +
                         std::to_string(editor.History().Capacity() / 1024) +
                         " KB: " + std::to_string(host.Beeps) + " overflow beep(s), undo " +
                         (editor.History().CanUndo() ? "available" : "unavailable") +
                         ", target <= " + Fixed(target, 1) + " s)"});
    }
    TBenchHost host;
    TEditorCore editor(host);
    // A budget that holds the whole replace-all: 60 units per record, 2-byte data inside.
    editor.History().ApplySettings(static_cast<std::int32_t>(hits * 60 / 1024 + 1), false);
    const Seconds elapsed = TimedReplaceAll(editor, data, expected);
    const Seconds undo = TimeOnce([&] { editor.History().Undo(); });
    if (editor.History().CanUndo() || Contents(editor.Module()) != data)
        throw std::runtime_error("one undo did not restore the data before the replace-all");
    PrintFigure({"replace-all kept", elapsed.count(), "s", 3, VerdictOf(elapsed.count() <= target),
                 "(" + scope + ", budget holding it, one undo step taking " +
                     Fixed(undo.count(), 3) + " s, target <= " + Fixed(target, 1) + " s)"});
}

void MeasureTextOutput(const std::string& dir, std::int64_t sizeLimit) {
    const TBenchFiles files = BenchFilesIn(dir, std::min(sizeLimit, kGeneratedSize));
    PrepareFiles(files);
    WarmPageCache(files.Original);
    TBenchHost host;
    TEditorCore editor(host);
    LoadInto(editor, host, files.Original);
    const Address size = editor.Module().Size();
    const std::unique_ptr<std::FILE, int (*)(std::FILE*)> out(std::fopen("/dev/null", "wb"),
                                                              &std::fclose);
    if (!out) throw std::runtime_error("cannot open /dev/null");
    std::int64_t lines = 0;
    const auto dump = [&] {
        lines = 0;
        return TimeOnce([&] {
            editor.TextOut(0, size, [&](std::string_view line, bool&) {
                std::fwrite(line.data(), 1, line.size(), out.get());
                std::fwrite("\r\n", 1, 2, out.get());
                ++lines;
            });
            std::fflush(out.get());
        });
    };
    const std::string xxdCommand = "xxd " + ShellQuote(files.Original) + " > /dev/null";
    // Each run times the dump and xxd back to back, so that a busy moment of the machine
    // weighs on both sides of a ratio.
    std::vector<Seconds> dumps, xxds;
    std::vector<double> ratios;
    for (int run = 0; run < kRuns; ++run) {
        dumps.push_back(dump());
        if (lines != (std::int64_t{size} + 15) / 16)
            throw std::runtime_error("the text output wrote " + std::to_string(lines) + " lines");
        xxds.push_back(TimeShellCommand(xxdCommand, {0}));
        ratios.push_back(dumps.back() / xxds.back());
    }
    const double median = Median(ratios);
    PrintFigure({"text output", Median(dumps).count(), "s", 3,
                 VerdictOf(median <= kTextOutputRatioTarget),
                 "(median of " + std::to_string(kRuns) + ", min " +
                     Fixed(std::ranges::min(dumps).count(), 3) + " s; xxd median " +
                     Fixed(Median(xxds).count(), 3) + " s, min " +
                     Fixed(std::ranges::min(xxds).count(), 3) + " s; ratio median " +
                     Fixed(median, 2) + ", min " + Fixed(std::ranges::min(ratios), 2) +
                     ", target <= " + Fixed(kTextOutputRatioTarget, 1) + ")"});
}

} // namespace mv::bench
