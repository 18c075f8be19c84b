#pragma once

#include <cstddef>
#include <string_view>

namespace mv {

// How large a filer may be. Without bounds a few kilobytes of INCLUDECOMMON build millions of
// fields, and the program freezes until the system kills it with every window's unsaved work.
// Each bound is checked as the filer is read or built, before the memory is spent, and is
// given in the filer help (resources/help/filer.html) with the costs below.

// A filer file; the largest shipped one holds 4 KB. The open dialog reads no further for a
// file's header either.
inline constexpr std::size_t MaxFilerBytes = 1 << 20;

// The edit section's commands, INCLUDECOMMON's copies counted: a block of commands that build
// nothing could otherwise be included without end.
inline constexpr std::size_t MaxEditCommands = 100'000;

// The widgets that the edit section builds in the filer tool, priced by CommandWidgets. The
// 500-field benchmark filer needs 2,695 and the largest shipped filer about 400; a filer at the
// bound loads in 0.3 to 0.7 s in the release build (mv_filer_bench), whatever its rows.
inline constexpr int MaxFilerWidgets = 20'000;

// A page's height in pixels: no widget can be taller (Qt's QWIDGETSIZE_MAX).
inline constexpr int MaxPageHeight = 16'777'215;

// The widgets that one edit command builds: a page is a scroll box with its view port, two
// scroll bars in their holders and the panel; a field its caption, its editor with the editor's
// own parts and its jump button; commands that only set state build none.
[[nodiscard]] int CommandWidgets(std::string_view name);

} // namespace mv
