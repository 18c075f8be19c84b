#pragma once

#include "bench_options.h"

#include <functional>

namespace mv::bench {

// RunBench for a bench that shows widgets: `run` is called with a QApplication on the
// offscreen platform, unless the environment chose another, so that the figures are the
// program's own drawing, not a display server's.
int RunWidgetBench(const TBenchCommand& command, int& argc, char** argv,
                   const std::function<void()>& run);

} // namespace mv::bench
