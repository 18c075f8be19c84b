#pragma once

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

// A number with a fixed count of decimals, for the detail texts.
[[nodiscard]] std::string Fixed(double value, int decimals);

} // namespace mv::bench
