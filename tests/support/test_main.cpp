#include <QApplication>
#include <gtest/gtest.h>

// Every test binary runs inside one QApplication (offscreen under ctest),
// so that widgets, pixmaps and timers work as in the program.
int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
