// The method, life and group pickers, the bonus calculator and the flag
// buttons, driven through the asset screen's buttons.
#include <QApplication>
#include <QCheckBox>
#include <QDialog>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <QToolButton>
#include <memory>

#include "support/uitesting.h"
#include "ui/entry/mainwindow.h"

using namespace czx;
using namespace czx::uitest;
using czx::ui::MainWindow;

class PickersTest : public QObject, protected MainWindowFixture {
    Q_OBJECT

    QStringList catalogue(const std::string& sql) {
        Connection c = Connection::open(copy->path() + "czxdmthd.mdb");
        Statement s = c.prepare(sql);
        QStringList entries;
        while (s.step())
            if (!s.isNull(0) && !s.columnText(0).empty())
                entries << QString::fromStdString(s.columnText(0));
        return entries;
    }

  private Q_SLOTS:
    void initTestCase() { isolateUserFolders(); }
    void init() { setUp(); }
    void cleanup() { tearDown(); }

    void automobileRule_data() {
        QTest::addColumn<QString>("use");
        QTest::addColumn<QString>("clicked");
        QTest::addColumn<QString>("stored");
        QTest::newRow("auto at .75 takes MACRS-Auto") << ".75"
                                                      << "MACRS"
                                                      << "MACRS-Auto";
        QTest::newRow("auto at .5 takes MACRS SL-PP") << ".5"
                                                      << "MACRS"
                                                      << "MACRS SL-PP";
        QTest::newRow("auto at .51, ACRS clicked") << ".51"
                                                   << "ACRS"
                                                   << "MACRS-Auto";
        QTest::newRow("auto at .3, MACRS-Auto clicked") << ".3"
                                                        << "MACRS-Auto"
                                                        << "MACRS SL-PP";
    }

    void automobileRule() {
        QFETCH(QString, use);
        QFETCH(QString, clicked);
        QFETCH(QString, stored);
        shapeFirstAsset(
            "[Passenger Automobile] = 1, [Dprn Method - Tax] = 'MACRS', "
            "[Dprn Life - Tax] = '5'");
        open();
        QVERIFY(box("Auto")->isChecked());
        click(button("&Edit Asset"));
        typeInto(field("Business Use % - Tax"), use);
        pick(button("Select Dprn Method - Tax"), clicked);
        QCOMPARE(field("Dprn Method - Tax")->text(), stored);
        // A new method needs a new life.
        QCOMPARE(field("Dprn Life - Tax")->text(), QString());
        QVERIFY(!field("Dprn Method - Tax")->isEnabled());
        QVERIFY(!field("Dprn Life - Tax")->isEnabled());
    }

    void lifeListFollowsTheMethod_data() {
        QTest::addColumn<QString>("method");
        QTest::addColumn<QString>("query");
        QTest::newRow("MACRS") << "MACRS"
                               << "select MACRSLF from MACRSLFS";
        QTest::newRow("MACRS-150%") << "MACRS-150%"
                                    << "select MACRS150LF from MACRS150LFS";
        QTest::newRow("MACRS SL-RP") << "MACRS SL-RP"
                                     << "select [SL-Real Prop] from TRPSLLFS";
        QTest::newRow("ACRS") << "ACRS"
                              << "select ACRSLF from ACRSLFS";
        QTest::newRow("SL-Old") << "SL-Old"
                                << "select [SL - Book] from SLLFS";
        QTest::newRow("DDB150%-Old") << "DDB150%-Old"
                                     << "select DDB from DDBLFS";
    }

    void lifeListFollowsTheMethod() {
        QFETCH(QString, method);
        QFETCH(QString, query);
        open();
        pick(button("Select Dprn Method - Tax"), method);
        QCOMPARE(field("Dprn Method - Tax")->text(), method);
        QCOMPARE(field("Dprn Life - Tax")->text(), QString());
        const QStringList expected = catalogue(query.toStdString());
        QVERIFY(!expected.isEmpty());
        const QStringList listed = pick(button("Select Dprn Life - Tax"), expected.last());
        QCOMPARE(listed, expected);
        QCOMPARE(field("Dprn Life - Tax")->text(), expected.last());
        QVERIFY(!field("Dprn Life - Tax")->isEnabled());
    }

    void bookLists() {
        shapeFirstAsset("[Dprn Method - Book] = 'SL - Book'");
        open();
        // The book methods share their table with the longer tax list; the
        // empty tail is no choice.
        const QStringList methods = pick(button("Select Dprn Method - Book"), "");
        QCOMPARE(methods, catalogue("select [Method-Book] from Methods"));
        QVERIFY(!methods.contains(QString()));
        QCOMPARE(field("Dprn Method - Book")->text(), QString("SL - Book"));
        const QStringList lives = pick(button("Select Dprn Life - Book"), "12");
        QCOMPARE(lives, catalogue("select [SL - Book] from SLLFS"));
        QCOMPARE(field("Dprn Life - Book")->text(), QString("12"));
        pick(button("Select Dprn Method - Book"), "DDB200%");
        QCOMPARE(field("Dprn Life - Book")->text(), QString());
        QCOMPARE(pick(button("Select Dprn Life - Book"), "8"), catalogue("select DDB from DDBLFS"));
    }

    void lifeListIsKeptWhenTheMethodNamesNone() {
        shapeFirstAsset("[Dprn Method - Tax] = 'MACRS', [Dprn Method - Book] = 'Something else'");
        open();
        pick(button("Select Dprn Life - Tax"), "");
        // The book method names no list: the request keeps MACRS's lives.
        QCOMPARE(pick(button("Select Dprn Life - Book"), ""),
                 catalogue("select MACRSLF from MACRSLFS"));
    }

    void closeLeavesTheFieldAsItWas() {
        open();
        const QString before = field("Dprn Method - Tax")->text();
        pick(button("Select Dprn Method - Tax"), "");
        QCOMPARE(field("Dprn Method - Tax")->text(), before);
        QCOMPARE(field("Dprn Life - Tax")->text(), QString("0"));
        QVERIFY(!field("Dprn Method - Tax")->isEnabled());
    }

    void choosingMacrsAutoTicksTheAutoBox() {
        open();
        QVERIFY(!box("Auto")->isChecked());
        pick(button("Select Dprn Method - Tax"), "MACRS-Auto");
        QVERIFY(box("Auto")->isChecked());
        QVERIFY(!box("Auto")->isEnabled());
        pick(button("Select Dprn Life - Tax"), "5");
        MessageCatcher save(QMessageBox::Save);  // "Save the changes to ...?"
        click(button("Next"));
        QCOMPARE(copy->number("SELECT [Passenger Automobile] FROM assets WHERE AssetID = 1"), 1.0);
        QCOMPARE(copy->text("SELECT [Dprn Method - Tax] FROM assets WHERE AssetID = 1"),
                 std::string("MACRS-Auto"));
    }

    // The pickers from the keyboard: typing moves to the entry that begins
    // with what was typed, Enter chooses the entry, Escape closes with no
    // choice. The list opens on the field's entry.
    void pickersWorkFromTheKeyboard_data() {
        QTest::addColumn<QString>("picker");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("key");
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("current");  // the entry current on opening
        QTest::addColumn<QString>("after");    // the field afterwards
        QTest::newRow("method typed, Enter")
            << "Select Dprn Method - Tax"
            << "MACRS-1" << int(Qt::Key_Return) << "Dprn Method - Tax"
            << "Non-Depreciable"
            << "MACRS-150%";
        QTest::newRow("group typed, Enter") << "Select Group"
                                            << "veh" << int(Qt::Key_Enter) << "Group"
                                            << "Land"
                                            << "Vehicles";
        QTest::newRow("Enter on the field's entry")
            << "Select Dprn Method - Book"
            << "" << int(Qt::Key_Return) << "Dprn Method - Book"
            << "Non-Depreciable"
            << "Non-Depreciable";
        QTest::newRow("group typed, Escape") << "Select Group"
                                             << "veh" << int(Qt::Key_Escape) << "Group"
                                             << "Land"
                                             << "Land";
    }

    void pickersWorkFromTheKeyboard() {
        QFETCH(QString, picker);
        QFETCH(QString, typed);
        QFETCH(int, key);
        QFETCH(QString, field);
        QFETCH(QString, current);
        QFETCH(QString, after);
        open();
        QString opened;
        bool stayedOpen = false;
        QTimer poll;
        connect(&poll, &QTimer::timeout, [&] {
            auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            if (!dialog || !opened.isNull() || dialog->objectName() != "ADOSelcMethLife") return;
            auto* list = dialog->findChild<QListWidget*>("DataList1");
            opened = list->currentItem() ? list->currentItem()->text() : QString("");
            if (!typed.isEmpty()) QTest::keyClicks(list, typed);
            QTest::keyClick(list, Qt::Key(key));
            // A list that ignored the key is closed, and the case fails.
            QTimer::singleShot(200, dialog, [&stayedOpen, dialog] {
                if (!dialog->isVisible()) return;
                stayedOpen = true;
                dialog->reject();
            });
        });
        poll.start(10);
        QTest::mouseClick(button(picker), Qt::LeftButton);
        poll.stop();
        QTest::qWait(400);  // the after-choice steps
        QVERIFY(!stayedOpen);
        QCOMPARE(opened, current);
        QCOMPARE(this->field(field)->text(), after);
    }

    void groupPickerListsTheCompanysGroups() {
        open();
        const QStringList groups = pick(button("Select Group"), "Vehicles");
        QCOMPARE(groups.size(), 9);
        QCOMPARE(groups.first(), QString("Buildings"));
        QCOMPARE(field("Group")->text(), QString("Vehicles"));
    }

    void bonusAmounts_data() {
        QTest::addColumn<QString>("placed");
        QTest::addColumn<QString>("shown");
        // Cost 10,000, business use 1, Section 179 2,000; the field held 123.00.
        QTest::newRow("2011: 100 %") << "03/01/2011"
                                     << "8,000.00";
        QTest::newRow("2012: 50 %") << "06/01/2012"
                                    << "4,000.00";
        QTest::newRow("2002: 30 %") << "06/01/2002"
                                    << "2,400.00";
        QTest::newRow("9/10/2001: none") << "09/10/2001"
                                         << "0.00";
        QTest::newRow("9/11/2001: 30 %") << "09/11/2001"
                                         << "2,400.00";
        QTest::newRow("5/5/2003: 30 %") << "05/05/2003"
                                        << "2,400.00";
        QTest::newRow("5/6/2003: 50 %") << "05/06/2003"
                                        << "4,000.00";
        QTest::newRow("12/31/2004: 50 %") << "12/31/2004"
                                          << "4,000.00";
        QTest::newRow("2006: unchanged") << "06/01/2006"
                                         << "123.00";
        QTest::newRow("1/1/2008: 50 %") << "01/01/2008"
                                        << "4,000.00";
        QTest::newRow("9/8/2010: 50 %") << "09/08/2010"
                                        << "4,000.00";
        QTest::newRow("9/9/2010: 100 %") << "09/09/2010"
                                         << "8,000.00";
        QTest::newRow("12/31/2012: 50 %") << "12/31/2012"
                                          << "4,000.00";
        QTest::newRow("1/1/2013: 50 %") << "01/01/2013"
                                        << "4,000.00";
        QTest::newRow("9/27/2017: 50 %") << "09/27/2017"
                                         << "4,000.00";
        QTest::newRow("9/28/2017: 100 %") << "09/28/2017"
                                          << "8,000.00";
        QTest::newRow("2023: 80 %") << "07/01/2023"
                                    << "6,400.00";
        QTest::newRow("2024: 60 %") << "07/01/2024"
                                    << "4,800.00";
        QTest::newRow("1/19/2025: 40 %") << "01/19/2025"
                                         << "3,200.00";
        QTest::newRow("1/20/2025: 100 %") << "01/20/2025"
                                          << "8,000.00";
    }

    void bonusAmounts() {
        QFETCH(QString, placed);
        QFETCH(QString, shown);
        shapeFirstAsset(
            "[Asset Cost - Tax] = 10000, [Business Use Percentage - Tax] = 1, "
            "SecOneSevenNine = 2000, [FirstYR30%Deduction] = 123, assetchng = 0");
        open();
        typeInto(field("* Actual Date In Service"), placed);
        MessageCatcher messages(QMessageBox::Save);  // "Save the changes to ...?" on Next
        click(button("Bonus"));
        QCOMPARE(field("30, 50, 100%  Deduct")->text(), shown);
        QVERIFY(messages.texts.isEmpty());
        click(button("Next"));
        QCOMPARE(copy->number("SELECT [FirstYR30%Deduction] FROM assets WHERE AssetID = 1"),
                 QString(shown).remove(',').toDouble());
        QCOMPARE(copy->number("SELECT assetchng FROM assets WHERE AssetID = 1"), 1.0);
    }

    void bonusToolTipListsThePeriodsAndWhatDecides() {
        open();
        const QString tip = field("30, 50, 100%  Deduct")->toolTip();
        for (const char* period :
             {"From 01/20/2025: 100%", "01/01/2025 to 01/19/2025: 40%",
              "09/28/2017 to 12/31/2022: 100%", "01/01/2012 to 12/31/2012: 50%"})
            QVERIFY2(tip.contains(period), qPrintable(tip));
        QVERIFY(tip.contains("the date placed in service decides"));
    }

    void bonusForAnAutomobileWarnsOfTheLimits() {
        shapeFirstAsset(
            "[Asset Cost - Tax] = 20000, [Business Use Percentage - Tax] = 1, "
            "SecOneSevenNine = 0, [Dprn Method - Tax] = 'MACRS-Auto', "
            "[Dprn Life - Tax] = '5', [Date Placed in Service] = '2011-05-01'");
        open();
        MessageCatcher messages;
        click(button("Bonus"));
        QTest::qWait(100);
        QCOMPARE(messages.titles, QStringList{"Automobile Limits May Restrict Bonus Depreciation"});
        QVERIFY(messages.texts.first().startsWith("Since the MACRS-Auto method was selected"));
        QCOMPARE(field("30, 50, 100%  Deduct")->text(), QString("20,000.00"));
    }

    void bonusNeedsADate() {
        shapeFirstAsset("[Date Placed in Service] = NULL, [FirstYR30%Deduction] = 55");
        open();
        MessageCatcher messages;
        click(button("Bonus"));
        QTest::qWait(100);
        QCOMPARE(messages.titles, QStringList{"Need Date For Bonus Depreciation"});
        QCOMPARE(messages.texts,
                 QStringList{"There must be a date in the Actual Date In\nService field for this "
                             "command to function."});
        QCOMPARE(field("30, 50, 100%  Deduct")->text(), QString("55.00"));
    }

    void flagButtonsToggleTheirBoxes() {
        shapeFirstAsset("assetchng = 0");
        open();
        QVERIFY(!box("Listed")->isEnabled());
        click(button("Set Auto"));
        QVERIFY(box("Auto")->isChecked());
        click(button("Set Auto"));
        QVERIFY(!box("Auto")->isChecked());
        click(button("Set Listed"));
        click(button("Set Truck or Van"));
        QVERIFY(box("Listed")->isChecked());
        QVERIFY(box("Truck or Van")->isChecked());
        QVERIFY(!box("Truck or Van")->isEnabled());
        MessageCatcher save(QMessageBox::Save);  // "Save the changes to ...?"
        click(button("Next"));
        const std::string row = " FROM assets WHERE AssetID = 1";
        QCOMPARE(copy->number("SELECT [Passenger Automobile]" + row), 0.0);
        QCOMPARE(copy->number("SELECT [Listed Property]" + row), 1.0);
        QCOMPARE(copy->number("SELECT [Truck & Van Bonus - Tax]" + row), 1.0);
        QCOMPARE(copy->number("SELECT assetchng" + row), 1.0);
    }

    void section179Reminder_data() {
        QTest::addColumn<QString>("placed");
        QTest::addColumn<QString>("method");
        QTest::addColumn<QString>("life");
        QTest::addColumn<QString>("cap");  // empty: no reminder
        QTest::newRow("5-year MACRS after 10/22/04") << "2004-10-23"
                                                     << "MACRS"
                                                     << "5"
                                                     << "25,000";
        QTest::newRow("on 10/22/04") << "2004-10-22"
                                     << "MACRS"
                                     << "5"
                                     << "";
        QTest::newRow("7-year") << "2010-01-04"
                                << "MACRS"
                                << "7"
                                << "";
        QTest::newRow("automobile method") << "2010-01-04"
                                           << "MACRS-Auto"
                                           << "5"
                                           << "";
        QTest::newRow("2019") << "2019-03-01"
                              << "MACRS"
                              << "5"
                              << "25,500";
        QTest::newRow("2024") << "2024-03-01"
                              << "MACRS"
                              << "5"
                              << "30,500";
        QTest::newRow("2026") << "2026-03-01"
                              << "MACRS"
                              << "5"
                              << "32,000";
    }

    void section179Reminder() {
        QFETCH(QString, placed);
        QFETCH(QString, method);
        QFETCH(QString, life);
        QFETCH(QString, cap);
        shapeFirstAsset("[Date Placed in Service] = '" + placed.toStdString() +
                        "', [Dprn Method - Tax] = '" + method.toStdString() +
                        "', [Dprn Life - Tax] = '" + life.toStdString() + "'");
        open();
        QTest::mouseMove(field("Section 179"));
        QTest::mouseMove(field("Section 179"), QPoint(5, 5));
        QCOMPARE(field("Section 179")->toolTip(),
                 cap.isEmpty() ? QString()
                               : "If this asset is a heavy sports utility vehicle purchased "
                                 "after 10/22/04, limit Sec. 179 to $" +
                                     cap + ".");
    }

  private:
    void click(QAbstractButton* b) {
        QVERIFY(b);
        QTest::mouseClick(b, Qt::LeftButton);
    }
};

QTEST_MAIN(PickersTest)
#include "pickers_test.moc"
