// The groups window driven through its buttons, keys and field: Add, Update,
// Cancel, Edit and Delete, the status texts and the navigation.
#include "ui/company/groupwindow.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QToolButton>
#include <memory>

#include "support/uitesting.h"

using namespace czx;
using namespace czx::uitest;
using czx::ui::GroupWindow;

// The sample company's groups in name order.
static const QStringList kGroups = {
    "Buildings", "Computers",         "Furniture & Fixtures",   "Intangibles",
    "Land",      "Land Improvements", "Leasehold Improvements", "Machinery & Equipment",
    "Vehicles"};

class GroupWindowTest : public QObject {
    Q_OBJECT

    std::unique_ptr<CompanyCopy> copy;
    std::unique_ptr<QWidget> owner;
    std::unique_ptr<GroupWindow> window;
    std::unique_ptr<ReportCatcher> errors;

    void open() {
        window = std::make_unique<GroupWindow>(copy->path(), owner.get());
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    }
    QLineEdit* field() { return byName<QLineEdit>(window.get(), "Group Name"); }
    QString status() { return window->findChild<QLabel*>("lblStatus")->text(); }
    QAbstractButton* button(const QString& name) {
        return byName<QAbstractButton>(window.get(), name);
    }
    void click(const QString& name) {
        QAbstractButton* b = button(name);
        QVERIFY2(b && b->isVisible() && b->isEnabled(), qPrintable(name));
        QTest::mouseClick(b, Qt::LeftButton);
    }
    QStringList stored() {
        QStringList names;
        Connection c = Connection::open(copy->companyFile());
        Statement s = c.prepare("SELECT groupname FROM groups ORDER BY groupname");
        while (s.step()) names << QString::fromStdString(s.columnText(0));
        return names;
    }
    void browsing(bool yes) {
        for (const char* b : {"&Add", "&Edit", "&Delete", "&Close"})
            QCOMPARE(button(b)->isVisible(), yes);
        for (const char* b : {"&Update", "&Cancel"}) QCOMPARE(button(b)->isVisible(), !yes);
        for (const char* b : {"First", "Previous", "Next", "Last"})
            QCOMPARE(button(b)->isEnabled(), yes);
        QCOMPARE(field()->isReadOnly(), yes);
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
        QVERIFY2(errors->reports.empty(),
                 errors->reports.empty() ? "" : errors->reports.front().c_str());
        errors.reset();
        copy.reset();
    }

    void opensOnTheFirstGroupWithCaptionsAndTips() {
        open();
        QCOMPARE(window->windowTitle(), QString("Add & Update Groups"));
        QCOMPARE(field()->text(), QString("Buildings"));
        QCOMPARE(status(), QString("Record: 1"));
        browsing(true);
        QCOMPARE(button("&Add")->toolTip(), QString("Click on this to add a new group."));
        QCOMPARE(button("&Edit")->toolTip(),
                 QString("If you are not adding a group, but simply want to change the data of "
                         "the current group, click on this command \"before\" editing."));
        QCOMPARE(button("&Update")->toolTip(),
                 QString("This is basically the save button. Click on it when you are finished "
                         "adding or editing the group."));
    }

    void ownerIsDisabledWhileOpen() {
        owner->show();
        open();
        QVERIFY(!owner->isEnabled());
        click("&Close");
        QVERIFY(owner->isEnabled());
    }

    void emptyTableAddAndUpdateMakeTheFirstGroup() {
        copy->execute("DELETE FROM groups");
        open();
        QCOMPARE(status(), QString("Click Add To Create First Record"));
        click("&Add");
        QCOMPARE(status(), QString("Add record"));
        browsing(false);
        typeInto(field(), "Tools & Dies");
        click("&Update");
        browsing(true);
        QCOMPARE(stored(), QStringList{"Tools & Dies"});
        QCOMPARE(status(), QString("Record: 1"));
        QCOMPARE(field()->text(), QString("Tools & Dies"));
    }

    void addThenUpdateAppendsAndStandsOnTheNewRow() {
        open();
        click("&Add");
        QCOMPARE(field()->text(), QString());
        typeInto(field(), "Aircraft");
        click("&Update");
        QStringList expected = kGroups;
        expected.insert(0, "Aircraft");
        QCOMPARE(stored(), expected);
        // The new row joins the end of the list until the list is reopened.
        QCOMPARE(status(), QString("Record: 10"));
        QCOMPARE(field()->text(), QString("Aircraft"));
    }

    void cancelAfterAddReturnsToTheGroupShownBefore() {
        open();
        click("Next");
        click("Next");
        QCOMPARE(field()->text(), QString("Furniture & Fixtures"));
        click("&Add");
        typeInto(field(), "Never stored");
        click("&Cancel");
        browsing(true);
        QCOMPARE(field()->text(), QString("Furniture & Fixtures"));
        QCOMPARE(status(), QString("Record: 3"));
        QCOMPARE(stored(), kGroups);
    }

    void editThenUpdateRenamesAndCancelKeepsTheName() {
        open();
        click("Next");
        click("&Edit");
        QCOMPARE(status(), QString("Edit record"));
        browsing(false);
        typeInto(field(), "Computer Equipment");
        click("&Cancel");
        QCOMPARE(stored(), kGroups);
        QCOMPARE(field()->text(), QString("Buildings"));  // no bookmark: back to the first row

        click("Next");
        click("&Edit");
        typeInto(field(), "Computer Equipment");
        click("&Update");
        QCOMPARE(status(), QString("Record: 2"));
        QStringList expected = kGroups;
        expected[1] = "Computer Equipment";
        QCOMPARE(stored(), expected);
    }

    void deleteMovesToTheNextGroupOrTheNewLast() {
        open();
        click("&Delete");  // Buildings
        QCOMPARE(field()->text(), QString("Computers"));
        QCOMPARE(status(), QString("Record: 1"));
        click("Last");
        QCOMPARE(field()->text(), QString("Vehicles"));
        click("&Delete");
        QCOMPARE(field()->text(), QString("Machinery & Equipment"));
        QCOMPARE(status(), QString("Record: 7"));
        QStringList expected = kGroups;
        expected.removeAll("Buildings");
        expected.removeAll("Vehicles");
        QCOMPARE(stored(), expected);
    }

    void navigationButtonsStopAtTheEnds() {
        open();
        click("Previous");
        QCOMPARE(status(), QString("Record: 1"));
        click("Last");
        click("Next");
        QCOMPARE(status(), QString("Record: 9"));
        QCOMPARE(field()->text(), QString("Vehicles"));
        click("First");
        QCOMPARE(field()->text(), QString("Buildings"));
    }

    void keys_data() {
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<int>("position");
        // From the fifth group.
        QTest::newRow("Home") << int(Qt::Key_Home) << 0 << 1;
        QTest::newRow("End") << int(Qt::Key_End) << 0 << 9;
        QTest::newRow("Up") << int(Qt::Key_Up) << 0 << 4;
        QTest::newRow("PageUp") << int(Qt::Key_PageUp) << 0 << 4;
        QTest::newRow("Ctrl+Up") << int(Qt::Key_Up) << int(Qt::ControlModifier) << 1;
        QTest::newRow("Ctrl+PageUp") << int(Qt::Key_PageUp) << int(Qt::ControlModifier) << 1;
        QTest::newRow("Down") << int(Qt::Key_Down) << 0 << 6;
        QTest::newRow("PageDown") << int(Qt::Key_PageDown) << 0 << 6;
        QTest::newRow("Ctrl+Down") << int(Qt::Key_Down) << int(Qt::ControlModifier) << 9;
    }
    void keys() {
        QFETCH(int, key);
        QFETCH(int, modifiers);
        QFETCH(int, position);
        open();
        for (int i = 0; i < 4; ++i) click("Next");
        QCOMPARE(status(), QString("Record: 5"));
        QTest::keyClick(window.get(), Qt::Key(key), Qt::KeyboardModifiers(modifiers));
        QCOMPARE(status(), QString("Record: %1").arg(position));
        QCOMPARE(field()->text(), kGroups[position - 1]);
    }

    void keysAreIgnoredWhileEditingAndEscapeCloses() {
        owner->show();
        open();
        click("&Edit");
        QTest::keyClick(window.get(), Qt::Key_End);
        QTest::keyClick(window.get(), Qt::Key_Escape);
        QVERIFY(window->isVisible());
        QCOMPARE(field()->text(), QString("Buildings"));
        click("&Cancel");
        QTest::keyClick(window.get(), Qt::Key_Escape);
        QVERIFY(!window->isVisible());
        QVERIFY(owner->isEnabled());
    }
};

QTEST_MAIN(GroupWindowTest)
#include "groupwindow_test.moc"
