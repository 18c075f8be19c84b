// The program installed into a scratch prefix: every file lands where a desktop looks for it,
// and the installed program starts on the offscreen platform and finds its filers, manual and
// pictures beside itself, with the system's data folders pointing nowhere.
#include "core/dialogs/desktop_files.h"
#include "platform/data_folders.h"
#include "support/temp_folder.h"

#include <QtCore/QProcess>
#include <QtCore/QProcessEnvironment>

#include <gtest/gtest.h>

#include <fcntl.h>
#include <filesystem>
#include <poll.h>
#include <unistd.h>

namespace mv {
namespace {

namespace fs = std::filesystem;

const std::string Id = ApplicationId;

// A run of a program with a home of its own, whose first painted window is reported back.
class TProgram {
public:
    TProgram(const std::string& program, const std::string& home) {
        if (pipe(probe_) != 0) ADD_FAILURE() << "no pipe";
        fcntl(probe_[0], F_SETFD, FD_CLOEXEC); // only the writing end goes to the program
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("HOME", QString::fromStdString(home));
        environment.insert("XDG_RUNTIME_DIR", QString::fromStdString(home));
        environment.insert("XDG_CONFIG_HOME", QString::fromStdString(home + "/config"));
        environment.insert("XDG_DATA_HOME", QString::fromStdString(home + "/data"));
        environment.insert("XDG_DATA_DIRS", QString::fromStdString(home + "/no-system-data"));
        environment.insert("QT_QPA_PLATFORM", "offscreen");
        environment.insert("MV_PAINT_PROBE_FD", QString::number(probe_[1]));
        process_.setProcessEnvironment(environment);
        process_.start(QString::fromStdString(program), {});
        process_.waitForStarted();
        close(probe_[1]);
    }
    TProgram(const TProgram&) = delete;
    TProgram& operator=(const TProgram&) = delete;
    ~TProgram() {
        process_.kill();
        process_.waitForFinished(10000);
        close(probe_[0]);
    }

    // Whether a window was painted within the time, the program still running.
    bool Painted(int milliseconds) {
        pollfd wait{probe_[0], POLLIN, 0};
        char line[64];
        return poll(&wait, 1, milliseconds) == 1 && read(probe_[0], line, sizeof line) > 0 &&
               process_.state() == QProcess::Running;
    }
    // What the program wrote on its error output until it was ended.
    std::string ErrorsAtEnd() {
        process_.terminate();
        process_.waitForFinished(10000);
        return process_.readAllStandardError().toStdString();
    }

private:
    QProcess process_;
    int probe_[2] = {-1, -1};
};

class Installed : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        prefix_ = new test::TTempFolder;
        std::string output;
        const int status = test::RunCommand(std::string(MV_CMAKE) + " --install " +
                                                test::ShellQuoted(MV_BUILD_DIR) + " --prefix " +
                                                test::ShellQuoted(prefix_->Path()),
                                            output);
        ASSERT_EQ(status, 0) << output;
    }
    static void TearDownTestSuite() { delete prefix_; }

    static std::string In(const std::string& relative) { return *prefix_ / relative; }

    static test::TTempFolder* prefix_;
};

test::TTempFolder* Installed::prefix_ = nullptr;

TEST_F(Installed, EveryFileLandsWhereTheDesktopLooksForIt) {
    for (const std::string& file : std::vector<std::string>{"bin/morvane", "share/morvane-prime/filer/BMP.MVF", "share/morvane-prime/help/index.html",
          "share/morvane-prime/help/style.css", "share/morvane-prime/version/version.jpg",
          "share/applications/" + Id + ".desktop", "share/metainfo/" + Id + ".metainfo.xml"})
        EXPECT_TRUE(fs::is_regular_file(In(file))) << file;
    for (const int size : {16, 22, 24, 32, 48, 64, 128, 256})
        EXPECT_TRUE(fs::is_regular_file(In("share/icons/hicolor/" + std::to_string(size) + "x" +
                                           std::to_string(size) + "/apps/" + Id + ".png")))
            << size;
    EXPECT_NE(fs::status(In("bin/morvane")).permissions() & fs::perms::owner_exec, fs::perms::none);
    for (const auto& filer : fs::directory_iterator(In("share/morvane-prime/filer")))
        EXPECT_EQ(filer.path().extension(), ".MVF") << "not a filer: " << filer.path();
    EXPECT_TRUE(test::ValidDesktopFile(In("share/applications/" + Id + ".desktop")));
}

TEST_F(Installed, TheInstalledProgramStartsAndFindsItsDataBesideItself) {
    test::TTempFolder home;
    TProgram program(In("bin/morvane"), home.Path());
    ASSERT_TRUE(program.Painted(60000)) << "no window within a minute";
    const std::string errors = program.ErrorsAtEnd();
    EXPECT_EQ(errors.find("見付かりません"), std::string::npos) << errors;

    // The same program away from its data says what it misses.
    test::TTempFolder elsewhere;
    fs::copy_file(In("bin/morvane"), elsewhere / "morvane");
    fs::permissions(elsewhere / "morvane", fs::perms::owner_all);
    TProgram stray(elsewhere / "morvane", home.Path());
    ASSERT_TRUE(stray.Painted(60000));
    const std::string strayErrors = stray.ErrorsAtEnd();
    for (const char* folder : {"morvane-prime/filer", "morvane-prime/help", "morvane-prime/version"})
        EXPECT_NE(strayErrors.find(folder), std::string::npos) << folder << " not reported:\n" << strayErrors;
}

} // namespace
} // namespace mv
