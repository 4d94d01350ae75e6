#include "app/program_pictures.h"
#include "app/splash_window.h"

#include <QImage>
#include <QTest>
#include <gtest/gtest.h>

#include <algorithm>

TEST(SplashWindow, ShowsThePictureMadeAtBuildTime)
{
    // The shipped resource, not the fallback drawn at run time.
    const QImage built(QStringLiteral(":/tarnwick/splash.png"));
    ASSERT_EQ(built.size(), SplashSize);

    SplashWindow splash;
    EXPECT_EQ(splash.size(), SplashSize);
    splash.ShowNow();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&splash));
    const QImage shown = splash.grab().toImage().convertToFormat(QImage::Format_RGB32);
    ASSERT_EQ(shown.size(), SplashSize);

    // What the window shows is the picture as our code draws it: felt, title, bevel and version.
    const QImage drawn = splashPicture();
    const QImage expected = built.convertToFormat(QImage::Format_RGB32);
    int differing = 0;
    for (int y = 0; y < shown.height(); ++y)
        for (int x = 0; x < shown.width(); ++x) {
            const QRgb a = shown.pixel(x, y);
            EXPECT_EQ(a, expected.pixel(x, y)) << x << "," << y;
            const QRgb b = drawn.pixel(x, y);
            const int difference =
                std::max({qAbs(qRed(a) - qRed(b)), qAbs(qGreen(a) - qGreen(b)), qAbs(qBlue(a) - qBlue(b))});
            differing += difference > 0 ? 1 : 0;
            if (::testing::Test::HasFailure())
                return;
        }
    // Fonts may render a shade apart between the build and now; nothing more.
    EXPECT_LE(differing, shown.width() * shown.height() / 100);
    EXPECT_EQ(QColor(shown.pixel(0, 0)), QColor(255, 255, 255));
    EXPECT_EQ(QColor(shown.pixel(400, 250)), QColor(64, 64, 64));
    EXPECT_EQ(QColor(shown.pixel(200, 0)), QColor(255, 255, 255));
    EXPECT_EQ(QColor(shown.pixel(400, 120)), QColor(64, 64, 64));
}
