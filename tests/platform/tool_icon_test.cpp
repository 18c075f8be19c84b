#include "platform/tool_icon.h"

#include <QtCore/QFile>

#include <gtest/gtest.h>

namespace mv {
namespace {

TEST(ToolIcon, EveryButtonHasAPictureEvenWithoutATheme) {
    for (const char* name : {"new",          "open",           "save",
                             "cut",          "copy",           "paste",
                             "undo",         "redo",           "search",
                             "replace",      "search-prev",    "search-next",
                             "compare-file", "compare-window", "compare-present",
                             "compare-quit", "compare-prev",   "compare-next",
                             "option",       "help",           "close",
                             "history-item", "window-item",    "more",
                             "info-mode",    "morvane"}) {
        const QIcon icon = ToolIcon(name);
        EXPECT_FALSE(icon.pixmap(16, 16).isNull()) << name;
    }
    EXPECT_TRUE(ToolIcon("no-such-icon").isNull());
}

} // namespace
} // namespace mv
