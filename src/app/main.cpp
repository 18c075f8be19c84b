// The program for now: one plain window around the binary editor control, holding the file
// named on the command line. The document window and the single-instance shell replace it.
#include "ui/binaryview/b_editor.h"
#include "ui/binaryview/binary_view.h"

#include <QtCore/QFileInfo>
#include <QtWidgets/QApplication>
#include <QtWidgets/QVBoxLayout>
#include <QtWidgets/QWidget>

#include <string>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationDisplayName(QStringLiteral("Morvane Prime"));

    QWidget window;
    auto* layout = new QVBoxLayout(&window);
    layout->setContentsMargins(0, 0, 0, 0);
    auto* editor = new mv::TBEditor(&window);
    layout->addWidget(editor);

    mv::TEnvironment environment;
    environment.ApplyModes = 1;
    environment.CaretMarker = false;
    editor->SetViewItems(mv::AllViewItems);
    editor->SetEnvironment(environment);

    // Options begin with '-'; the first other argument names the file.
    for (int i = 1; i < argc; ++i) {
        const std::string name = argv[i];
        if (name.empty() || name[0] == '-') continue;
        if (editor->View().Core().LoadFile(name))
            window.setWindowTitle(QFileInfo(QString::fromLocal8Bit(argv[i])).fileName());
        break;
    }
    window.resize(editor->PreferredWidth(), editor->PreferredHeight());
    window.show();
    editor->View().setFocus();
    return QApplication::exec();
}
