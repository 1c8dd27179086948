// The asset screen driven as a user drives it: typing into fields, clicking
// buttons and reading labels, on a private copy of the sample company.
#include <QProgressBar>
#include <QTest>

#include "support/uitesting.h"
#include "ui/entry/fieldformat.h"

using namespace czx;
using namespace czx::uitest;

namespace {

// "2012-06-01" of "06/01/2012".
std::string stored(const QString& date) {
    return (date.mid(6, 4) + "-" + date.left(2) + "-" + date.mid(3, 2)).toStdString();
}

}  // namespace

class MainWindowTest : public QObject, protected MainWindowFixture {
    Q_OBJECT

    QProgressBar* progress() { return window->findChild<QProgressBar*>("ProgressBar1"); }

  private Q_SLOTS:
    void initTestCase() { isolateUserFolders(); }
    void init() { setUp(); }
    void cleanup() { tearDown(); }

    void opensTheCompanyOnItsFirstAsset() {
        open();
        QCOMPARE(field("Company Name")->text(), QString("Riverside Machine Works, Inc."));
        QCOMPARE(field("Year End")->text(), QString("12/31/2012"));
        QCOMPARE(status(), QString("Record: 1"));
        QCOMPARE(field("Asset Description")->text(),
                 QString("Plant site land, 1400 River Road (6.2 acres)"));
        QCOMPARE(field("Asset Cost - Tax")->text(), QString("185,000.00"));
        QCOMPARE(field("Year End Of Year Asset Was Originally Placed In Service")->text(),
                 QString("12/31/1978"));
        QCOMPARE(field("* Actual Date In Service")->text(), QString("06/15/1978"));
        // Pickers fill these; they are never typed into.
        for (const char* picked : {"Dprn Method - Tax", "Dprn Life - Book", "Group"})
            QVERIFY2(!field(picked)->isEnabled(), picked);
        QVERIFY(field("Asset Cost - Book")->isEnabled());
        MessageCatcher messages;
        menuAction("&About")->trigger();
        QTRY_COMPARE(messages.texts.size(), 1);
        QVERIFY2(messages.texts.first().contains("Federal law through 2026"),
                 qPrintable(messages.texts.first()));
    }

    // The record check at Save, on the land (AssetID 1): each failing rule
    // shows its warning label, stores nothing and stays in editing.
    void recordCheck() {
        struct Case {
            bool taxSet;
            const char *methodTax, *lifeTax, *methodBook;
            bool listed;
            const char *yrpis, *use, *section179;
            QString warning;  // empty: the row saves
        };
        const Case cases[] = {
            {true, "NULL", "'5'", "'SL - Book'", false, "2010", "1", "0", "Label15"},
            {false, "NULL", "NULL", "'SL - Book'", false, "2010", "1", "0", ""},
            {true, "'MACRS'", "NULL", "'SL - Book'", false, "2010", "1", "0", "Label13"},
            {true, "'MACRS'", "'5'", "NULL", false, "2010", "1", "0", "Label15"},
            {true, "'MACRS'", "'5'", "'SL - Book'", false, "2010", "1.5", "0", "Label5"},
            {true, "'MACRS'", "'5'", "'SL - Book'", true, "2010", ".4", "0", "Label6"},
            {true, "'MACRS'", "'5'", "'SL - Book'", true, "2012", ".4", "1000", "Label7"},
            {true, "'MACRS SL-PP'", "'5'", "'SL - Book'", true, "2010", ".4", "0", ""},
            {true, "'MACRS'", "'5'", "'SL - Book'", true, "2010", ".6", "0", ""},
            {true, "'MACRS'", "'5'", "'SL - Book'", false, "2010", ".4", "0", ""}};
        for (const Case& c : cases) {
            freshCompany();
            copy->execute("UPDATE Defaults SET [Regular federal] = " + std::to_string(c.taxSet));
            shapeFirstAsset(std::string("[Dprn Method - Tax] = ") + c.methodTax +
                            ", [Dprn Life - Tax] = " + c.lifeTax + ", [Dprn Method - Book] = " +
                            c.methodBook + ", [Dprn Life - Book] = '5', [Listed Property] = " +
                            std::to_string(c.listed) + ", YRPIS = '" + c.yrpis +
                            "-12-31', assetchng = 0");
            open();
            click("&Edit Asset");
            if (c.taxSet) {
                typeInto(field("Business Use % - Tax"), c.use);
                typeInto(field("Section 179"), c.section179);
            }
            MessageCatcher messages;
            click("&Save Asset");
            for (const char* name : {"Label5", "Label6", "Label7", "Label13", "Label15"})
                QVERIFY2(label(name)->isVisible() == (c.warning == name), name);
            const bool saved = c.warning.isEmpty();
            QCOMPARE(label("lblDatesNote")->isVisible(), saved);
            QCOMPARE(amount("assetchng"), saved ? 1.0 : 0.0);
            QCOMPARE(amount("Business Use Percentage - Tax"),
                     saved && c.taxSet ? QString(c.use).toDouble() : 1.0);
            QVERIFY(button(saved ? "&Add Asset" : "&Save Asset")->isVisible());
        }
    }

    // Cancel drops an asset being added and returns to the asset shown; a
    // new asset cannot be depreciated before it is saved; filled in through
    // the pickers, it saves as the last asset.
    void addAndSaveThroughThePickers() {
        copy->execute("UPDATE assets SET assetchng = 0, [Current Dprn - Tax] = 0");
        open();
        moveTo(3);
        const QString shown = field("Asset Description")->text();
        click("&Add Asset");
        typeInto(field("Asset Description"), "Not kept");
        click("&Cancel");
        QCOMPARE(status(), QString("Record: 3"));
        QCOMPARE(field("Asset Description")->text(), shown);
        click("&Add Asset");
        QCOMPARE(status(), QString("Add record"));
        QVERIFY(!button("Next")->isEnabled());
        // 250 ms later the year end is put into YRPIS.
        QTRY_COMPARE(field("Year End Of Year Asset Was Originally Placed In Service")->text(),
                     QString("12/31/2012"));
        for (const char* command : {"&Depreciate", "Depreciate A&ll"}) {
            MessageCatcher messages;
            menuAction(command)->trigger();
            QTest::qWait(100);
            QCOMPARE(messages.texts, QStringList{"Click on the Save Asset command before "
                                                 "depreciating the asset."});
        }
        QCOMPARE(flagged(), 0.0);
        QCOMPARE(copy->number("SELECT count(*) FROM assets WHERE [Current Dprn - Tax] <> 0"), 0.0);
        QCOMPARE(assets(), 30.0);
        activate();
        typeInto(field("Asset Description"), "Engine lathe, 16 x 40 in.");
        typeInto(field("* Actual Date In Service"), "06/01/2012");
        for (const char* name : {"Asset Cost - Tax", "Asset Cost - Book"})
            typeInto(field(name), "18500");
        for (const char* name : {"Business Use % - Tax", "Business Use % - Book"})
            typeInto(field(name), "1");
        pick(button("Select Dprn Method - Tax"), "MACRS");
        pick(button("Select Dprn Life - Tax"), "7");
        pick(button("Select Dprn Method - Book"), "SL - Book");
        pick(button("Select Dprn Life - Book"), "10");
        pick(button("Select Group"), "Machinery & Equipment");
        QCOMPARE(field("Asset Cost - Tax")->text(), QString("18,500.00"));
        MessageCatcher messages;
        click("&Save Asset");
        QVERIFY2(messages.texts.isEmpty(), qPrintable(messages.texts.join("|")));
        QCOMPARE(status(), QString("Record: 31"));
        QVERIFY(button("&Add Asset")->isVisible());
        QCOMPARE(copy->text("SELECT [Asset Description] || '|' || YRPIS || '|' || [Date Placed in "
                            "Service] || '|' || [Asset Cost - Tax] || '|' || [Dprn Method - Tax] "
                            "|| '|' || [Dprn Life - Tax] || '|' || [Dprn Method - Book] || '|' || "
                            "[Dprn Life - Book] || '|' || groupname || '|' || assetchng || '|' || "
                            "companynumber FROM assets ORDER BY AssetID DESC LIMIT 1"),
                 std::string("Engine lathe, 16 x 40 in.|2012-12-31|2012-06-01|18500.0|MACRS|7|"
                             "SL - Book|10|Machinery & Equipment|1|1"));
    }

    // Editing the land: shares show with two decimals and a book share
    // above 1 is cut back to 1 with its warning shown; dates more than a
    // year before YRPIS (12/31/2012: the twelve months before it have 366
    // days) or after it are advised against, and the advice never blocks the
    // save; each field takes only the keys its kind allows, and Backspace
    // always passes.
    void editingTheLand() {
        shapeFirstAsset("YRPIS = '2012-12-31', [Date Placed in Service] = '2012-06-01'");
        open();
        click("&Edit Asset");
        typeInto(field("Business Use % - Tax"), ".5");
        typeInto(field("Business Use % - Book"), "1.5");
        QCOMPARE(field("Business Use % - Tax")->text(), QString(".50"));
        typeInto(field("Asset Description"), "Plant site land");
        QCOMPARE(field("Business Use % - Book")->text(), QString("1.00"));
        QVERIFY(label("Label5")->isVisible());
        click("&Save Asset");
        QCOMPARE(amount("Business Use Percentage - Tax"), 0.5);
        QCOMPARE(amount("Business Use Percentage - Book"), 1.0);
        QCOMPARE(asset("Asset Description"), std::string("Plant site land"));

        const QString overYear =
            "The difference between the Year Placed In Service and the Date Placed In Service "
            "exceeds one year. Correct one of the dates.";
        const QString later =
            "The Date Placed In Service exceeds the Year Placed In Service. Correct one of the "
            "dates.";
        const std::pair<QString, QStringList> dates[] = {{"06/01/2012", {}},
                                                         {"01/01/2012", {}},
                                                         {"12/31/2011", {overYear}},
                                                         {"01/15/2013", {later}}};
        for (const auto& [placed, advice] : dates) {
            click("&Edit Asset");
            typeInto(field("* Actual Date In Service"), placed);
            MessageCatcher messages;
            click("&Save Asset");
            QTest::qWait(100);
            QCOMPARE(messages.texts, advice);
            for (const QString& title : messages.titles)
                QCOMPARE(title, QString("CZX Depreciation"));
            QCOMPARE(asset("Date Placed in Service"), stored(placed));
        }

        const char* keys[][3] = {{"Asset Cost - Tax", "12a,-.5", "12-.5"},
                                 {"Section 179", "1e3", "13"},
                                 {"Business Use % - Tax", "-.5x", ".5"},
                                 {"Business Use % - Book", "-1", "1"},
                                 {"Mid Qrt Conv", "5", ""},
                                 {"Mid Qrt Conv", "3", "3"},
                                 {"Mid Qrt Conv", "04", "4"},
                                 {"Asset Description", "Lathe #2, 5-ton", "Lathe #2, 5-ton"},
                                 {"Date Sold/Disposed", "3/1/2012", "3/1/2012"}};
        click("&Edit Asset");
        for (auto [name, typed, shown] : keys) {
            const QString before = field(name)->text();
            typeInto(field(name), typed);
            QCOMPARE(field(name)->text(), QString(shown));
            if (*shown) {
                QTest::keyClick(field(name), Qt::Key_Backspace);
                QCOMPARE(field(name)->text(), QString(shown).chopped(1));
            }
            field(name)->setText(before);  // no typo left behind
        }
    }

    // "YRPIS" is the year end of the asset's first fiscal year. One that is
    // no year end of the company is advised against, and still saves; the
    // advice shows for each asset that has it.
    void yrpisOffTheYearEndIsAdvised() {
        const QString offYear =
            "The YRPIS %1 is not a year end of the company (%2). The depreciation run treats the "
            "asset's first year by the calendar year of its YRPIS.";
        const std::tuple<const char*, QString, QString> cases[] = {
            // The company's year end, YRPIS as typed, the advice.
            {"2012-12-31", "06/30/2012", offYear.arg("6/30/2012", "12/31")},
            {"2012-12-31", "12/30/2011", offYear.arg("12/30/2011", "12/31")},
            {"2012-12-31", "12/31/2009", ""},
            {"2013-06-30", "06/30/2012", ""},
            {"2013-06-30", "12/31/2012", offYear.arg("12/31/2012", "6/30")},
            {"2013-02-28", "02/29/2012", ""},
            {"2012-02-29", "02/28/2011", ""},
            {"2013-02-28", "02/28/2012", ""}};
        for (const auto& [yearEnd, yrpis, advice] : cases) {
            freshCompany();
            // The first two assets end their first year with the company's year.
            copy->execute(std::string("UPDATE Defaults SET YearEnd = '") + yearEnd +
                          "'; UPDATE assets SET YRPIS = '" + yearEnd + "' WHERE AssetID IN (1, 2)");
            open();
            QLabel* shown = label("lblYrpisAdvice");
            QVERIFY(!shown->isVisible());
            click("&Edit Asset");
            typeInto(field("Year End Of Year Asset Was Originally Placed In Service"), yrpis);
            typeInto(field("Asset Description"), "Plant site land");  // leaves the field
            QCOMPARE(shown->isVisible() ? shown->text() : QString(), advice);
            QCOMPARE(label("lblDatesNote")->isVisible(), advice.isEmpty());
            MessageCatcher messages;
            click("&Save Asset");
            QVERIFY(button("&Add Asset")->isVisible());
            QCOMPARE(asset("YRPIS"), stored(yrpis));
            QCOMPARE(shown->isVisible() ? shown->text() : QString(), advice);
            click("Next");
            QVERIFY(!shown->isVisible());
            click("Previous");
            QCOMPARE(shown->isVisible() ? shown->text() : QString(), advice);
        }
    }

    // Deleting the last asset, or all of them, asks first (Delete All with
    // No as the default) and leaves the empty screen that asks for a first
    // asset; the company stays.
    void deletingEveryAssetLeavesTheEmptyScreen_data() {
        QTest::addColumn<QString>("command");
        QTest::addColumn<QString>("question");
        QTest::newRow("Delete Asset on the only asset")
            << "Dele&te Asset"
            << "Delete the asset 'Plant site land, 1400 River Road (6.2 acres)'? This cannot be "
               "undone.";
        QTest::newRow("Delete All Assets")
            << "Delete All Assets" << "Are you sure you want to delete all of the assets?";
    }

    void deletingEveryAssetLeavesTheEmptyScreen() {
        QFETCH(QString, command);
        QFETCH(QString, question);
        const bool all = command == "Delete All Assets";
        if (!all) copy->execute("DELETE FROM assets WHERE AssetID > 1");
        const double before = assets();
        open();
        auto run = [&] { all ? menuAction(command)->trigger() : click(command); };
        {
            MessageCatcher no(QMessageBox::No);
            run();
            QCOMPARE(no.texts, QStringList{question});
            QCOMPARE(assets(), before);
            QCOMPARE(status(), QString("Record: 1"));
            if (all) {
                QCOMPARE(no.titles, QStringList{"Confirm Deletion Of All Assets"});
                QCOMPARE(no.defaults, QStringList{"No"});
                QCOMPARE(no.warnings, QList<bool>{true});
            }
        }
        MessageCatcher yes(QMessageBox::Yes);
        run();
        QCOMPARE(assets(), 0.0);
        QCOMPARE(status(), QString("Click Add To Create First Record"));
        QCOMPARE(field("Asset Description")->text(), QString());
        QVERIFY(!field("Asset Description")->isEnabled());
        QVERIFY(!field("Asset Cost - Tax")->isEnabled());
        QVERIFY(!button("Bonus")->isEnabled());
        QVERIFY(!box("Over  Ride - Tax")->isEnabled());
        QCOMPARE(copy->text("SELECT Name FROM Defaults"),
                 std::string("Riverside Machine Works, Inc."));
    }

    // With every flag clear, Depreciate computes only the asset on screen
    // (stored first, which ends an edit); Depreciate All computes every
    // asset. Both come back to the asset shown. (The book pass shows it
    // best: the tax pass also computes every asset when the year's
    // mid-quarter outcome changes.)
    void depreciateComputesTheAssetOrAll_data() {
        QTest::addColumn<QString>("command");
        QTest::addColumn<bool>("all");
        QTest::newRow("Depreciate") << "&Depreciate" << false;
        QTest::newRow("Depreciate All") << "Depreciate A&ll" << true;
    }

    void depreciateComputesTheAssetOrAll() {
        QFETCH(QString, command);
        QFETCH(bool, all);
        copy->execute(
            "UPDATE assets SET assetchng = 0, [Current Dprn - Tax] = 0, [Current Dprn - Book] = 0");
        open();
        moveTo(6);  // the heat-treat building, MACRS 31.5-year real property
        click("&Edit Asset");
        typeInto(field("Asset Description"), "Heat-treat building");
        MessageCatcher messages(QMessageBox::Save);
        menuAction(command)->trigger();
        QCOMPARE(asset("Asset Description", 6), std::string("Heat-treat building"));
        QVERIFY(button("&Add Asset")->isVisible());
        // Old-law straight line: (295,000 - 15,000) / 35 = 8,000 a year; the
        // book side the same. Forklift: 7-year table, year 6, 8.92 % of 26,500.
        QCOMPARE(amount("Current Dprn - Book", 4), all ? 8000.0 : 0.0);
        QCOMPARE(amount("Current Dprn - Tax", 4), all ? 8000.0 : 0.0);
        if (all)
            QCOMPARE(copy->number("SELECT [Current Dprn - Tax] FROM assets WHERE "
                                  "[Asset Description] LIKE 'Forklift%'"),
                     2363.80);
        QVERIFY(amount("Current Dprn - Tax", 6) > 0);
        QVERIFY(amount("Current Dprn - Book", 6) > 0);
        QCOMPARE(flagged(), 0.0);
        QCOMPARE(status(), QString("Record: 6"));
        QCOMPARE(field("Current Dprn - Tax")->text(),
                 ui::formatMoney(amount("Current Dprn - Tax", 6)));
        QVERIFY(!progress()->isVisible());
    }

    // A run that cannot start (another program holds the company file) is
    // reported under the run's own procedure, entered once, and the screen
    // stays on its asset; once the file is free the run goes through.
    void aRunThatCannotStartIsReportedUnderTheRun() {
        open();
        moveTo(4);
        Connection other = Connection::open(copy->companyFile());
        other.execute("BEGIN IMMEDIATE");
        MessageCatcher messages;
        menuAction("&Depreciate")->trigger();
        QCOMPARE(errors->reports.size(), size_t(1));
        const QString report = QString::fromStdString(errors->reports.front());
        QVERIFY2(report.contains("An error occurred within:\r\nCalcform.mnuDeprAssets_Click\r\n"),
                 qPrintable(report));
        QCOMPARE(report.count("mnuDeprAssets_Click"), 1);
        QVERIFY(!report.contains("frmMain"));
        QVERIFY(!progress()->isVisible());
        QCOMPARE(status(), QString("Record: 4"));
        QCOMPARE(field("Asset Description")->text(), QString("Warehouse, 1410 River Road"));
        errors->reports.clear();

        other.execute("ROLLBACK");
        menuAction("&Depreciate")->trigger();
        QCOMPARE(amount("Current Dprn - Tax", 4), 8000.0);
        QCOMPARE(field("Current Dprn - Tax")->text(), QString("8,000.00"));
    }

    // Close YR asks first, with No as the default: No leaves the company
    // alone; Yes closes the year (the store's tests check the amounts), and
    // the screen shows the new year end and the first asset's rolled amounts.
    void closeYearAsksFirst() {
        shapeFirstAsset(
            "[Prior Accumulated Dprn - Tax] = 1000, [Current Dprn - Tax] = 250.125, "
            "[Tax Dprn Override] = 1, assetchng = 0");
        const std::string before = row(1);
        open();
        for (auto answer : {QMessageBox::No, QMessageBox::Yes}) {
            MessageCatcher answers(answer);
            menuAction("Close YR")->trigger();
            QCOMPARE(answers.titles, QStringList{"Confirm Closing Of Year"});
            QCOMPARE(answers.texts,
                     QStringList{"Are you sure you want to close the year? Closing the year will "
                                 "zero out current year depreciation and add it to accumulated "
                                 "depreciation. Consider making a copy of the company before "
                                 "closing."});
            QCOMPARE(answers.defaults, QStringList{"No"});
            QCOMPARE(answers.warnings, QList<bool>{true});
            if (answer == QMessageBox::No) QCOMPARE(row(1), before);
        }
        QCOMPARE(copy->text("SELECT YearEnd FROM Defaults"), std::string("2013-12-31"));
        QCOMPARE(field("Year End")->text(), QString("12/31/2013"));
        QCOMPARE(amount("Prior Accumulated Dprn - Tax"), 1250.12);
        QCOMPARE(flagged(), assets());
        QCOMPARE(status(), QString("Record: 1"));
        QCOMPARE(field("Prior Dprn - Tax")->text(), QString("1,250.12"));
        QCOMPARE(field("Current Dprn - Tax")->text(), QString("0.00"));
    }
};

QTEST_MAIN(MainWindowTest)
#include "mainwindow_test.moc"
