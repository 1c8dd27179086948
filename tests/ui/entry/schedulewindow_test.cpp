// The asset schedule window opened from Reports, as a user reads it: the
// table's cells and the chart's bars, following the asset screen from asset
// to asset, and the sentence shown when there is no schedule. (The years'
// figures are the projection's tests' business; here one known asset proves
// the window shows them in the right columns.)
#include "ui/entry/schedulewindow.h"

#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QChartView>
#include <QTableWidget>
#include <QTest>

#include "support/uitesting.h"

using namespace czx;
using namespace czx::uitest;

class ScheduleWindowTest : public QObject, protected MainWindowFixture {
    Q_OBJECT

    // Reports > Asset Schedule by its shortcut, from the asset screen.
    ui::ScheduleWindow* openSchedule() {
        QTest::keyClick(window.get(), Qt::Key_H, Qt::ControlModifier);
        auto* schedule = window->findChild<ui::ScheduleWindow*>();
        if (schedule && !QTest::qWaitForWindowActive(schedule)) return nullptr;
        return schedule;
    }
    static QTableWidget* table(QWidget* schedule) {
        return byName<QTableWidget>(schedule, "Schedule");
    }
    static QStringList column(QWidget* schedule, int c) {
        QStringList cells;
        QTableWidget* t = table(schedule);
        for (int r = 0; r < t->rowCount(); ++r) cells << t->item(r, c)->text();
        return cells;
    }

  private Q_SLOTS:
    void initTestCase() { isolateUserFolders(); }
    void init() { setUp(); }
    void cleanup() { tearDown(); }

    // A $10,000 5-year MACRS asset, half-year, placed in service in the
    // company's year 2012, no Section 179 or bonus, all business use. The
    // 5-year half-year rates 20, 32, 19.2, 11.52, 11.52, 5.76 % give
    //   2,000.00  3,200.00  1,920.00  1,152.00  1,152.00  576.00
    // accumulating to 2,000; 5,200; 7,120; 8,272; 9,424; 10,000.00 and
    // leaving 8,000; 4,800; 2,880; 1,728; 576; 0.00. Book keeps nothing.
    // A save shows the asset as saved; a move to the next asset (the main
    // plant, placed in 1978) shows its schedule from its first year; Escape
    // closes the window.
    void showsTheYearsAndFollowsTheAssetOnScreen() {
        shapeFirstAsset(
            "[Asset Description] = 'Lathe', [Date Placed in Service] = '2012-03-01', "
            "YRPIS = '2012-12-31', [Dprn Method - Tax] = 'MACRS', [Dprn Life - Tax] = '5', "
            "MidQrtAsset = '', [Asset Cost - Tax] = 10000, [Business Use Percentage - Tax] = 1, "
            "SecOneSevenNine = 0, [FirstYR30%Deduction] = 0, [Salvage Value - Tax] = 0, "
            "[ITC Basis Adjustment] = 0, [Prior Accumulated Dprn - Tax] = 0, "
            "[Dprn Method - Book] = 'Non-Depreciable', [Asset Cost - Book] = 0");
        open();
        ui::ScheduleWindow* schedule = openSchedule();
        QVERIFY(schedule && schedule->isVisible());
        QCOMPARE(schedule->windowTitle(), QString("Asset Schedule"));
        QVERIFY(byName<QLabel>(schedule, "Lathe, placed in service 03/01/2012"));
        QVERIFY(schedule->sentence().isEmpty());
        QCOMPARE(column(schedule, 0), QStringList({"12/31/2012", "12/31/2013", "12/31/2014",
                                                   "12/31/2015", "12/31/2016", "12/31/2017"}));
        QCOMPARE(column(schedule, 1), QStringList({"2,000.00", "3,200.00", "1,920.00", "1,152.00",
                                                   "1,152.00", "576.00"}));
        QCOMPARE(column(schedule, 2), QStringList({"2,000.00", "5,200.00", "7,120.00", "8,272.00",
                                                   "9,424.00", "10,000.00"}));
        QCOMPARE(column(schedule, 3),
                 QStringList({"8,000.00", "4,800.00", "2,880.00", "1,728.00", "576.00", "0.00"}));
        QCOMPARE(column(schedule, 4), QStringList(6, "0.00"));
        QTableWidget* t = table(schedule);
        QCOMPARE(t->horizontalHeaderItem(4)->data(Qt::AccessibleTextRole).toString(),
                 QString("Book Depreciation"));
        QCOMPARE(schedule->focusWidget(), t);

        // The chart: a Tax and a Book bar per year end.
        auto* chart = byName<QChartView>(schedule, "Depreciation by year end");
        QVERIFY(chart);
        auto* series = qobject_cast<QBarSeries*>(chart->chart()->series().value(0));
        QVERIFY(series);
        QCOMPARE(series->barSets().size(), 2);
        QCOMPARE(series->barSets()[0]->label(), QString("Tax"));
        QCOMPARE(series->barSets()[0]->count(), 6);
        QCOMPARE(series->barSets()[0]->at(1), 3200.0);
        QCOMPARE(series->barSets()[1]->label(), QString("Book"));

        // Saved at 20,000: 20 % of it in the first year.
        activate();
        click("&Edit Asset");
        typeInto(field("Asset Cost - Tax"), "20000");
        click("&Save Asset");
        QCOMPARE(column(schedule, 1).value(0), QString("4,000.00"));

        moveTo(2);
        QVERIFY(schedule->sentence().isEmpty());
        QCOMPARE(column(schedule, 0).value(0), QString("12/31/1978"));
        QCOMPARE(schedule->years().front().yearEnd.year(), std::chrono::year(1978));

        QPointer<ui::ScheduleWindow> guard(schedule);
        QTest::keyClick(schedule->focusWidget(), Qt::Key_Escape);
        QTRY_VERIFY(!guard);
    }

    // Each asset without a schedule says why, and the table is gone.
    void anAssetWithoutAScheduleSaysWhy() {
        copy->execute("UPDATE assets SET [Date Placed in Service] = NULL WHERE AssetID = 2");
        open();
        ui::ScheduleWindow* schedule = openSchedule();
        QVERIFY(schedule);
        // The shipped land.
        QCOMPARE(schedule->sentence(), QString("No schedule: the asset is non-depreciable."));
        QVERIFY(!table(schedule)->isVisible());
        activate();
        moveTo(2);
        QCOMPARE(schedule->sentence(),
                 QString("No schedule: the asset has no date placed in service."));
        click("&Add Asset");
        QCOMPARE(schedule->sentence(),
                 QString("No schedule: the new asset has not been saved yet."));
        QVERIFY(schedule->years().empty());
        click("&Cancel");
        QCOMPARE(schedule->sentence(),
                 QString("No schedule: the asset has no date placed in service."));
    }
};

QTEST_MAIN(ScheduleWindowTest)
#include "schedulewindow_test.moc"
