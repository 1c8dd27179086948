// The groups window driven through its buttons, keys and field: Add, Update,
// Cancel, Edit and Delete, the status texts and the navigation.
#include "ui/company/groupwindow.h"

#include <QTest>

#include "support/uitesting.h"

using namespace czx;
using namespace czx::uitest;
using czx::ui::GroupWindow;

// The sample company's groups in name order.
static const QStringList kGroups = {
    "Buildings", "Computers",         "Furniture & Fixtures",   "Intangibles",
    "Land",      "Land Improvements", "Leasehold Improvements", "Machinery & Equipment",
    "Vehicles"};

class GroupWindowTest : public QObject, protected MainWindowFixture {
    Q_OBJECT

    std::unique_ptr<GroupWindow> groups;

    void openGroups() {
        owner->show();
        groups = std::make_unique<GroupWindow>(copy->path(), owner.get());
        groups->show();
        QVERIFY(QTest::qWaitForWindowExposed(groups.get()));
    }
    QLineEdit* name() { return byName<QLineEdit>(groups.get(), "Group Name"); }
    QString shown() { return groups->findChild<QLabel*>("lblStatus")->text(); }
    void press(const char* button) { uitest::press(groups.get(), button); }
    QStringList stored() {
        QStringList names;
        Connection c = Connection::open(copy->companyFile());
        Statement s = c.prepare("SELECT groupname FROM groups ORDER BY groupname");
        while (s.step()) names << QString::fromStdString(s.columnText(0));
        return names;
    }
    void browsing(bool yes) {
        auto b = [&](const char* name) { return byName<QAbstractButton>(groups.get(), name); };
        for (const char* name : {"&Add", "&Edit", "&Delete", "&Close"})
            QCOMPARE(b(name)->isVisible(), yes);
        for (const char* name : {"&Update", "&Cancel"}) QCOMPARE(b(name)->isVisible(), !yes);
        for (const char* name : {"First", "Previous", "Next", "Last"})
            QCOMPARE(b(name)->isEnabled(), yes);
        QCOMPARE(name()->isReadOnly(), yes);
    }

  private Q_SLOTS:
    void initTestCase() { isolateUserFolders(); }
    void init() { setUp(); }
    void cleanup() {
        groups.reset();
        tearDown();
    }

    // Add and Update append a group and stand on it; Cancel after Add goes
    // back to the group shown before; Edit and Update rename, Edit and
    // Cancel keep the name; Delete moves to the next group or the new last.
    void addEditAndDeleteGroups() {
        openGroups();
        QCOMPARE(groups->windowTitle(), QString("Add & Update Groups"));
        QVERIFY(!owner->isEnabled());
        QCOMPARE(name()->text(), QString("Buildings"));
        QCOMPARE(shown(), QString("Record: 1"));
        browsing(true);
        QCOMPARE(byName<QAbstractButton>(groups.get(), "&Add")->toolTip(),
                 QString("Click on this to add a new group."));
        press("&Add");
        QCOMPARE(name()->text(), QString());
        typeInto(name(), "Aircraft");
        press("&Update");
        QStringList expected = QStringList{"Aircraft"} + kGroups;
        QCOMPARE(stored(), expected);
        // The new row joins the end of the list until the list is reopened.
        QCOMPARE(shown(), QString("Record: 10"));
        QCOMPARE(name()->text(), QString("Aircraft"));

        press("First");
        press("Next");
        press("Next");
        QCOMPARE(name()->text(), QString("Furniture & Fixtures"));
        press("&Add");
        typeInto(name(), "Never stored");
        press("&Cancel");
        browsing(true);
        QCOMPARE(name()->text(), QString("Furniture & Fixtures"));
        QCOMPARE(shown(), QString("Record: 3"));

        press("&Edit");
        QCOMPARE(shown(), QString("Edit record"));
        browsing(false);
        typeInto(name(), "Furniture");
        press("&Cancel");
        QCOMPARE(name()->text(), QString("Buildings"));  // no bookmark: back to the first row
        press("Next");
        press("&Edit");
        typeInto(name(), "Computer Equipment");
        press("&Update");
        QCOMPARE(shown(), QString("Record: 2"));
        expected[2] = "Computer Equipment";
        QCOMPARE(stored(), expected);

        press("First");
        press("&Delete");  // Buildings
        QCOMPARE(name()->text(), QString("Computer Equipment"));
        QCOMPARE(shown(), QString("Record: 1"));
        press("Last");
        QCOMPARE(name()->text(), QString("Aircraft"));
        press("&Delete");
        QCOMPARE(name()->text(), QString("Vehicles"));
        QCOMPARE(shown(), QString("Record: 8"));
        expected.removeAll("Buildings");
        expected.removeAll("Aircraft");
        QCOMPARE(stored(), expected);
        press("&Close");
        QVERIFY(owner->isEnabled());
    }

    void anEmptyTableMakesItsFirstGroup() {
        copy->execute("DELETE FROM groups");
        openGroups();
        QCOMPARE(shown(), QString("Click Add To Create First Record"));
        press("&Add");
        QCOMPARE(shown(), QString("Add record"));
        browsing(false);
        typeInto(name(), "Tools & Dies");
        press("&Update");
        browsing(true);
        QCOMPARE(stored(), QStringList{"Tools & Dies"});
        QCOMPARE(shown(), QString("Record: 1"));
    }

    // The buttons stop at the ends; the keys move from the fifth group; while
    // editing keys and Escape are ignored, while browsing Escape closes.
    void buttonsAndKeysMove() {
        openGroups();
        press("Previous");
        QCOMPARE(shown(), QString("Record: 1"));
        press("Last");
        press("Next");
        QCOMPARE(shown(), QString("Record: 9"));
        const std::tuple<Qt::Key, Qt::KeyboardModifiers, int> keys[] = {
            {Qt::Key_Home, {}, 1},
            {Qt::Key_End, {}, 9},
            {Qt::Key_Up, {}, 4},
            {Qt::Key_PageUp, {}, 4},
            {Qt::Key_Up, Qt::ControlModifier, 1},
            {Qt::Key_PageUp, Qt::ControlModifier, 1},
            {Qt::Key_Down, {}, 6},
            {Qt::Key_PageDown, {}, 6},
            {Qt::Key_Down, Qt::ControlModifier, 9}};
        for (auto [key, modifiers, position] : keys) {
            press("First");
            for (int i = 0; i < 4; ++i) press("Next");
            QTest::keyClick(groups.get(), key, modifiers);
            QCOMPARE(shown(), QString("Record: %1").arg(position));
            QCOMPARE(name()->text(), kGroups[position - 1]);
        }
        press("First");
        press("&Edit");
        QTest::keyClick(groups.get(), Qt::Key_End);
        QTest::keyClick(groups.get(), Qt::Key_Escape);
        QVERIFY(groups->isVisible());
        QCOMPARE(name()->text(), QString("Buildings"));
        press("&Cancel");
        QTest::keyClick(groups.get(), Qt::Key_Escape);
        QVERIFY(!groups->isVisible());
        QVERIFY(owner->isEnabled());
    }
};

QTEST_MAIN(GroupWindowTest)
#include "groupwindow_test.moc"
