#include "platform/help_context.h"

#include <QtCore/QVariant>
#include <QtWidgets/QWidget>

namespace mv {

namespace {

constexpr const char* HelpContextProperty = "mvHelpContext";

} // namespace

void SetHelpContext(QWidget& window, int context) {
    window.setProperty(HelpContextProperty, context);
}

int HelpContextOf(const QWidget* widget) {
    for (; widget != nullptr; widget = widget->parentWidget()) {
        const int context = widget->property(HelpContextProperty).toInt();
        if (context > 0) return context;
    }
    return 0;
}

} // namespace mv
