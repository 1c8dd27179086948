// The method, life and group pickers, the bonus calculator and the flag
// buttons, driven through the asset screen's buttons.
#include <QDialog>
#include <QListWidget>
#include <QTest>

#include "support/uitesting.h"

using namespace czx;
using namespace czx::uitest;

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
    QStringList pickFrom(const char* picker, const QString& entry) {
        return pick(button(picker), entry);
    }

  private Q_SLOTS:
    void initTestCase() { isolateUserFolders(); }
    void init() { setUp(); }
    void cleanup() { tearDown(); }

    // A passenger automobile takes MACRS-Auto above 50 % business use and
    // MACRS SL-PP at or below it, whatever method is clicked; a new method
    // needs a new life.
    void automobileRule_data() {
        QTest::addColumn<QString>("use");
        QTest::addColumn<QString>("clicked");
        QTest::addColumn<QString>("stored");
        const char* cases[][3] = {{".75", "MACRS", "MACRS-Auto"},
                                  {".5", "MACRS", "MACRS SL-PP"},
                                  {".51", "ACRS", "MACRS-Auto"},
                                  {".3", "MACRS-Auto", "MACRS SL-PP"}};
        for (auto [use, clicked, stored] : cases)
            QTest::newRow(qPrintable(QString("%1 at %2").arg(clicked, use)))
                << QString(use) << QString(clicked) << QString(stored);
    }

    void automobileRule() {
        QFETCH(QString, use);
        QFETCH(QString, clicked);
        QFETCH(QString, stored);
        shapeFirstAsset(
            "[Passenger Automobile] = 1, [Dprn Method - Tax] = 'MACRS', [Dprn Life - Tax] = '5'");
        open();
        QVERIFY(box("Auto")->isChecked());
        click("&Edit Asset");
        typeInto(field("Business Use % - Tax"), use);
        pickFrom("Select Dprn Method - Tax", clicked);
        QCOMPARE(field("Dprn Method - Tax")->text(), stored);
        QCOMPARE(field("Dprn Life - Tax")->text(), QString());
        QVERIFY(!field("Dprn Method - Tax")->isEnabled());
        QVERIFY(!field("Dprn Life - Tax")->isEnabled());
    }

    // Each picker lists its catalogue table: the tax lives follow the tax
    // method, the book lists theirs, the groups the company's; Close leaves
    // the field as it was.
    void eachPickerListsItsTable() {
        open();
        const char* lives[][2] = {{"MACRS-150%", "select MACRS150LF from MACRS150LFS"},
                                  {"MACRS SL-RP", "select [SL-Real Prop] from TRPSLLFS"},
                                  {"ACRS", "select ACRSLF from ACRSLFS"},
                                  {"DDB150%-Old", "select DDB from DDBLFS"}};
        for (auto [method, query] : lives) {
            pickFrom("Select Dprn Method - Tax", method);
            QCOMPARE(field("Dprn Method - Tax")->text(), QString(method));
            QCOMPARE(field("Dprn Life - Tax")->text(), QString());
            const QStringList expected = catalogue(query);
            QVERIFY(!expected.isEmpty());
            QCOMPARE(pickFrom("Select Dprn Life - Tax", expected.last()), expected);
            QCOMPARE(field("Dprn Life - Tax")->text(), expected.last());
            QVERIFY(!field("Dprn Life - Tax")->isEnabled());
        }
        pickFrom("Select Dprn Method - Tax", "");
        QCOMPARE(field("Dprn Method - Tax")->text(), QString("DDB150%-Old"));

        // The book methods share their table with the longer tax list; the
        // empty tail is no choice.
        const QStringList methods = pickFrom("Select Dprn Method - Book", "SL - Book");
        QCOMPARE(methods, catalogue("select [Method-Book] from Methods"));
        QVERIFY(!methods.contains(QString()));
        QCOMPARE(pickFrom("Select Dprn Life - Book", "12"),
                 catalogue("select [SL - Book] from SLLFS"));
        QCOMPARE(field("Dprn Life - Book")->text(), QString("12"));

        const QStringList groups = pickFrom("Select Group", "Vehicles");
        QCOMPARE(groups.size(), 9);
        QCOMPARE(groups.first(), QString("Buildings"));
        QCOMPARE(field("Group")->text(), QString("Vehicles"));
    }

    // The pickers from the keyboard: typing moves to the entry that begins
    // with what was typed, Enter chooses the entry, Escape closes with no
    // choice. The list opens on the field's entry.
    void pickersWorkFromTheKeyboard() {
        struct Case {
            const char *picker, *typed;
            Qt::Key key;
            const char *current, *after;  // the entry current on opening; the field afterwards
        };
        const Case cases[] = {{"Select Group", "veh", Qt::Key_Escape, "Land", "Land"},
                              {"Select Group", "veh", Qt::Key_Enter, "Land", "Vehicles"},
                              {"Select Dprn Method - Tax", "MACRS-1", Qt::Key_Return,
                               "Non-Depreciable", "MACRS-150%"},
                              {"Select Dprn Method - Book", "", Qt::Key_Return, "Non-Depreciable",
                               "Non-Depreciable"}};
        open();
        for (const Case& c : cases) {
            QString opened;
            bool stayedOpen = false;
            QTimer poll;
            connect(&poll, &QTimer::timeout, [&] {
                auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
                if (!dialog || !opened.isNull() || dialog->objectName() != "ADOSelcMethLife")
                    return;
                auto* list = dialog->findChild<QListWidget*>("DataList1");
                opened = list->currentItem() ? list->currentItem()->text() : QString("");
                QTest::keyClicks(list, c.typed);
                QTest::keyClick(list, c.key);
                // A list that ignored the key is closed, and the case fails.
                QTimer::singleShot(200, dialog, [&stayedOpen, dialog] {
                    if (!dialog->isVisible()) return;
                    stayedOpen = true;
                    dialog->reject();
                });
            });
            poll.start(10);
            QTest::mouseClick(button(c.picker), Qt::LeftButton);
            poll.stop();
            QTest::qWait(400);  // the after-choice steps
            QVERIFY2(!stayedOpen, c.picker);
            QCOMPARE(opened, QString(c.current));
            QCOMPARE(field(QString(c.picker).mid(7))->text(), QString(c.after));
        }
    }

    // The bonus by the date placed in service, on a cost of 10,000, business
    // use 1 and Section 179 2,000; the field held 123.00.
    void bonusAmounts_data() {
        QTest::addColumn<QString>("placed");
        QTest::addColumn<QString>("shown");
        const char* cases[][2] = {
            {"03/01/2011", "8,000.00"}, {"06/01/2012", "4,000.00"}, {"06/01/2002", "2,400.00"},
            {"09/10/2001", "0.00"},     {"09/11/2001", "2,400.00"}, {"05/05/2003", "2,400.00"},
            {"05/06/2003", "4,000.00"}, {"12/31/2004", "4,000.00"}, {"06/01/2006", "123.00"},
            {"01/01/2008", "4,000.00"}, {"09/08/2010", "4,000.00"}, {"09/09/2010", "8,000.00"},
            {"12/31/2012", "4,000.00"}, {"01/01/2013", "4,000.00"}, {"09/27/2017", "4,000.00"},
            {"09/28/2017", "8,000.00"}, {"07/01/2023", "6,400.00"}, {"07/01/2024", "4,800.00"},
            {"01/19/2025", "3,200.00"}, {"01/20/2025", "8,000.00"}};
        for (auto [placed, shown] : cases)
            QTest::newRow(placed) << QString(placed) << QString(shown);
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
        click("Bonus");
        QCOMPARE(field("30, 50, 100%  Deduct")->text(), shown);
        QVERIFY(messages.texts.isEmpty());
        click("Next");
        QCOMPARE(amount("FirstYR30%Deduction"), QString(shown).remove(',').toDouble());
        QCOMPARE(amount("assetchng"), 1.0);
    }

    // The flag buttons toggle their boxes, which only they change; the boxes
    // and the override boxes are stored with the row.
    void flagAndOverrideBoxesAreStoredWithTheRow() {
        shapeFirstAsset("assetchng = 0, [Tax Dprn Override] = 0, [Book Dprn Override] = 1");
        open();
        QVERIFY(!box("Listed")->isEnabled());
        click("Set Auto");
        QVERIFY(box("Auto")->isChecked());
        click("Set Auto");
        QVERIFY(!box("Auto")->isChecked());
        click("Set Listed");
        click("Set Truck or Van");
        QVERIFY(box("Listed")->isChecked());
        QVERIFY(box("Truck or Van")->isChecked());
        QVERIFY(!box("Truck or Van")->isEnabled());
        QVERIFY(!box("Over  Ride - Tax")->isChecked());
        QVERIFY(box("Over  Ride - Book")->isChecked());
        QTest::mouseClick(box("Over  Ride - Tax"), Qt::LeftButton);
        QTest::mouseClick(box("Over  Ride - Book"), Qt::LeftButton);
        MessageCatcher save(QMessageBox::Save);  // "Save the changes to ...?"
        click("Next");
        QCOMPARE(copy->text("SELECT [Passenger Automobile] || [Listed Property] || [Truck & Van "
                            "Bonus - Tax] || [Tax Dprn Override] || [Book Dprn Override] || "
                            "assetchng FROM assets WHERE AssetID = 1"),
                 std::string("011101"));
    }
};

QTEST_MAIN(PickersTest)
#include "pickers_test.moc"
