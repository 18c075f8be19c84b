#pragma once

#include <QtCore/QElapsedTimer>
#include <QtCore/QObject>
#include <QtCore/QTimer>

#include <cstdint>
#include <functional>
#include <string_view>

namespace mv {

// Keeps a window painted during long work on its data and lets Esc stop it. Each Pump shows
// how far the work got in the progress panel, and every so often handles the events due; the
// user's input meanwhile is swallowed, but for Esc, which makes Pump answer false once. The
// progress text goes once the work has not pumped for a while.
class TWorkPump : public QObject {
public:
    using ShowText = std::function<void(std::string_view text)>;

    explicit TWorkPump(ShowText show, QObject* parent = nullptr);

    // Answers whether the work goes on.
    bool Pump(std::int64_t done, std::int64_t total);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    ShowText show_;
    QElapsedTimer sincePump_;
    QTimer clear_;
    bool stop_ = false;
};

} // namespace mv
