#pragma once

#include "bench_timing.h"

#include <optional>
#include <string>

namespace mv::bench {

enum class TVerdict { NoTarget, Met, Missed };

// One printed line: a measured value with its unit, whether it meets its target, and the
// reference figures that explain it.
struct TFigure {
    std::string Name;
    double Value = 0;
    std::string Unit;
    int Decimals = 3;
    TVerdict Verdict = TVerdict::NoTarget;
    std::string Detail;
};

[[nodiscard]] inline TVerdict VerdictOf(bool met) {
    return met ? TVerdict::Met : TVerdict::Missed;
}

// Prints the figure as one aligned line and flushes, so that a long run shows its progress.
void PrintFigure(const TFigure& figure);

// A time measured against a reference tool: the figure is met when measured / reference is
// at most the target; without a target the ratio is for information.
void PrintAgainstTool(const std::string& name, Seconds measured, const std::string& tool,
                      Seconds reference, std::optional<double> target);

// A number with a fixed count of decimals, for the detail texts.
[[nodiscard]] std::string Fixed(double value, int decimals);

} // namespace mv::bench
