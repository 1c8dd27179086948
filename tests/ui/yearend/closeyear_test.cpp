// "Close YR" through the main window's menu and its confirmation box: No
// leaves the company alone; Yes rolls every asset's current amounts into the
// accumulated ones, clears the overrides, moves the year end on and shows it.
#include <QAction>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <memory>

#include "support/uitesting.h"
#include "ui/entry/mainwindow.h"

using namespace czx;
using namespace czx::uitest;

namespace {

// Answers the next Yes/No box with `yes`, noting what it showed.
struct YesNoAnswer {
    explicit YesNoAnswer(bool yes) {
        QObject::connect(&timer, &QTimer::timeout, [this, yes] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!box || seen) return;
            seen = true;
            title = box->windowTitle();
            text = box->text();
            warning = box->icon() == QMessageBox::Warning;
            noIsDefault = box->defaultButton() == box->button(QMessageBox::No);
            box->button(yes ? QMessageBox::Yes : QMessageBox::No)->click();
        });
        timer.start(20);
    }
    QTimer timer;
    bool seen = false, warning = false, noIsDefault = false;
    QString title, text;
};

const char* kQuestion =
    "Are you sure you want to close the year? Closing the year will zero out current year "
    "depreciation and add it to accumulated depreciation. Consider making a copy of the company "
    "before closing.";

}  // namespace

class CloseYearTest : public QObject {
    Q_OBJECT

    std::unique_ptr<CompanyCopy> copy;
    std::unique_ptr<ui::MainWindow> window;
    std::unique_ptr<ReportCatcher> errors;

    void open() {
        window = std::make_unique<ui::MainWindow>(copy->path());
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    }
    void closeYear(YesNoAnswer& answer) {
        QAction* item = nullptr;
        for (QAction* a : window->findChildren<QAction*>())
            if (a->text() == "Close YR") item = a;
        QVERIFY(item);
        item->trigger();
        QVERIFY(answer.seen);
        QCOMPARE(answer.title, QString("Confirm Closing Of Year"));
        QCOMPARE(answer.text, QString(kQuestion));
        QVERIFY(answer.warning);
        QVERIFY(answer.noIsDefault);
    }
    QString shown(const char* name) { return byName<QLineEdit>(window.get(), name)->text(); }

  private Q_SLOTS:
    void initTestCase() { isolateUserFolders(); }
    void init() {
        copy = std::make_unique<CompanyCopy>();
        errors = std::make_unique<ReportCatcher>();
        // The first asset: prior 1,000.00 and current 250.125 (the half cent
        // goes to the even cent: 1,250.12); book prior 0 and current 99.99;
        // non-business 10.005 + 5 = 15.00 (half to even); tax overridden.
        copy->execute(
            "UPDATE assets SET [Prior Accumulated Dprn - Tax] = 1000, [Current Dprn - Tax] = "
            "250.125, [Prior Accumulated Dprn - Book] = 0, [Current Dprn - Book] = 99.99, "
            "[Prior Non Bus Accm Dprn] = 10.005, [Non Bus Dprn] = 5, [Tax Dprn Override] = 1, "
            "assetchng = 0 WHERE AssetID = 1");
    }
    void cleanup() {
        window.reset();
        QVERIFY2(errors->reports.empty(),
                 errors->reports.empty() ? "" : errors->reports.front().c_str());
        errors.reset();
        copy.reset();
    }

    void noLeavesEverything() {
        double before = copy->number("SELECT SUM([Prior Accumulated Dprn - Tax]) FROM assets");
        double marked = copy->number("SELECT COUNT(*) FROM assets WHERE assetchng <> 0");
        open();
        YesNoAnswer no(false);
        closeYear(no);
        QCOMPARE(copy->text("SELECT YearEnd FROM Defaults"), std::string("2012-12-31"));
        QCOMPARE(copy->number("SELECT SUM([Prior Accumulated Dprn - Tax]) FROM assets"), before);
        QCOMPARE(copy->number("SELECT [Current Dprn - Tax] FROM assets WHERE AssetID = 1"),
                 250.125);
        QCOMPARE(copy->number("SELECT COUNT(*) FROM assets WHERE assetchng <> 0"), marked);
        QCOMPARE(copy->number("SELECT [Tax Dprn Override] FROM assets WHERE AssetID = 1"), 1.0);
        QCOMPARE(shown("Year End"), QString("12/31/2012"));
    }

    void yesClosesTheYearAndShowsTheNewYearEnd() {
        open();
        YesNoAnswer yes(true);
        closeYear(yes);
        QCOMPARE(copy->text("SELECT YearEnd FROM Defaults"), std::string("2013-12-31"));
        QCOMPARE(shown("Year End"), QString("12/31/2013"));
        const std::string row = " FROM assets WHERE AssetID = 1";
        QCOMPARE(copy->number("SELECT [Prior Accumulated Dprn - Tax]" + row), 1250.12);
        QCOMPARE(copy->number("SELECT [Current Dprn - Tax]" + row), 0.0);
        QCOMPARE(copy->number("SELECT [Prior Accumulated Dprn - Book]" + row), 99.99);
        QCOMPARE(copy->number("SELECT [Current Dprn - Book]" + row), 0.0);
        QCOMPARE(copy->number("SELECT [Prior Non Bus Accm Dprn]" + row), 15.0);
        QCOMPARE(copy->number("SELECT [Tax Dprn Override]" + row), 0.0);
        // Every asset is marked for the next run, none keeps a current amount.
        QCOMPARE(copy->number("SELECT COUNT(*) FROM assets WHERE assetchng = 0"), 0.0);
        QCOMPARE(copy->number("SELECT COUNT(*) FROM assets WHERE [Current Dprn - Tax] <> 0 OR "
                              "[Current Dprn - Book] <> 0"),
                 0.0);
        // The screen shows the first asset again, with the rolled amounts.
        QCOMPARE(shown("Prior Dprn - Tax"), QString("1,250.12"));
        QCOMPARE(shown("Current Dprn - Tax"), QString("0.00"));
    }

    void aLeapDayYearEndBecomesTheTwentyEighth() {
        copy->execute("UPDATE Defaults SET YearEnd = '2012-02-29'");
        open();
        YesNoAnswer yes(true);
        closeYear(yes);
        QCOMPARE(copy->text("SELECT YearEnd FROM Defaults"), std::string("2013-02-28"));
        QCOMPARE(shown("Year End"), QString("2/28/2013"));
    }
};

QTEST_MAIN(CloseYearTest)
#include "closeyear_test.moc"
