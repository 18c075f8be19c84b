#pragma once

#include "core/filer/filer_page_place.h"
#include "core/filer/filer_session.h"

#include <QtWidgets/QScrollArea>

#include <cstdint>
#include <functional>
#include <vector>

namespace mv {

class TFieldEditor;

// What a page's controls report to the tool window.
struct TFieldHooks {
    std::function<void()> Edited;
    std::function<void(std::int64_t address)> Jump;
};

// One page of the filer tool: a borderless scroll box holding a panel with the page's labels,
// rules, message areas and field editors where the session placed them; it scrolls when the
// panel is larger than the window. The field models stay the session's.
class TFilerPageView final : public QScrollArea {
public:
    TFilerPageView(const TFilerSessionPage& page, const TFieldHooks& hooks, QWidget* parent);

    // Every editor shows its model's value and enabled state.
    void Refresh(bool viewOnly);
    [[nodiscard]] const std::vector<TFieldEditor*>& Editors() const { return editors_; }
    [[nodiscard]] QWidget& Panel() { return *panel_; }

private:
    QWidget* panel_;
    std::vector<TFieldEditor*> editors_;
};

// The measures of the page controls in the window's font and style: no caption, value or label
// is cut off, and nothing is smaller than the page's own measures.
[[nodiscard]] TFilerMetrics FilerMetrics(const QWidget& window);

} // namespace mv
