// The asset list above the form, driven as a user drives it on a company of
// 100,000 assets: clicking headers, typing a filter, choosing a group,
// reading the totals row, choosing rows and moving in the form.
#include "ui/entry/assetlist.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTableView>
#include <QTest>
#include <memory>

#include "store/database.h"
#include "support/uitesting.h"
#include "ui/entry/fieldformat.h"
#include "ui/entry/mainwindow.h"

using namespace czx;
using namespace czx::uitest;
using czx::ui::MainWindow;

namespace {

constexpr long kAddedAssets = 100'000;
const char* const kThings[] = {"Forklift", "office chair", "Delivery Van", "lathe", "Laptop"};
const char* const kGroups[] = {"Vehicles", "Office", "Machines"};

// The sample company with 100,000 more assets, every one valid for the
// record check, with groups, methods and amounts that vary.
void addAssets(CompanyCopy& copy) {
    Connection db = Connection::open(copy.companyFile());
    Transaction transaction(db);
    Statement insert(db,
                     "INSERT INTO assets (companynumber, groupname, [Asset Description], "
                     "[Date Placed in Service], YRPIS, [Dprn Method - Tax], [Dprn Life - Tax], "
                     "[Dprn Method - Book], [Dprn Life - Book], [Asset Cost - Tax], "
                     "[Asset Cost - Book], [Business Use Percentage - Tax], "
                     "[Business Use Percentage - Book], [Prior Accumulated Dprn - Tax], "
                     "[Current Dprn - Tax], [Current Dprn - Book]) "
                     "VALUES (1, ?, ?, ?, ?, ?, '5', 'SL - Book', '5', ?, ?, 1, 1, ?, ?, ?)");
    for (long i = 0; i < kAddedAssets; ++i) {
        const int year = 2003 + static_cast<int>(i % 10);
        const double cost = 500.0 + static_cast<double>((i * 7919) % 2'000'000) / 100.0;
        insert.bind(1, std::string_view(kGroups[i % 3]));
        insert.bind(2, Value(std::string(kThings[(i / 3) % 5]) + " " + std::to_string(i)));
        insert.bind(3, Value(std::to_string(year) + "-0" + std::to_string(1 + i % 9) + "-15"));
        insert.bind(4, Value(std::to_string(year) + "-12-31"));
        insert.bind(5, std::string_view(i % 4 == 0 ? "MACRS-150%" : "MACRS"));
        insert.bind(6, cost);
        insert.bind(7, cost);
        insert.bind(8, static_cast<double>((i * 31) % 100'000) / 100.0);
        insert.bind(9, static_cast<double>((i * 37) % 90'000) / 100.0);
        insert.bind(10, static_cast<double>((i * 41) % 90'000) / 100.0);
        insert.run();
    }
    transaction.commit();
}

// "#,##0.00" of a sum the test asks SQLite for.
QString money(CompanyCopy& copy, const std::string& sql) {
    return ui::formatMoney(copy.number(sql));
}

}  // namespace

class AssetListTest : public QObject {
    Q_OBJECT

    std::unique_ptr<CompanyCopy> copy;
    std::unique_ptr<MainWindow> window;
    std::unique_ptr<ReportCatcher> errors;

    QTableView* list() { return byName<QTableView>(window.get(), "Asset List"); }
    QTableView* totals() { return byName<QTableView>(window.get(), "Totals"); }
    QLineEdit* filter() { return byName<QLineEdit>(window.get(), "Filter"); }
    QComboBox* group() { return byName<QComboBox>(window.get(), "Show Group"); }
    QLineEdit* field(ui::Field f) {
        return window->findChild<QLineEdit*>(QString("txtFields_%1").arg(int(f)));
    }
    QString status() { return window->findChild<QLabel*>("lblStatus")->text(); }
    QString cell(int row, int column) {
        return list()->model()->index(row, column).data().toString();
    }
    QString total(int column) { return totals()->model()->index(0, column).data().toString(); }
    int rows() { return list()->model()->rowCount(); }
    int selectedRow() {
        auto selected = list()->selectionModel()->selectedRows();
        return selected.size() == 1 ? selected.first().row() : -1;
    }
    void clickHeader(int column) {
        list()->scrollTo(list()->model()->index(0, column));
        QHeaderView* header = list()->horizontalHeader();
        const QPoint at(header->sectionViewportPosition(column) + header->sectionSize(column) / 2,
                        header->height() / 2);
        QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, at);
    }
    void clickRow(int row) {
        const QModelIndex index = list()->model()->index(row, 0);
        list()->scrollTo(index);
        QTest::mouseClick(list()->viewport(), Qt::LeftButton, {},
                          list()->visualRect(index).center());
    }
    // Buttons by their names in the window: Add, Edit, Save, the moves and
    // the pickers.
    void click(const char* objectName) {
        auto* b = window->findChild<QAbstractButton*>(objectName);
        QVERIFY2(b, objectName);
        QTest::mouseClick(b, Qt::LeftButton);
    }
    // The rows the filter "word" shows, counted by SQLite.
    long long matching(const std::string& word) {
        const std::string like = "'%" + word + "%'";
        return static_cast<long long>(copy->number(
            "SELECT count(*) FROM assets WHERE companynumber = 1 AND ([Asset Description] LIKE " +
            like + " OR groupname LIKE " + like + " OR [Dprn Method - Tax] LIKE " + like + ")"));
    }

  private Q_SLOTS:
    void initTestCase() { isolateUserFolders(); }
    void init() {
        copy = std::make_unique<CompanyCopy>();
        addAssets(*copy);
        errors = std::make_unique<ReportCatcher>();
        window = std::make_unique<MainWindow>(copy->path());
        window->resize(1280, 1024);
        window->show();
        QVERIFY(QTest::qWaitForWindowActive(window.get()));
    }
    void cleanup() {
        window.reset();
        QVERIFY2(errors->reports.empty(),
                 errors->reports.empty() ? "" : errors->reports.front().c_str());
        errors.reset();
        copy.reset();
    }

    void opensWithEveryAssetAndTheirTotals() {
        QVERIFY(list());
        const double count = copy->number("SELECT count(*) FROM assets WHERE companynumber = 1");
        QCOMPARE(rows(), static_cast<int>(count));
        QCOMPARE(total(0), QString("Totals: 100,030 assets"));
        QCOMPARE(total(6), money(*copy, "SELECT total([Asset Cost - Tax]) FROM assets"));
        QCOMPARE(total(7),
                 money(*copy, "SELECT total([Prior Accumulated Dprn - Tax]) FROM assets"));
        QCOMPARE(total(8), money(*copy, "SELECT total([Current Dprn - Tax]) FROM assets"));
        QCOMPARE(total(9), money(*copy, "SELECT total([Current Dprn - Book]) FROM assets"));
        // The form's first asset is the list's first row, shown as the form shows it.
        QCOMPARE(selectedRow(), 0);
        QCOMPARE(cell(0, 0), field(ui::FDescription)->text());
        QCOMPARE(cell(0, 2), field(ui::FPlaced)->text());
        QCOMPARE(cell(0, 6), field(ui::FCostTax)->text());
        QCOMPARE(cell(0, 9), field(ui::FCurrentBook)->text());
    }

    void clickingAHeaderSortsByThatColumn_data() {
        QTest::addColumn<int>("column");
        QTest::addColumn<QString>("first");  // SQL of the first row's value, ascending
        QTest::addColumn<QString>("last");   // and descending
        QTest::addColumn<int>("kind");       // how it is shown
        QTest::newRow("description")
            << 0
            << "SELECT [Asset Description] FROM assets ORDER BY [Asset Description] COLLATE "
               "NOCASE LIMIT 1"
            << "SELECT [Asset Description] FROM assets ORDER BY [Asset Description] COLLATE "
               "NOCASE DESC LIMIT 1"
            << int(ui::FieldKind::Text);
        QTest::newRow("placed in service")
            << 2 << "SELECT min([Date Placed in Service]) FROM assets"
            << "SELECT max([Date Placed in Service]) FROM assets" << int(ui::FieldKind::Date);
        QTest::newRow("cost") << 6 << "SELECT min([Asset Cost - Tax]) FROM assets"
                              << "SELECT max([Asset Cost - Tax]) FROM assets"
                              << int(ui::FieldKind::Money);
        QTest::newRow("current tax depreciation")
            << 8 << "SELECT min([Current Dprn - Tax]) FROM assets"
            << "SELECT max([Current Dprn - Tax]) FROM assets" << int(ui::FieldKind::Money);
    }
    void clickingAHeaderSortsByThatColumn() {
        QFETCH(int, column);
        QFETCH(QString, first);
        QFETCH(QString, last);
        QFETCH(int, kind);
        auto shown = [&](const QString& sql) {
            return ui::displayText(static_cast<ui::FieldKind>(kind),
                                   copy->value(sql.toStdString()));
        };
        const QString entered = cell(0, column);
        clickHeader(column);
        QCOMPARE(cell(0, column), shown(first));
        QCOMPARE(rows(), 100'030);
        clickHeader(column);
        QCOMPARE(cell(0, column), shown(last));
        // The third click returns to the order of entry.
        clickHeader(column);
        QCOMPARE(cell(0, column), entered);
        // The form's asset stays selected whatever the order.
        QCOMPARE(cell(selectedRow(), 0), field(ui::FDescription)->text());
    }

    void typingInTheFilterShowsTheMatchingAssets() {
        QTest::keyClicks(filter(), "FORKLIFT 9");
        QTRY_COMPARE(rows(), static_cast<int>(copy->number(
                                 "SELECT count(*) FROM assets WHERE [Asset Description] LIKE "
                                 "'%forklift%' AND [Asset Description] LIKE '%9%'")));
        QVERIFY(rows() > 0);
        for (int r = 0; r < std::min(rows(), 50); ++r)
            QVERIFY2(cell(r, 0).startsWith("Forklift") && cell(r, 0).contains('9'),
                     qPrintable(cell(r, 0)));
        QCOMPARE(total(0),
                 QString("Totals: %1 assets").arg(QLocale(QLocale::English).toString(rows())));
        QCOMPARE(total(6), money(*copy,
                                 "SELECT total([Asset Cost - Tax]) FROM assets WHERE [Asset "
                                 "Description] LIKE '%forklift%' AND [Asset Description] LIKE "
                                 "'%9%'"));
        // A method is found too, and clearing the box shows every asset again.
        filter()->selectAll();
        QTest::keyClicks(filter(), "macrs-150");
        QTRY_COMPARE(rows(), static_cast<int>(matching("macrs-150")));
        filter()->selectAll();
        QTest::keyClick(filter(), Qt::Key_Backspace);
        QTRY_COMPARE(rows(), 100'030);
    }

    void theGroupSelectorShowsOneGroup() {
        QComboBox* box = group();
        QCOMPARE(box->currentText(), QString("All Groups"));
        QStringList names;
        for (int i = 0; i < box->count(); ++i) names << box->itemText(i);
        QVERIFY2(names.contains("Vehicles") && names.contains("Buildings"),
                 qPrintable(names.join(",")));
        box->setFocus();
        QTest::keyClicks(box, "Veh");
        QCOMPARE(box->currentText(), QString("Vehicles"));
        QTRY_COMPARE(rows(), static_cast<int>(copy->number(
                                 "SELECT count(*) FROM assets WHERE groupname = 'Vehicles'")));
        QCOMPARE(total(9), money(*copy,
                                 "SELECT total([Current Dprn - Book]) FROM assets WHERE "
                                 "groupname = 'Vehicles'"));
        for (int r = 0; r < 30; ++r) QCOMPARE(cell(r, 1), QString("Vehicles"));
        // With a word as well: the vans of the group.
        QTest::keyClicks(filter(), "van");
        QTRY_COMPARE(rows(), static_cast<int>(copy->number(
                                 "SELECT count(*) FROM assets WHERE groupname = 'Vehicles' AND "
                                 "[Asset Description] LIKE '%van%'")));
    }

    void choosingARowShowsTheAssetInTheForm() {
        clickHeader(6);  // by cost, so that the row is not the record's place
        clickRow(7);
        QCOMPARE(field(ui::FDescription)->text(), cell(7, 0));
        QCOMPARE(field(ui::FCostTax)->text(), cell(7, 6));
        const QString placeInForm =
            QString("Record: %1")
                .arg(
                    static_cast<long long>(copy->number("SELECT count(*) FROM assets WHERE AssetID "
                                                        "<= (SELECT AssetID FROM assets WHERE "
                                                        "[Asset Description] = '" +
                                                        cell(7, 0).toStdString() + "')")));
        QCOMPARE(status(), placeInForm);
        QCOMPARE(selectedRow(), 7);

        // From the keyboard: arrows move in the list, Enter shows the asset.
        QTest::keyClick(list(), Qt::Key_Down);
        QTest::keyClick(list(), Qt::Key_Down);
        QCOMPARE(list()->currentIndex().row(), 9);
        QCOMPARE(field(ui::FDescription)->text(), cell(7, 0));
        QTest::keyClick(list(), Qt::Key_Return);
        QCOMPARE(field(ui::FDescription)->text(), cell(9, 0));
    }

    void movingInTheFormSelectsTheRow() {
        click("cmdNext");
        click("cmdNext");
        QCOMPARE(status(), QString("Record: 3"));
        QCOMPARE(selectedRow(), 2);
        click("cmdLast");
        QCOMPARE(selectedRow(), rows() - 1);
        QCOMPARE(cell(selectedRow(), 0), field(ui::FDescription)->text());
        // Sorted, the row follows the asset, wherever the order puts it.
        clickHeader(0);
        click("cmdFirst");
        QCOMPARE(cell(selectedRow(), 0), field(ui::FDescription)->text());
        QVERIFY(selectedRow() > 0);
        // An asset the filter hides leaves no row selected.
        QTest::keyClicks(filter(), "zeppelin");
        QTRY_COMPARE(rows(), 0);
        click("cmdNext");
        QCOMPARE(selectedRow(), -1);
    }

    void savingAnAssetShowsItInTheList() {
        click("cmdEdit");
        typeInto(field(ui::FDescription), "Renamed plant site");
        click("cmdUpdate");
        QCOMPARE(cell(0, 0), QString("Renamed plant site"));
        QCOMPARE(selectedRow(), 0);
        // A new asset appears with the company's totals.
        const QString costBefore = total(6);
        click("cmdAdd");
        QTest::qWait(300);
        typeInto(field(ui::FDescription), "Zeppelin hangar");
        typeInto(field(ui::FPlaced), "06/01/2012");
        typeInto(field(ui::FCostTax), "1000");
        typeInto(field(ui::FUseTax), "1");
        typeInto(field(ui::FUseBook), "1");
        pick(window->findChild<QAbstractButton*>("Command11"), "MACRS");
        pick(window->findChild<QAbstractButton*>("Command12"), "5");
        pick(window->findChild<QAbstractButton*>("Command14"), "SL - Book");
        pick(window->findChild<QAbstractButton*>("Command15"), "5");
        MessageCatcher messages;
        click("cmdUpdate");
        QCOMPARE(rows(), 100'031);
        QCOMPARE(cell(selectedRow(), 0), QString("Zeppelin hangar"));
        QVERIFY(total(6) != costBefore);
        QCOMPARE(total(6), money(*copy, "SELECT total([Asset Cost - Tax]) FROM assets"));
    }

    void aRowTheFormStoresOnAMoveIsShownAsStored() {
        typeInto(field(ui::FDescription), "Plant site, resurveyed");
        // Should the move ask whether to keep the typing, the answer is Save.
        QTimer answer;
        connect(&answer, &QTimer::timeout, [] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget()))
                (box->button(QMessageBox::Save) ? box->button(QMessageBox::Save)
                                                : box->button(QMessageBox::Ok))
                    ->click();
        });
        answer.start(20);
        click("cmdNext");
        QCOMPARE(cell(0, 0), QString("Plant site, resurveyed"));
        QCOMPARE(selectedRow(), 1);
    }

    void everyControlIsNamedByItsTextAndReachedByTab() {
        for (QLabel* label : list()->parentWidget()->findChildren<QLabel*>()) {
            if (!label->buddy()) continue;
            QString text = label->text();
            text.remove('&');
            QCOMPARE(label->buddy()->accessibleName(), text);
        }
        QCOMPARE(list()->horizontalHeader()->model()->headerData(6, Qt::Horizontal).toString(),
                 QString("Cost (Tax)"));
        filter()->setFocus();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(group()));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(list()));
    }
};

QTEST_MAIN(AssetListTest)
#include "assetlist_test.moc"
