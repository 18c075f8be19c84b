// The main of the test programs that need a Qt application: widgets, the clipboard and
// message boxes run on the offscreen platform unless the environment chooses another, also
// when CTest lists the tests at build time.
#include <QtWidgets/QApplication>

#include <gtest/gtest.h>

int main(int argc, char** argv) {
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
