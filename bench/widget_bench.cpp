#include "widget_bench.h"

#include <QtWidgets/QApplication>

namespace mv::bench {

int RunWidgetBench(const TBenchCommand& command, int& argc, char** argv,
                   const std::function<void()>& run) {
    return RunBench(command, argc, argv, [&] {
        if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
        const QApplication application(argc, argv);
        run();
    });
}

} // namespace mv::bench
