// The company windows driven through their buttons, keys and fields: the
// company information (edited, saved, cancelled, every asset flagged when a
// change decides their amounts), the groups, and the save and copy windows
// with the file dialog answered by the test.
#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QTest>
#include <optional>

#include "store/settings.h"
#include "support/uitesting.h"
#include "ui/company/companyfiles.h"
#include "ui/company/companyinfowindow.h"
#include "ui/company/groupwindow.h"

using namespace czx;
using namespace czx::uitest;
using czx::ui::CompanyInfoWindow;
using czx::ui::GroupWindow;

// The sample company's groups in name order.
static const QStringList kGroups = {
    "Buildings", "Computers",         "Furniture & Fixtures",   "Intangibles",
    "Land",      "Land Improvements", "Leasehold Improvements", "Machinery & Equipment",
    "Vehicles"};

class CompanyWindowsTest : public QObject, protected MainWindowFixture {
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

    std::unique_ptr<GroupWindow> groups;

    QLineEdit* name() { return byName<QLineEdit>(groups.get(), "Group Name"); }
    QString shown() { return groups->findChild<QLabel*>("lblStatus")->text(); }
    void pressGroup(const char* button) { press(groups.get(), button); }
    QStringList storedGroups() {
        return QString::fromStdString(copy->text("SELECT group_concat(groupname, '|') FROM "
                                                 "(SELECT groupname FROM groups ORDER BY 1)"))
            .split('|', Qt::SkipEmptyParts);
    }
    // Add, Edit, Delete, Close and the moves while browsing; Update and
    // Cancel while editing, the name open to typing.
    void browsing(bool yes) {
        auto b = [&](const char* name) { return byName<QAbstractButton>(groups.get(), name); };
        for (const char* name : {"&Add", "&Edit", "&Delete", "&Close"})
            QCOMPARE(b(name)->isVisible(), yes);
        for (const char* name : {"&Update", "&Cancel"}) QCOMPARE(b(name)->isVisible(), !yes);
        for (const char* name : {"First", "Previous", "Next", "Last"})
            QCOMPARE(b(name)->isEnabled(), yes);
        QCOMPARE(name()->isReadOnly(), yes);
    }

    static ui::FileChooser answer(const QString& file) {
        return [file](QWidget*) { return file; };
    }
    static double count(const QString& file, const char* sql) {
        Connection c = Connection::open(file.toStdString());
        Statement s = c.prepare(sql);
        s.step();
        return s.columnDouble(0);
    }

  private Q_SLOTS:
    void initTestCase() { isolateUserFolders(); }
    void init() {
        setUp();
        owner->show();
    }
    void cleanup() {
        info.reset();
        groups.reset();
        tearDown();
    }

    // Read-only until Edit Company; Save Company stores what was typed,
    // Cancel drops it.
    void editSaveAndCancel() {
        openInfo();
        QCOMPARE(infoField("Name")->text(), QString("Riverside Machine Works, Inc."));
        QCOMPARE(infoField("Current Year End")->text(), QString("12/31/2012"));
        QVERIFY(infoField("Name")->isReadOnly());
        QVERIFY(!check("Book")->isEnabled());
        press(info.get(), "&Edit Company");
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

    // Add and Update append a group and stand on it; Edit and Update
    // rename, Edit and Cancel keep the name; Delete moves to the next group
    // or the new last; with every group deleted, Add and Update make the
    // first one again. (Where Cancel returns to is the presenter's, tested
    // there.)
    void addEditAndDeleteGroups() {
        groups = std::make_unique<GroupWindow>(copy->path(), owner.get());
        groups->show();
        QVERIFY(QTest::qWaitForWindowExposed(groups.get()));
        QCOMPARE(groups->windowTitle(), QString("Add & Update Groups"));
        QVERIFY(!owner->isEnabled());
        QCOMPARE(name()->text(), QString("Buildings"));
        QCOMPARE(shown(), QString("Record: 1"));
        browsing(true);
        pressGroup("&Add");
        QCOMPARE(shown(), QString("Add record"));
        browsing(false);
        QCOMPARE(name()->text(), QString());
        typeInto(name(), "Aircraft");
        pressGroup("&Update");
        QStringList expected = QStringList{"Aircraft"} + kGroups;
        QCOMPARE(storedGroups(), expected);
        // The new row joins the end of the list until the list is reopened.
        QCOMPARE(shown(), QString("Record: 10"));
        QCOMPARE(name()->text(), QString("Aircraft"));

        pressGroup("First");
        pressGroup("Next");
        pressGroup("Next");
        pressGroup("&Edit");
        QCOMPARE(shown(), QString("Edit record"));
        typeInto(name(), "Furniture");
        pressGroup("&Cancel");
        QCOMPARE(name()->text(), QString("Buildings"));  // no bookmark: back to the first row
        browsing(true);
        pressGroup("Next");
        pressGroup("&Edit");
        typeInto(name(), "Computer Equipment");
        pressGroup("&Update");
        QCOMPARE(shown(), QString("Record: 2"));
        expected[2] = "Computer Equipment";
        QCOMPARE(storedGroups(), expected);

        pressGroup("First");
        pressGroup("&Delete");  // Buildings
        QCOMPARE(name()->text(), QString("Computer Equipment"));
        QCOMPARE(shown(), QString("Record: 1"));
        pressGroup("Last");
        pressGroup("&Delete");  // Aircraft
        QCOMPARE(name()->text(), QString("Vehicles"));
        QCOMPARE(shown(), QString("Record: 8"));
        expected.removeAll("Buildings");
        expected.removeAll("Aircraft");
        QCOMPARE(storedGroups(), expected);
        for (int left = 8; left > 0; --left) pressGroup("&Delete");
        QCOMPARE(shown(), QString("Click Add To Create First Record"));
        pressGroup("&Add");
        typeInto(name(), "Tools & Dies");
        pressGroup("&Update");
        QCOMPARE(storedGroups(), QStringList{"Tools & Dies"});
        QCOMPARE(shown(), QString("Record: 1"));
        pressGroup("&Close");
        QVERIFY(owner->isEnabled());
    }

    // The keys move from the fifth group (where the buttons stop is the
    // presenter's, tested there); while editing keys and Escape are ignored,
    // while browsing Escape closes.
    void buttonsAndKeysMove() {
        groups = std::make_unique<GroupWindow>(copy->path(), owner.get());
        groups->show();
        QVERIFY(QTest::qWaitForWindowExposed(groups.get()));
        const std::pair<const char*, int> keys[] = {{"Home", 1}, {"End", 9},     {"Up", 4},
                                                    {"PgUp", 4}, {"Ctrl+Up", 1}, {"Ctrl+PgUp", 1},
                                                    {"Down", 6}, {"PgDown", 6},  {"Ctrl+Down", 9}};
        for (auto [key, position] : keys) {
            pressGroup("First");
            for (int i = 0; i < 4; ++i) pressGroup("Next");
            QTest::keySequence(groups.get(), QKeySequence(key));
            QCOMPARE(shown(), QString("Record: %1").arg(position));
            QCOMPARE(name()->text(), kGroups[position - 1]);
        }
        pressGroup("First");
        pressGroup("&Edit");
        QTest::keyClick(groups.get(), Qt::Key_End);
        QTest::keyClick(groups.get(), Qt::Key_Escape);
        QVERIFY(groups->isVisible());
        QCOMPARE(name()->text(), QString("Buildings"));
        pressGroup("&Cancel");
        QTest::keyClick(groups.get(), Qt::Key_Escape);
        QVERIFY(!groups->isVisible());
        QVERIFY(owner->isEnabled());
    }

    // The toolkit's save dialog starts in the user's documents folder, not
    // in the data folder, whose files a save must never replace.
    void saveDialogStartsInTheDocumentsFolder() {
        QTemporaryDir documents;
        const QString config = qEnvironmentVariable("XDG_CONFIG_HOME");
        QVERIFY(QDir().mkpath(config));
        QFile dirs(config + "/user-dirs.dirs");
        QVERIFY(dirs.open(QIODevice::WriteOnly | QIODevice::Truncate));
        dirs.write(("XDG_DOCUMENTS_DIR=\"" + documents.path() + "\"\n").toUtf8());
        dirs.close();

        ui::SaveCompanyWindow window(copy->path(), owner.get());
        window.show();
        QString startFolder;
        QTimer poll;
        connect(&poll, &QTimer::timeout, [&] {
            auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
            if (!dialog) return;
            startFolder = dialog->directory().absolutePath();
            dialog->reject();
        });
        poll.start(20);
        press(&window, "Start Copy");
        poll.stop();
        QFile::remove(config + "/user-dirs.dirs");
        QCOMPARE(startFolder, QDir(documents.path()).absolutePath());
        QVERIFY(startFolder != QDir(QString::fromStdString(copy->path())).absolutePath());
        QTRY_VERIFY(!window.isVisible());
    }

    // Start Copy writes the company to the file chosen and closes; with no
    // file chosen it closes quietly. A file the program lives on is refused
    // with a plain message naming the problem, and stays as it was; a
    // failure of the database itself brings up the error report.
    void startCopy_data() {
        QTest::addColumn<QString>("target");   // in the data folder; empty: none chosen
        QTest::addColumn<QString>("problem");  // in the message; "report": an error report
        QTest::addColumn<bool>("locked");      // another program holds the company file
        QTest::newRow("a new file") << "riverside.mdb"
                                    << "" << false;
        QTest::newRow("no file chosen") << ""
                                        << "" << false;
        QTest::newRow("the company file") << kCompanyFile << "the open company's own file" << false;
        QTest::newRow("the method catalogue") << kCatalogueFile << "method catalogue" << false;
        QTest::newRow("the blank template") << kTemplateFile << "blank template" << false;
        QTest::newRow("a folder") << "subfolder"
                                  << "is not a regular file" << false;
        QTest::newRow("company file locked") << "riverside.mdb"
                                             << "report" << true;
    }

    void startCopy() {
        QFETCH(QString, target);
        QFETCH(QString, problem);
        QFETCH(bool, locked);
        const QString data = QString::fromStdString(copy->path());
        QVERIFY(QDir(data).mkdir("subfolder"));
        const QString file = target.isEmpty() ? QString() : data + target;
        auto contents = [&] {
            QFile f(file);
            if (!f.open(QIODevice::ReadOnly)) return QByteArray();
            return QCryptographicHash::hash(f.readAll(), QCryptographicHash::Sha256);
        };
        const QByteArray before = contents();
        MessageCatcher messages;
        ui::SaveCompanyWindow window(copy->path(), owner.get(), answer(file));
        window.show();
        QCOMPARE(window.windowTitle(), QString("Copy Company To Disk"));
        QCOMPARE(byName<QLineEdit>(&window, "Name")->text(),
                 QString("Riverside Machine Works, Inc."));
        QVERIFY(!owner->isEnabled());
        std::optional<Connection> other;
        if (locked) {
            other = Connection::open(copy->companyFile());
            other->execute("BEGIN EXCLUSIVE");
        }
        press(&window, "Start Copy");
        QTRY_VERIFY(!window.isVisible());
        if (other) other->execute("ROLLBACK");
        QVERIFY(owner->isEnabled());
        if (problem.isEmpty() || problem == "report") {
            QCOMPARE(messages.texts, QStringList{});
            if (problem == "report") {
                QCOMPARE(errors->reports.size(), size_t(1));
                QVERIFY(errors->reports[0].find("Savefrm.Copycmd_Click") != std::string::npos);
                errors->reports.clear();
                QVERIFY(!QFile::exists(file));
            } else if (!file.isEmpty()) {
                QCOMPARE(count(file, "SELECT COUNT(*) FROM assets"), assets());
                QCOMPARE(count(file,
                               "SELECT COUNT(*) FROM Defaults WHERE Name = "
                               "'Riverside Machine Works, Inc.'"),
                         1.0);
            }
            return;
        }
        QCOMPARE(contents(), before);
        QCOMPARE(messages.texts.size(), 1);
        QVERIFY2(messages.texts[0].contains(problem), qPrintable(messages.texts[0]));
        QVERIFY2(messages.texts[0].contains(file), qPrintable(messages.texts[0]));
        QCOMPARE(messages.titles, QStringList{"CZX Depreciation"});
    }

    // Copy Company From Disk shows the chosen file's company and brings it
    // in over the open one; with no file chosen it says so and closes.
    void copyCompanyBringsTheFilesCompanyIn() {
        CompanyCopy other;
        other.execute(
            "UPDATE Defaults SET Name = 'Lakeside Press', YearEnd = '2011-06-30';"
            "DELETE FROM assets WHERE AssetID > 3;");
        {
            MessageCatcher messages;
            ui::CopyCompanyWindow window(copy->path(), owner.get(), answer(""));
            bool closed = false;
            connect(&window, &ui::OwnedWindow::closed, [&] { closed = true; });
            window.load();
            QTRY_VERIFY(closed);
            QCOMPARE(messages.texts, QStringList{"You must choose a file."});
            QVERIFY(owner->isEnabled());
            QCOMPARE(copy->text("SELECT Name FROM Defaults"),
                     std::string("Riverside Machine Works, Inc."));
        }
        ui::CopyCompanyWindow window(copy->path(), owner.get(),
                                     answer(QString::fromStdString(other.companyFile())));
        window.load();
        QCOMPARE(window.windowTitle(), QString("Copy Company From Disk"));
        QCOMPARE(byName<QLineEdit>(&window, "Name")->text(), QString("Lakeside Press"));
        QCOMPARE(byName<QLineEdit>(&window, "Current Year End")->text(), QString("06/30/2011"));
        QVERIFY(!owner->isEnabled());
        press(&window, "Copy Company");
        QTRY_VERIFY(!window.isVisible());
        QVERIFY(owner->isEnabled());
        QCOMPARE(copy->text("SELECT Name FROM Defaults"), std::string("Lakeside Press"));
        QCOMPARE(assets(), 3.0);
    }
};

QTEST_MAIN(CompanyWindowsTest)
#include "companywindows_test.moc"
