#pragma once

namespace mv {

// For the shell benchmark, which starts the real program and needs to know when its windows
// appear: when the environment variable MV_PAINT_PROBE_FD names an open file descriptor, one
// line "painted <CLOCK_MONOTONIC nanoseconds>" is written to it after the first paint of each
// top-level window. Without the variable nothing is installed and nothing costs.
void InstallPaintProbe();

} // namespace mv
