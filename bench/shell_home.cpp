#include "shell_home.h"

#include "bench_data.h"

#include <QtCore/QDir>
#include <QtWidgets/QApplication>

#include <fstream>
#include <stdexcept>
#include <string>

namespace mv::bench {

TShellHome::TShellHome(std::string_view program)
    : scratch_(QDir::tempPath() + '/' + QString::fromUtf8(program.data(), program.size()) +
               "_XXXXXX") {
    if (!scratch_.isValid()) throw std::runtime_error("cannot make a scratch folder");
    std::ofstream(Paths().ConfigFile.toStdString()) << "[Config]\nOpeningDlg=0\n";
}

TBenchShell::TBenchShell(std::string_view program, const std::string& file)
    : home_(program), shell_(home_.Paths()) {
    WarmPageCache(file);
    shell_.OnEnd = [] {};
    shell_.Start({file});
    QApplication::processEvents();
}

TMvPrMainProcessWClass::TPaths TShellHome::Paths() const {
    const std::string home = scratch_.path().toStdString();
    return {QString::fromStdString(home + "/Morvane.ini"), home + "/data"};
}

} // namespace mv::bench
