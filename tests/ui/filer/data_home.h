#pragma once

// XDG_DATA_HOME, and with it the user's own filer folder, points into a folder of the test's
// own while this lives, and comes back afterwards.
#include <QtCore/QByteArray>

#include <optional>
#include <string>

namespace mv::test {

class TDataHome {
public:
    explicit TDataHome(const std::string& folder) {
        if (qEnvironmentVariableIsSet("XDG_DATA_HOME")) saved_ = qgetenv("XDG_DATA_HOME");
        qputenv("XDG_DATA_HOME", QByteArray::fromStdString(folder));
    }
    TDataHome(const TDataHome&) = delete;
    TDataHome& operator=(const TDataHome&) = delete;
    ~TDataHome() {
        if (saved_)
            qputenv("XDG_DATA_HOME", *saved_);
        else
            qunsetenv("XDG_DATA_HOME");
    }

private:
    std::optional<QByteArray> saved_;
};

} // namespace mv::test
