#include <QApplication>

#include <gtest/gtest.h>

// Widget tests need one QApplication for the whole test program.
int main(int argc, char* argv[])
{
    // Test discovery runs the binary without the tests' environment; the
    // windows never need a real display.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
