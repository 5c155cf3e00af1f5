#include <QApplication>

#include <gtest/gtest.h>

// Widget tests need one QApplication for the whole test program.
int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
