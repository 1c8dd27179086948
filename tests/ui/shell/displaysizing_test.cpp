// The main window's size and place from the "UpdateScreenHeight" setting
// and the screen, in twips (1440 to the inch) through the logical DPI.
#include <QTest>

#include "base/trail.h"
#include "ui/shell/displaysizing.h"

using namespace czx;
using namespace czx::ui;

class DisplaySizingTest : public QObject {
    Q_OBJECT
  private Q_SLOTS:
    void geometry_data() {
        QTest::addColumn<int>("screenW");
        QTest::addColumn<int>("screenH");
        QTest::addColumn<double>("dpi");
        QTest::addColumn<QString>("setting");
        QTest::addColumn<QRect>("expected");
        const QSize designed(980, 720);
        // 96 DPI: 15 twips to the pixel. 8000 twips = 533.3 px high,
        // 8000 x 1.0309 = 8247.2 twips = 549.8 px wide.
        QTest::newRow("height set, 96 dpi") << 1280 << 1024 << 96.0 << "8000"
                                            << QRect(365, 245, 550, 533);
        // 120 DPI: 12 twips to the pixel: 666.7 x 687.3 px.
        QTest::newRow("height set, 120 dpi") << 1920 << 1080 << 120.0 << "8000"
                                             << QRect(616, 207, 687, 667);
        // 768-pixel screen, automatic: 9000 x 8730 twips = 600 x 582 px.
        QTest::newRow("768 screen") << 1024 << 768 << 96.0 << "" << QRect(212, 93, 600, 582);
        // 480-pixel screen: designed size, 300 twips (20 px) above centre.
        QTest::newRow("480 screen") << 640 << 480 << 96.0 << ""
                                    << QRect((640 - 980) / 2, (480 - 720) / 2 - 20, 980, 720);
        QTest::newRow("other screen") << 1280 << 1024 << 96.0 << ""
                                      << QRect(150, 152, 980, 720);
        Q_UNUSED(designed);
    }

    void geometry() {
        QFETCH(int, screenW);
        QFETCH(int, screenH);
        QFETCH(double, dpi);
        QFETCH(QString, setting);
        QFETCH(QRect, expected);
        ScreenMetrics screen{screenW, screenH, dpi, dpi};
        QCOMPARE(windowGeometry(screen, setting, QSize(980, 720)), expected);
    }

    // A window larger than the screen's free area is cut to it; one standing
    // out of it is moved in, centred.
    void fitToArea_data() {
        QTest::addColumn<QRect>("window");
        QTest::addColumn<QRect>("fitted");
        const QRect area(0, 0, 1366, 740);
        QTest::newRow("inside stays") << QRect(100, 50, 600, 582) << QRect(100, 50, 600, 582);
        QTest::newRow("too high") << QRect(340, 50, 687, 800) << QRect(340, 0, 687, 740);
        QTest::newRow("off the left") << QRect(-300, 50, 600, 582) << QRect(383, 50, 600, 582);
        QTest::newRow("off the bottom") << QRect(100, 600, 600, 582) << QRect(100, 79, 600, 582);
    }

    void fitToArea() {
        QFETCH(QRect, window);
        QFETCH(QRect, fitted);
        QCOMPARE(ui::fitToArea(window, QRect(0, 0, 1366, 740)), fitted);
    }

    // The first size on a screen that the settings' rules leave alone: the
    // designed size, grown to nine tenths of a large screen, at most
    // 1400 x 1050, never larger than the screen.
    void grownSize_data() {
        QTest::addColumn<QSize>("available");
        QTest::addColumn<QSize>("grown");
        QTest::newRow("1280 x 1024") << QSize(1280, 984) << QSize(1152, 885);
        QTest::newRow("1920 x 1080") << QSize(1920, 1040) << QSize(1400, 936);
        QTest::newRow("2560 x 1440") << QSize(2560, 1400) << QSize(1400, 1050);
        QTest::newRow("800 x 600") << QSize(800, 560) << QSize(800, 560);
        QTest::newRow("1024 x 768") << QSize(1024, 740) << QSize(980, 720);
    }

    void grownSize() {
        QFETCH(QSize, available);
        QFETCH(QSize, grown);
        QCOMPARE(ui::grownSize(QSize(980, 720), available), grown);
    }

    void aHeightThatIsNoNumberFails() {
        ScreenMetrics screen{1280, 1024, 96, 96};
        QVERIFY_THROWS_EXCEPTION(Error, windowGeometry(screen, "tall", QSize(980, 720)));
    }
};

QTEST_MAIN(DisplaySizingTest)
#include "displaysizing_test.moc"
