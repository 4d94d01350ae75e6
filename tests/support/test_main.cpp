#include <QApplication>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

// A test that ends the application (as the program's terminate request does) leaves every
// later event loop, modal dialogs' included, returning at once. A short run of the
// application's own loop after each test clears that for the next one.
class ApplicationLoopReset : public ::testing::EmptyTestEventListener {
public:
    void OnTestEnd(const ::testing::TestInfo &) override
    {
        QTimer::singleShot(0, qApp, [] { QCoreApplication::exit(0); });
        QCoreApplication::exec();
    }
};

} // namespace

// Every test binary runs inside one QApplication (offscreen under ctest),
// so that widgets, pixmaps and timers work as in the program.
int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    ::testing::UnitTest::GetInstance()->listeners().Append(new ApplicationLoopReset);
    return RUN_ALL_TESTS();
}
