#pragma once

// A user's home of its own for a test: HOME and the XDG folders point into a temporary folder,
// with the program's shipped data linked under its data folders, and come back afterwards.
#include "support/temp_folder.h"

#include <QtCore/QByteArray>

#include <filesystem>
#include <fstream>
#include <map>
#include <string>

namespace mv::test {

class TUserHome {
public:
    TUserHome() {
        for (const char* name : {"HOME", "XDG_DATA_HOME", "XDG_CONFIG_HOME", "XDG_DATA_DIRS"})
            saved_[name] = qEnvironmentVariableIsSet(name) ? std::optional(qgetenv(name)) : std::nullopt;
        qputenv("HOME", folder_.Path().c_str());
        qputenv("XDG_DATA_HOME", (folder_ / ".local/share").c_str());
        qputenv("XDG_CONFIG_HOME", (folder_ / ".config").c_str());
        qputenv("XDG_DATA_DIRS", (folder_ / "system").c_str());
        std::filesystem::create_directories(folder_ / "Desktop");
    }
    TUserHome(const TUserHome&) = delete;
    TUserHome& operator=(const TUserHome&) = delete;
    ~TUserHome() {
        for (const auto& [name, value] : saved_)
            if (value)
                qputenv(name.c_str(), *value);
            else
                qunsetenv(name.c_str());
    }

    [[nodiscard]] std::string operator/(const std::string& name) const { return folder_ / name; }
    [[nodiscard]] const std::string& Path() const { return folder_.Path(); }

    // Makes the source tree's manual and pictures the system's shipped data.
    void ShipDataFromSources() const {
        const std::filesystem::path data = folder_ / "system/morvane-prime";
        std::filesystem::create_directories(data);
        std::filesystem::create_directory_symlink(std::string(MV_SOURCE_DIR) + "/resources/help", data / "help");
        std::filesystem::create_directory_symlink(std::string(MV_SOURCE_DIR) + "/resources/version", data / "version");
    }

    // The desktop folder of the user's folder settings.
    void SetDesktopFolder(const std::string& relative) const {
        std::filesystem::create_directories(folder_ / ".config");
        std::ofstream(folder_ / ".config/user-dirs.dirs") << "XDG_DESKTOP_DIR=\"$HOME/" << relative << "\"\n";
    }

private:
    TTempFolder folder_;
    std::map<std::string, std::optional<QByteArray>> saved_;
};

} // namespace mv::test
