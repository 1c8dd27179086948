// The main window's size and place from the "UpdateScreenHeight" setting
// and the screen, in twips (1440 to the inch) through the logical DPI.
#include "ui/shell/displaysizing.h"

#include <QTest>

#include "base/trail.h"

using namespace czx;
using namespace czx::ui;

class DisplaySizingTest : public QObject {
    Q_OBJECT
  private Q_SLOTS:
    // 96 DPI: 15 twips to the pixel: 8000 twips = 533.3 px high, 8000 x
    // 1.0309 = 8247.2 twips = 549.8 px wide; 120 DPI: 12 twips to the pixel.
    // A 768-pixel screen, automatic: 9000 x 8730 twips = 600 x 582 px; a
    // 480-pixel one: the designed size, 300 twips (20 px) above centre.
    void geometry_data() {
        QTest::addColumn<int>("screenW");
        QTest::addColumn<int>("screenH");
        QTest::addColumn<double>("dpi");
        QTest::addColumn<QString>("setting");
        QTest::addColumn<QRect>("expected");
        QTest::newRow("height set, 96 dpi")
            << 1280 << 1024 << 96.0 << "8000" << QRect(365, 245, 550, 533);
        QTest::newRow("height set, 120 dpi")
            << 1920 << 1080 << 120.0 << "8000" << QRect(616, 207, 687, 667);
        QTest::newRow("768 screen") << 1024 << 768 << 96.0 << "" << QRect(212, 93, 600, 582);
        QTest::newRow("480 screen")
            << 640 << 480 << 96.0 << "" << QRect((640 - 980) / 2, (480 - 720) / 2 - 20, 980, 720);
        QTest::newRow("other screen") << 1280 << 1024 << 96.0 << "" << QRect(150, 152, 980, 720);
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

    void aHeightThatIsNoNumberFails() {
        ScreenMetrics screen{1280, 1024, 96, 96};
        QVERIFY_THROWS_EXCEPTION(Error, windowGeometry(screen, "tall", QSize(980, 720)));
    }
};

QTEST_MAIN(DisplaySizingTest)
#include "displaysizing_test.moc"
