// The asset list above the form, driven as a user drives it on a company of
// 100,000 assets: clicking headers, typing a filter, choosing a group,
// reading the totals row, choosing rows and moving in the form.
#include "ui/entry/assetlist.h"

#include <QComboBox>
#include <QHeaderView>
#include <QTableView>
#include <QTest>

#include "support/uitesting.h"
#include "ui/entry/fieldformat.h"

using namespace czx;
using namespace czx::uitest;

namespace {

// The sample company with 100,000 more assets, every one valid for the
// record check, with groups, methods and amounts that vary.
void addAssets(CompanyCopy& copy) {
    copy.execute(
        "WITH RECURSIVE n(i) AS (SELECT 0 UNION ALL SELECT i + 1 FROM n WHERE i < 99999) "
        "INSERT INTO assets (companynumber, groupname, [Asset Description], [Date Placed in "
        "Service], YRPIS, [Dprn Method - Tax], [Dprn Life - Tax], [Dprn Method - Book], [Dprn "
        "Life - Book], [Asset Cost - Tax], [Asset Cost - Book], [Business Use Percentage - Tax], "
        "[Business Use Percentage - Book], [Prior Accumulated Dprn - Tax], [Current Dprn - Tax], "
        "[Current Dprn - Book]) SELECT 1, CASE i % 3 WHEN 0 THEN 'Vehicles' WHEN 1 THEN 'Office' "
        "ELSE 'Machines' END, CASE (i / 3) % 5 WHEN 0 THEN 'Forklift' WHEN 1 THEN 'office chair' "
        "WHEN 2 THEN 'Delivery Van' WHEN 3 THEN 'lathe' ELSE 'Laptop' END || ' ' || i, (2003 + i "
        "% 10) || '-0' || (1 + i % 9) || '-15', (2003 + i % 10) || '-12-31', CASE i % 4 WHEN 0 "
        "THEN 'MACRS-150%' ELSE 'MACRS' END, '5', 'SL - Book', '5', 500 + (i * 7919 % 2000000) / "
        "100.0, 500 + (i * 7919 % 2000000) / 100.0, 1, 1, (i * 31 % 100000) / 100.0, (i * 37 % "
        "90000) / 100.0, (i * 41 % 90000) / 100.0 FROM n");
}

}  // namespace

class AssetListTest : public QObject, protected MainWindowFixture {
    Q_OBJECT

    QTableView* list() { return byName<QTableView>(window.get(), "Asset List"); }
    QTableView* totals() { return byName<QTableView>(window.get(), "Totals"); }
    QLineEdit* filter() { return field("Filter"); }
    QLineEdit* form(ui::Field f) {
        return window->findChild<QLineEdit*>(QString("txtFields_%1").arg(int(f)));
    }
    QString cell(int row, int column) {
        return list()->model()->index(row, column).data().toString();
    }
    QString total(int column) { return totals()->model()->index(0, column).data().toString(); }
    int rows() { return list()->model()->rowCount(); }
    int count(const std::string& where) {
        return static_cast<int>(copy->number("SELECT count(*) FROM assets WHERE " + where));
    }
    QString sum(const char* column, const std::string& where = "1") {
        return ui::formatMoney(
            copy->number(std::string("SELECT total([") + column + "]) FROM assets WHERE " + where));
    }
    int selectedRow() {
        auto selected = list()->selectionModel()->selectedRows();
        return selected.size() == 1 ? selected.first().row() : -1;
    }
    // The form's asset is the selected row.
    void selectionFollowsTheForm() {
        QCOMPARE(cell(selectedRow(), 0), form(ui::FDescription)->text());
    }
    void clickHeader(int column) {
        list()->scrollTo(list()->model()->index(0, column));
        QHeaderView* header = list()->horizontalHeader();
        const QPoint at(header->sectionViewportPosition(column) + header->sectionSize(column) / 2,
                        header->height() / 2);
        QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, at);
    }

  private Q_SLOTS:
    void initTestCase() { isolateUserFolders(); }
    void init() {
        setUp();
        addAssets(*copy);
        open();
        window->resize(1280, 1024);
    }
    void cleanup() { tearDown(); }

    void opensWithEveryAssetAndTheirTotals() {
        QCOMPARE(rows(), count("companynumber = 1"));
        QCOMPARE(total(0), QString("Totals: 100,030 assets"));
        QCOMPARE(total(6), sum("Asset Cost - Tax"));
        QCOMPARE(total(7), sum("Prior Accumulated Dprn - Tax"));
        QCOMPARE(total(8), sum("Current Dprn - Tax"));
        QCOMPARE(total(9), sum("Current Dprn - Book"));
        // The form's first asset is the list's first row, shown as the form shows it.
        QCOMPARE(selectedRow(), 0);
        QCOMPARE(cell(0, 0), form(ui::FDescription)->text());
        QCOMPARE(cell(0, 2), form(ui::FPlaced)->text());
        QCOMPARE(cell(0, 6), form(ui::FCostTax)->text());
        QCOMPARE(cell(0, 9), form(ui::FCurrentBook)->text());
    }

    // A header click sorts ascending, the second descending, the third
    // returns to the order of entry; the form's asset stays selected.
    void clickingAHeaderSortsByThatColumn() {
        const std::tuple<int, const char*, ui::FieldKind> columns[] = {
            {0, "[Asset Description] COLLATE NOCASE", ui::FieldKind::Text},
            {2, "[Date Placed in Service]", ui::FieldKind::Date},
            {6, "[Asset Cost - Tax]", ui::FieldKind::Money},
            {8, "[Current Dprn - Tax]", ui::FieldKind::Money}};
        for (auto [column, order, kind] : columns) {
            auto first = [&](const char* direction) {
                return ui::displayText(
                    kind, copy->value(std::string("SELECT ") + order + " FROM assets ORDER BY " +
                                      order + " " + direction + " LIMIT 1"));
            };
            const QString entered = cell(0, column);
            clickHeader(column);
            QCOMPARE(cell(0, column), first("ASC"));
            QCOMPARE(rows(), 100'030);
            clickHeader(column);
            QCOMPARE(cell(0, column), first("DESC"));
            clickHeader(column);
            QCOMPARE(cell(0, column), entered);
            selectionFollowsTheForm();
        }
    }

    // Typed words must all match the description, group or method; the
    // group selector narrows to one group; the totals follow.
    void theFilterAndTheGroupShowTheMatchingAssets() {
        QTest::keyClicks(filter(), "FORKLIFT 9");
        const std::string forklifts =
            "[Asset Description] LIKE '%forklift%' AND [Asset Description] LIKE '%9%'";
        QTRY_COMPARE(rows(), count(forklifts));
        QVERIFY(rows() > 0);
        for (int r = 0; r < std::min(rows(), 50); ++r)
            QVERIFY2(cell(r, 0).startsWith("Forklift") && cell(r, 0).contains('9'),
                     qPrintable(cell(r, 0)));
        QCOMPARE(total(0),
                 QString("Totals: %1 assets").arg(QLocale(QLocale::English).toString(rows())));
        QCOMPARE(total(6), sum("Asset Cost - Tax", forklifts));
        filter()->selectAll();
        QTest::keyClicks(filter(), "macrs-150");
        QTRY_COMPARE(rows(), count("[Asset Description] LIKE '%macrs-150%' OR groupname LIKE "
                                   "'%macrs-150%' OR [Dprn Method - Tax] LIKE '%macrs-150%'"));
        filter()->selectAll();
        QTest::keyClick(filter(), Qt::Key_Backspace);
        QTRY_COMPARE(rows(), 100'030);

        auto* group = byName<QComboBox>(window.get(), "Show Group");
        QCOMPARE(group->currentText(), QString("All Groups"));
        QVERIFY(group->findText("Buildings") >= 0);
        group->setFocus();
        QTest::keyClicks(group, "Veh");
        QCOMPARE(group->currentText(), QString("Vehicles"));
        QTRY_COMPARE(rows(), count("groupname = 'Vehicles'"));
        QCOMPARE(total(9), sum("Current Dprn - Book", "groupname = 'Vehicles'"));
        for (int r = 0; r < 30; ++r) QCOMPARE(cell(r, 1), QString("Vehicles"));
        QTest::keyClicks(filter(), "van");
        QTRY_COMPARE(rows(), count("groupname = 'Vehicles' AND [Asset Description] LIKE '%van%'"));
    }

    // The form follows the row chosen, by click or by Enter; the selection
    // follows the form's moves, whatever the order; a row the filter hides
    // leaves none selected.
    void theSelectionAndTheFormFollowEachOther() {
        clickHeader(6);  // by cost, so that the row is not the record's place
        list()->scrollTo(list()->model()->index(7, 0));
        QTest::mouseClick(list()->viewport(), Qt::LeftButton, {},
                          list()->visualRect(list()->model()->index(7, 0)).center());
        QCOMPARE(form(ui::FDescription)->text(), cell(7, 0));
        QCOMPARE(form(ui::FCostTax)->text(), cell(7, 6));
        QCOMPARE(
            status(),
            QString("Record: %1")
                .arg(count("AssetID <= (SELECT AssetID FROM assets WHERE [Asset Description] = '" +
                           cell(7, 0).toStdString() + "')")));
        QCOMPARE(selectedRow(), 7);
        QTest::keyClick(list(), Qt::Key_Down);
        QTest::keyClick(list(), Qt::Key_Down);
        QCOMPARE(list()->currentIndex().row(), 9);
        QCOMPARE(form(ui::FDescription)->text(), cell(7, 0));
        QTest::keyClick(list(), Qt::Key_Return);
        QCOMPARE(form(ui::FDescription)->text(), cell(9, 0));

        clickHeader(6);
        clickHeader(6);  // back to the order of entry
        click("First");
        click("Next");
        click("Next");
        QCOMPARE(selectedRow(), 2);
        click("Last");
        QCOMPARE(selectedRow(), rows() - 1);
        selectionFollowsTheForm();
        clickHeader(0);
        click("First");
        selectionFollowsTheForm();
        QVERIFY(selectedRow() > 0);
        QTest::keyClicks(filter(), "zeppelin");
        QTRY_COMPARE(rows(), 0);
        click("Next");
        QCOMPARE(selectedRow(), -1);
    }

    // A row the form stores, by Save or by a move, shows in the list as
    // stored; a new asset joins the list and the totals.
    void storedRowsShowInTheList() {
        typeInto(form(ui::FDescription), "Plant site, resurveyed");
        {
            MessageCatcher save(QMessageBox::Save);
            click("Next");
        }
        QCOMPARE(cell(0, 0), QString("Plant site, resurveyed"));
        QCOMPARE(selectedRow(), 1);
        click("&Edit Asset");
        typeInto(form(ui::FDescription), "Renamed plant site improvements");
        click("&Save Asset");
        QCOMPARE(cell(1, 0), QString("Renamed plant site improvements"));
        QCOMPARE(selectedRow(), 1);

        const QString costBefore = total(6);
        click("&Add Asset");
        QTest::qWait(300);
        typeInto(form(ui::FDescription), "Zeppelin hangar");
        typeInto(form(ui::FPlaced), "06/01/2012");
        typeInto(form(ui::FCostTax), "1000");
        typeInto(form(ui::FUseTax), "1");
        typeInto(form(ui::FUseBook), "1");
        pick(button("Select Dprn Method - Tax"), "MACRS");
        pick(button("Select Dprn Life - Tax"), "5");
        pick(button("Select Dprn Method - Book"), "SL - Book");
        pick(button("Select Dprn Life - Book"), "5");
        MessageCatcher messages;
        click("&Save Asset");
        QCOMPARE(rows(), 100'031);
        QCOMPARE(cell(selectedRow(), 0), QString("Zeppelin hangar"));
        QVERIFY(total(6) != costBefore);
        QCOMPARE(total(6), sum("Asset Cost - Tax"));
    }
};

QTEST_MAIN(AssetListTest)
#include "assetlist_test.moc"
