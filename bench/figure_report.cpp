#include "figure_report.h"

#include <cstdio>

namespace mv::bench {

namespace {

const char* VerdictText(TVerdict verdict) {
    switch (verdict) {
    case TVerdict::Met:
        return "ok";
    case TVerdict::Missed:
        return "MISSED";
    case TVerdict::NoTarget:
        break;
    }
    return "-";
}

} // namespace

void PrintFigure(const TFigure& figure) {
    std::printf("%-18s %12.*f %-3s  %-6s  %s\n", figure.Name.c_str(), figure.Decimals, figure.Value,
                figure.Unit.c_str(), VerdictText(figure.Verdict), figure.Detail.c_str());
    std::fflush(stdout);
}

void PrintAgainstTool(const std::string& name, Seconds measured, const std::string& tool,
                      Seconds reference, std::optional<double> target) {
    const double ratio = measured / reference;
    std::string detail =
        "(" + tool + " " + Fixed(reference.count(), 3) + " s, ratio " + Fixed(ratio, 2) + ", ";
    detail += target ? "target <= " + Fixed(*target, 1) + ")" : "no target)";
    PrintFigure({name, measured.count(), "s", 3,
                 target ? VerdictOf(ratio <= *target) : TVerdict::NoTarget, detail});
}

std::string Fixed(double value, int decimals) {
    char text[64];
    std::snprintf(text, sizeof text, "%.*f", decimals, value);
    return text;
}

} // namespace mv::bench
