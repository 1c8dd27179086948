// The main window on the screens people have: at 600 x 582 (what the display
// sizing gives on a 1366 x 768 laptop) and at the manual heights the settings
// call typical, nothing is clipped and every button is in reach; it opens
// where it was left.
#include <QAbstractButton>
#include <QLabel>
#include <QScreen>
#include <QScrollArea>
#include <QSplitter>
#include <QTest>

#include "store/settings.h"
#include "support/uitesting.h"
#include "ui/shell/displaysizing.h"

using namespace czx;
using namespace czx::uitest;

class MainWindowScreenTest : public QObject, protected MainWindowFixture {
    Q_OBJECT

    void openSized(Settings* settings = nullptr) {
        open(settings);
        QTest::qWait(60);  // the display sizing step
    }

    // Where `w` stands in `ancestor`'s coordinates.
    static QRect rectIn(const QWidget* w, const QWidget* ancestor) {
        return QRect(w->mapTo(ancestor, QPoint(0, 0)), w->size());
    }

    // Nothing clipped, every button in reach: the buttons below the form in
    // the window, the form's widgets inside the scroll area's width (it only
    // scrolls up and down), each text whole.
    void checkUsable() {
        auto* scroll = window->findChild<QScrollArea*>();
        QVERIFY(scroll);
        QWidget* page = scroll->widget();
        QVERIFY(page->width() <= scroll->viewport()->width());
        for (QWidget* w : window->findChildren<QWidget*>()) {
            if (!w->isVisible() || w->isWindow()) continue;
            const QString name =
                w->accessibleName().isEmpty() ? w->objectName() : w->accessibleName();
            if (page->isAncestorOf(w)) {
                const QRect r = rectIn(w, page);
                QVERIFY2(r.left() >= 0 && r.right() < scroll->viewport()->width(),
                         qPrintable(name + " stands outside the form's width"));
            } else if (qobject_cast<QAbstractButton*>(w)) {
                QVERIFY2(window->rect().contains(rectIn(w, window.get())),
                         qPrintable(name + " stands outside the window"));
            }
            if (auto* b = qobject_cast<QAbstractButton*>(w)) {
                const QString caption = QString(b->text()).remove('&');
                QVERIFY2(b->fontMetrics().horizontalAdvance(caption) <= b->width(),
                         qPrintable("the caption of " + name + " is cut"));
            }
            if (auto* l = qobject_cast<QLabel*>(w); l && !l->text().isEmpty())
                QVERIFY2(l->wordWrap() ? l->height() >= l->heightForWidth(l->width())
                                       : l->width() >= l->sizeHint().width(),
                         qPrintable("label " + l->text() + " is cut"));
        }
        // Dates and amounts show whole.
        for (const char* name :
             {"Year End", "Year End Of Year Asset Was Originally Placed In Service",
              "* Actual Date In Service", "Date Sold/Disposed", "Asset Cost - Tax",
              "Asset Cost - Book", "Prior Dprn - Tax", "Business Use % - Tax", "Record Number",
              "Dprn Method - Tax", "Dprn Method - Book"}) {
            QLineEdit* e = field(name);
            QVERIFY2(e->fontMetrics().horizontalAdvance(e->text()) + 8 <= e->width(), name);
        }
    }

  private Q_SLOTS:
    void initTestCase() { isolateUserFolders(); }
    void init() {
        setUp();
        // The widest values a field shows.
        shapeFirstAsset(
            "[Asset Cost - Tax] = 123456789.12, [Asset Cost - Book] = 123456789.12, "
            "[Prior Accumulated Dprn - Tax] = -12345678.9, [Date Disposed] = '2012-12-31'");
    }
    void cleanup() { tearDown(); }

    // The window at the size the display sizing gives on a 1366 x 768
    // screen (9000 x 8730 twips), and at the manual heights the settings call
    // typical, 7000 to 10000 twips, through the display sizing step. A
    // height beyond the screen is cut to the screen.
    void fitsTheLaptopAndTheManualHeights_data() {
        QTest::addColumn<QString>("height");
        for (const char* height : {"", "7000", "8000", "10000"})
            QTest::newRow(*height ? height : "automatic, 600 x 582") << height;
    }

    void fitsTheLaptopAndTheManualHeights() {
        QFETCH(QString, height);
        QTemporaryDir folder;
        Settings settings((folder.path() + "/CZXDprn.conf").toStdString());
        settings.set(setting::kUpdateScreenHeight, height.toStdString());
        openSized(&settings);
        if (height.isEmpty()) {
            window->resize(600, 582);
            QTest::qWait(30);
            QCOMPARE(window->size(), QSize(600, 582));
        } else {
            const ui::ScreenMetrics screen = ui::metricsOf(window.get());
            const int wanted = int(std::lround(ui::twipsToPixelsY(height.toDouble(), screen)));
            const QRect area = window->screen()->availableGeometry();
            QTRY_COMPARE(window->height(), std::min(wanted, area.height()));
            QVERIFY(area.contains(window->geometry()));
        }
        checkUsable();
        QCOMPARE(field("Asset Cost - Tax")->text(), QString("123,456,789.12"));
    }

    // The window opens where it was closed, with the line between the list
    // and the form where it was.
    void remembersItsSizeAndPlace() {
        QTemporaryDir folder;
        Settings settings((folder.path() + "/CZXDprn.conf").toStdString());
        openSized(&settings);
        window->setGeometry(40, 50, 720, 560);
        QTest::qWait(30);
        auto* splitter = window->findChild<QSplitter*>("listSplitter");
        splitter->setSizes({120, 300});
        const QList<int> sizes = splitter->sizes();
        const QRect placed = window->geometry();
        QVERIFY(window->close());
        openSized(&settings);
        QTRY_COMPARE(window->geometry(), placed);
        QCOMPARE(window->findChild<QSplitter*>("listSplitter")->sizes(), sizes);
    }
};

QTEST_MAIN(MainWindowScreenTest)
#include "mainwindow_screen_test.moc"
