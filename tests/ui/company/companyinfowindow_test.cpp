// The company information window: the company row shown, edited through
// Edit Company and Save Company, discarded by Cancel, every asset flagged
// when a change decides their amounts, and the main window's refresh after
// the window closes.
#include "ui/company/companyinfowindow.h"

#include <QTest>

#include "support/uitesting.h"

using namespace czx;
using namespace czx::uitest;
using czx::ui::CompanyInfoWindow;

class CompanyInfoWindowTest : public QObject, protected MainWindowFixture {
    Q_OBJECT

    std::unique_ptr<CompanyInfoWindow> info;

    void openInfo() {
        info = std::make_unique<CompanyInfoWindow>(copy->path(), owner.get());
        info->show();
        QVERIFY(QTest::qWaitForWindowExposed(info.get()));
    }
    QLineEdit* infoField(const QString& name) { return byName<QLineEdit>(info.get(), name); }
    QCheckBox* check(const QString& name) { return byName<QCheckBox>(info.get(), name); }
    std::string stored(const char* column) {
        return copy->text(std::string("SELECT [") + column + "] FROM Defaults");
    }

  private Q_SLOTS:
    void initTestCase() { isolateUserFolders(); }
    void init() { setUp(); }
    void cleanup() {
        info.reset();
        tearDown();
    }

    // Read-only until Edit Company; Save Company stores what was typed,
    // Cancel drops it.
    void editSaveAndCancel() {
        openInfo();
        QCOMPARE(info->windowTitle(), QString("Add or Update Company Information"));
        QCOMPARE(infoField("Name")->text(), QString("Riverside Machine Works, Inc."));
        QCOMPARE(infoField("Current Year End")->text(), QString("12/31/2012"));
        QVERIFY(check("Regular federal")->isChecked());
        QVERIFY(check("Book")->isChecked());
        QCOMPARE(info->findChild<QLabel*>("lblStatus")->text(), QString("1"));
        QVERIFY(infoField("Name")->isReadOnly());
        QVERIFY(!check("Book")->isEnabled());
        QVERIFY(!byName<QAbstractButton>(info.get(), "&Save Company")->isVisible());
        press(info.get(), "&Edit Company");
        QVERIFY(!byName<QAbstractButton>(info.get(), "&Close")->isVisible());
        typeInto(infoField("Name"), "O'Brien Tool & Die");
        typeInto(infoField("Current Year End"), "06/30/2013");
        tick(check("Book"));
        press(info.get(), "&Save Company");
        QCOMPARE(stored("Name") + "|" + stored("YearEnd") + "|" + stored("Book") + "|" +
                     stored("Regular federal"),
                 std::string("O'Brien Tool & Die|2013-06-30|0|1"));
        QCOMPARE(infoField("Current Year End")->text(), QString("06/30/2013"));
        QVERIFY(infoField("Name")->isReadOnly());

        press(info.get(), "&Edit Company");
        typeInto(infoField("Name"), "Somebody Else");
        tick(check("Regular federal"));
        press(info.get(), "&Cancel");
        QCOMPARE(infoField("Name")->text(), QString("O'Brien Tool & Die"));
        QVERIFY(check("Regular federal")->isChecked());
        QCOMPARE(stored("Name") + "|" + stored("Regular federal"),
                 std::string("O'Brien Tool & Die|1"));
    }

    // The year end and the column sets decide every asset's amounts: saving a
    // change of any of them flags every asset for the next run; other saves
    // leave the flags alone.
    void savedChangesFlagTheAssets_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("yearEnd");
        QTest::addColumn<QStringList>("ticked");
        QTest::addColumn<bool>("flagged");
        const QString same = "Riverside Machine Works, Inc.";
        auto row = [](const char* tag, const QString& name, const char* yearEnd,
                      const QStringList& ticked, bool flagged) {
            QTest::newRow(tag) << name << QString(yearEnd) << ticked << flagged;
        };
        row("year end", same, "12/31/2013", {}, true);
        row("year end, same year", same, "06/30/2012", {}, true);
        row("regular federal off", same, "12/31/2012", {"Regular federal"}, true);
        row("book off", same, "12/31/2012", {"Book"}, true);
        row("book off and on again", same, "12/31/2012", {"Book", "Book"}, false);
        row("name only", "Riverside Machine Works", "12/31/2012", {}, false);
        row("year end retyped", same, "12/31/2012", {}, false);
    }

    void savedChangesFlagTheAssets() {
        QFETCH(QString, name);
        QFETCH(QString, yearEnd);
        QFETCH(QStringList, ticked);
        QFETCH(bool, flagged);
        copy->execute("UPDATE assets SET assetchng = 0");
        openInfo();
        press(info.get(), "&Edit Company");
        typeInto(infoField("Name"), name);
        typeInto(infoField("Current Year End"), yearEnd);
        for (const QString& box : ticked) tick(check(box));
        press(info.get(), "&Save Company");
        QCOMPARE(stored("Name"), name.toStdString());
        QCOMPARE(this->flagged(), flagged ? assets() : 0.0);
    }

    // A year end that is no date is a typo: a plain message, the focus back
    // in the field, nothing stored and no error report.
    void aYearEndThatIsNoDateIsAPlainMessage() {
        const QString takes =
            "Current Year End takes a date as mm/dd/yyyy, such as 06/15/2012. ";
        openInfo();
        for (const char* typed : {"02/30/2013", ""}) {
            press(info.get(), "&Edit Company");
            typeInto(infoField("Current Year End"), typed);
            if (*typed == '\0') infoField("Current Year End")->clear();
            MessageCatcher messages;
            press(info.get(), "&Save Company");
            QCOMPARE(messages.texts, QStringList{takes + (*typed ? QString("\"%1\" is not a date.")
                                                                        .arg(typed)
                                                                  : QString("It is blank."))});
            QCOMPARE(info->focusWidget(), static_cast<QWidget*>(infoField("Current Year End")));
            QCOMPARE(stored("YearEnd"), std::string("2012-12-31"));
            press(info.get(), "&Cancel");
            QCOMPARE(infoField("Current Year End")->text(), QString("12/31/2012"));
        }
    }

    // The company row and the flags are stored together or not at all: when
    // the assets cannot be flagged, the new year end is not stored either.
    void aYearEndIsNotStoredWithoutTheFlags() {
        copy->execute(
            "UPDATE assets SET assetchng = 0;"
            "CREATE TRIGGER keep_flags BEFORE UPDATE OF assetchng ON assets "
            "BEGIN SELECT RAISE(ABORT, 'the assets cannot be changed'); END;");
        openInfo();
        press(info.get(), "&Edit Company");
        typeInto(infoField("Current Year End"), "12/31/2013");
        press(info.get(), "&Save Company");
        QCOMPARE(errors->reports.size(), size_t(1));
        QVERIFY(errors->reports[0].find("UpdateCoInfo.cmdUpdate_Click") != std::string::npos);
        errors->reports.clear();
        QCOMPARE(stored("YearEnd"), std::string("2012-12-31"));
        QCOMPARE(flagged(), 0.0);
        // Still editing: the change can be saved again or cancelled.
        QVERIFY(byName<QAbstractButton>(info.get(), "&Save Company")->isVisible());
    }

    // Through the main window: the menu opens the window and disables the
    // main window; clearing "Book" and closing hides the book columns once
    // the refresh step has run.
    void clearingBookDisablesTheBookColumnsAfterTheRefresh() {
        open();
        window->setStepDelays({.maintenance = 500});
        QVERIFY(field("Asset Cost - Book")->isEnabled());
        menuAction("&Update Company Information")->trigger();
        CompanyInfoWindow* shown = nullptr;
        for (QWidget* w : QApplication::topLevelWidgets())
            if (auto* c = qobject_cast<CompanyInfoWindow*>(w); c && c->isVisible()) shown = c;
        QVERIFY(shown);
        QVERIFY(!window->isEnabled());
        press(shown, "&Edit Company");
        tick(byName<QCheckBox>(shown, "Book"));
        press(shown, "&Save Company");
        press(shown, "&Close");
        QVERIFY(label("Label19")->isVisible());
        QTRY_VERIFY(!label("Label19")->isVisible());
        QVERIFY(window->isEnabled());
        QVERIFY(!field("Asset Cost - Book")->isEnabled());
        QVERIFY(field("Asset Cost - Tax")->isEnabled());
    }
};

QTEST_MAIN(CompanyInfoWindowTest)
#include "companyinfowindow_test.moc"
