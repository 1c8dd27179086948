// The company information window: the company row shown, edited through
// Edit Company and Save Company, discarded by Cancel, and the main window's
// refresh after the window closes.
#include "ui/company/companyinfowindow.h"

#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <memory>

#include "support/uitesting.h"
#include "ui/entry/mainwindow.h"

using namespace czx;
using namespace czx::uitest;
using czx::ui::CompanyInfoWindow;

class CompanyInfoWindowTest : public QObject {
    Q_OBJECT

    std::unique_ptr<CompanyCopy> copy;
    std::unique_ptr<QWidget> owner;
    std::unique_ptr<CompanyInfoWindow> window;
    std::unique_ptr<ReportCatcher> errors;

    void open() {
        window = std::make_unique<CompanyInfoWindow>(copy->path(), owner.get());
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    }
    QLineEdit* field(const QString& name) { return byName<QLineEdit>(window.get(), name); }
    QCheckBox* check(const QString& name) { return byName<QCheckBox>(window.get(), name); }
    void click(const QString& name) {
        auto* b = byName<QAbstractButton>(window.get(), name);
        QVERIFY2(b && b->isVisible() && b->isEnabled(), qPrintable(name));
        QTest::mouseClick(b, Qt::LeftButton);
    }
    // A click on the box itself (the widget may be wider than its caption).
    static void tick(QCheckBox* box) {
        QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(8, box->height() / 2));
    }
    std::string stored(const char* column) {
        return copy->text(std::string("SELECT [") + column + "] FROM Defaults");
    }

  private Q_SLOTS:
    void initTestCase() { isolateUserFolders(); }
    void init() {
        copy = std::make_unique<CompanyCopy>();
        owner = std::make_unique<QWidget>();
        errors = std::make_unique<ReportCatcher>();
    }
    void cleanup() {
        window.reset();
        owner.reset();
        errors.reset();
        copy.reset();
    }

    void showsTheCompanyReadOnlyUntilEdit() {
        open();
        QCOMPARE(window->windowTitle(), QString("Add or Update Company Information"));
        QCOMPARE(field("Name")->text(), QString("Riverside Machine Works, Inc."));
        QCOMPARE(field("Current Year End")->text(), QString("12/31/2012"));
        QVERIFY(check("Regular federal")->isChecked());
        QVERIFY(check("Book")->isChecked());
        QCOMPARE(window->findChild<QLabel*>("lblStatus")->text(), QString("1"));
        QVERIFY(field("Name")->isReadOnly());
        QVERIFY(!check("Book")->isEnabled());
        QVERIFY(!byName<QAbstractButton>(window.get(), "&Save Company")->isVisible());
        click("&Edit Company");
        QVERIFY(!field("Name")->isReadOnly());
        QVERIFY(check("Book")->isEnabled());
        QVERIFY(!byName<QAbstractButton>(window.get(), "&Close")->isVisible());
    }

    void saveCompanyStoresWhatWasTyped() {
        open();
        click("&Edit Company");
        typeInto(field("Name"), "O'Brien Tool & Die");
        typeInto(field("Current Year End"), "06/30/2013");
        tick(check("Book"));
        click("&Save Company");
        QVERIFY2(errors->reports.empty(),
                 errors->reports.empty() ? "" : errors->reports[0].c_str());
        QCOMPARE(stored("Name"), std::string("O'Brien Tool & Die"));
        QCOMPARE(stored("YearEnd"), std::string("2013-06-30"));
        QCOMPARE(stored("Book"), std::string("0"));
        QCOMPARE(stored("Regular federal"), std::string("1"));
        QCOMPARE(field("Current Year End")->text(), QString("06/30/2013"));
        QVERIFY(field("Name")->isReadOnly());
    }

    // The year end and the column sets decide every asset's amounts: saving a
    // change of any of them flags every asset for the next run; other saves
    // leave the flags alone.
    void savedChangesFlagTheAssets_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("yearEnd");
        QTest::addColumn<bool>("tickTax");
        QTest::addColumn<bool>("tickBook");
        QTest::addColumn<bool>("flagged");
        const QString name = "Riverside Machine Works, Inc.";
        QTest::newRow("year end") << name << "12/31/2013" << false << false << true;
        QTest::newRow("year end, same year") << name << "06/30/2012" << false << false << true;
        QTest::newRow("regular federal off") << name << "12/31/2012" << true << false << true;
        QTest::newRow("book off") << name << "12/31/2012" << false << true << true;
        QTest::newRow("both off and on again") << name << "12/31/2012" << false << false << false;
        QTest::newRow("name only")
            << QString("Riverside Machine Works") << "12/31/2012" << false << false << false;
        QTest::newRow("year end retyped") << name << "12/31/2012" << false << false << false;
    }

    void savedChangesFlagTheAssets() {
        QFETCH(QString, name);
        QFETCH(QString, yearEnd);
        QFETCH(bool, tickTax);
        QFETCH(bool, tickBook);
        QFETCH(bool, flagged);
        copy->execute("UPDATE assets SET assetchng = 0");
        const double assets = copy->number("SELECT count(*) FROM assets");
        open();
        click("&Edit Company");
        typeInto(field("Name"), name);
        typeInto(field("Current Year End"), yearEnd);
        if (tickTax) tick(check("Regular federal"));
        if (tickBook) tick(check("Book"));
        if (QTest::currentDataTag() == QByteArray("both off and on again")) {
            tick(check("Book"));
            tick(check("Book"));
        }
        click("&Save Company");
        QVERIFY2(errors->reports.empty(),
                 errors->reports.empty() ? "" : errors->reports[0].c_str());
        QCOMPARE(stored("Name"), name.toStdString());
        QCOMPARE(copy->number("SELECT count(*) FROM assets WHERE assetchng <> 0"),
                 flagged ? assets : 0.0);
    }

    // A year end that is no date is a typo: a plain message, the focus back
    // in the field, nothing stored and no error report.
    void aYearEndThatIsNoDateIsAPlainMessage_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("message");
        QTest::newRow("no such day")
            << "02/30/2013"
            << "Current Year End takes a date as mm/dd/yyyy, such as 06/15/2012. \"02/30/2013\" "
               "is not a date.";
        QTest::newRow("blank")
            << ""
            << "Current Year End takes a date as mm/dd/yyyy, such as 06/15/2012. It is blank.";
    }

    void aYearEndThatIsNoDateIsAPlainMessage() {
        QFETCH(QString, typed);
        QFETCH(QString, message);
        open();
        click("&Edit Company");
        typeInto(field("Current Year End"), typed);
        if (typed.isEmpty()) field("Current Year End")->clear();
        MessageCatcher messages;
        click("&Save Company");
        QCOMPARE(messages.texts, QStringList{message});
        QVERIFY(errors->reports.empty());
        QCOMPARE(window->focusWidget(), static_cast<QWidget*>(field("Current Year End")));
        QCOMPARE(stored("YearEnd"), std::string("2012-12-31"));
        QVERIFY(byName<QAbstractButton>(window.get(), "&Save Company")->isVisible());
        click("&Cancel");
        QCOMPARE(field("Current Year End")->text(), QString("12/31/2012"));
    }

    // The company row and the flags are stored together or not at all: when
    // the assets cannot be flagged, the new year end is not stored either.
    void aYearEndIsNotStoredWithoutTheFlags() {
        copy->execute(
            "UPDATE assets SET assetchng = 0;"
            "CREATE TRIGGER keep_flags BEFORE UPDATE OF assetchng ON assets "
            "BEGIN SELECT RAISE(ABORT, 'the assets cannot be changed'); END;");
        open();
        click("&Edit Company");
        typeInto(field("Current Year End"), "12/31/2013");
        click("&Save Company");
        QCOMPARE(errors->reports.size(), size_t(1));
        QVERIFY(errors->reports[0].find("UpdateCoInfo.cmdUpdate_Click") != std::string::npos);
        QCOMPARE(stored("YearEnd"), std::string("2012-12-31"));
        QCOMPARE(copy->number("SELECT count(*) FROM assets WHERE assetchng <> 0"), 0.0);
        // Still editing: the change can be saved again or cancelled.
        QVERIFY(byName<QAbstractButton>(window.get(), "&Save Company")->isVisible());
    }

    void cancelDiscardsTheEdits() {
        open();
        click("&Edit Company");
        typeInto(field("Name"), "Somebody Else");
        tick(check("Regular federal"));
        click("&Cancel");
        QCOMPARE(field("Name")->text(), QString("Riverside Machine Works, Inc."));
        QVERIFY(check("Regular federal")->isChecked());
        QCOMPARE(stored("Name"), std::string("Riverside Machine Works, Inc."));
        QCOMPARE(stored("Regular federal"), std::string("1"));
    }

    // Through the main window: the menu opens the window and disables the
    // main window; clearing "Book" and closing hides the book columns once
    // the refresh step has run.
    void clearingBookDisablesTheBookColumnsAfterTheRefresh() {
        ui::MainWindow main(copy->path());
        main.setStepDelays({.maintenance = 500});
        main.show();
        QVERIFY(QTest::qWaitForWindowExposed(&main));
        auto* bookCost = byName<QLineEdit>(&main, "Asset Cost - Book");
        QVERIFY(bookCost->isEnabled());
        QAction* item = nullptr;
        for (QAction* a : main.findChildren<QAction*>())
            if (a->text() == "&Update Company Information") item = a;
        QVERIFY(item);
        item->trigger();
        CompanyInfoWindow* info = nullptr;
        for (QWidget* w : QApplication::topLevelWidgets())
            if (auto* c = qobject_cast<CompanyInfoWindow*>(w); c && c->isVisible()) info = c;
        QVERIFY(info);
        QVERIFY(!main.isEnabled());
        auto* edit = byName<QAbstractButton>(info, "&Edit Company");
        QTest::mouseClick(edit, Qt::LeftButton);
        tick(byName<QCheckBox>(info, "Book"));
        QTest::mouseClick(byName<QAbstractButton>(info, "&Save Company"), Qt::LeftButton);
        QTest::mouseClick(byName<QAbstractButton>(info, "&Close"), Qt::LeftButton);
        QVERIFY(main.findChild<QLabel*>("Label19")->isVisible());
        QTRY_VERIFY(!main.findChild<QLabel*>("Label19")->isVisible());
        QVERIFY(main.isEnabled());
        QVERIFY(!bookCost->isEnabled());
        QVERIFY(byName<QLineEdit>(&main, "Asset Cost - Tax")->isEnabled());
        QVERIFY(errors->reports.empty());
    }
};

QTEST_MAIN(CompanyInfoWindowTest)
#include "companyinfowindow_test.moc"
