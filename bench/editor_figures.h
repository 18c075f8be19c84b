#pragma once

#include "bench_data.h"

#include <cstdint>
#include <string>

namespace mv::bench {

// Figures of the editor above the store: what a keystroke, a replace-all and a text dump
// cost. Each prints one line per figure and throws std::runtime_error when the editor or a
// reference tool fails or answers wrongly.

// Hexadecimal digits typed one by one in the middle of the file, in insert and overwrite mode.
void MeasureTyping(const TBenchFiles& files);
// A replace-all of a 2-byte pattern by another, as one undo step, on generated data of up to
// 64 MiB; reports what the undo budget made of it.
void MeasureReplaceAll(std::int64_t sizeLimit);
// The dump of a file of up to 64 MiB as text lines, against xxd; `dir` holds the file.
void MeasureTextOutput(const std::string& dir, std::int64_t sizeLimit);

} // namespace mv::bench
