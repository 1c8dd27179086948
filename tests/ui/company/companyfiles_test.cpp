// The save and copy windows with the file dialog answered by the test: the
// saved file holds the company, a copy brings a company file's company in,
// and no file chosen closes the windows.
#include "ui/company/companyfiles.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QTest>
#include <optional>

#include "store/settings.h"
#include "support/uitesting.h"

using namespace czx;
using namespace czx::uitest;

class CompanyFilesTest : public QObject, protected MainWindowFixture {
    Q_OBJECT
    QTemporaryDir out;

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
    void cleanup() { tearDown(); }

    // Start Copy writes the company to the file chosen and closes; with no
    // file chosen it closes quietly. The main window is disabled meanwhile.
    void startCopyWritesTheCompanyAndCloses_data() {
        QTest::addColumn<bool>("chosen");
        QTest::newRow("a file chosen") << true;
        QTest::newRow("no file chosen") << false;
    }

    void startCopyWritesTheCompanyAndCloses() {
        QFETCH(bool, chosen);
        const QString target = chosen ? out.filePath("riverside.mdb") : QString();
        MessageCatcher messages;
        ui::SaveCompanyWindow window(copy->path(), owner.get(), answer(target));
        window.show();
        QCOMPARE(window.windowTitle(), QString("Copy Company To Disk"));
        QCOMPARE(byName<QLineEdit>(&window, "Name")->text(),
                 QString("Riverside Machine Works, Inc."));
        QVERIFY(!owner->isEnabled());
        press(&window, "Start Copy");
        QTRY_VERIFY(!window.isVisible());
        QVERIFY(owner->isEnabled());
        QVERIFY(messages.texts.isEmpty());
        if (!chosen) return;
        QCOMPARE(count(target, "SELECT COUNT(*) FROM assets"), assets());
        QCOMPARE(count(target, "SELECT COUNT(*) FROM Defaults WHERE Name = "
                               "'Riverside Machine Works, Inc.'"),
                 1.0);
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

    // Saving onto a file the program lives on is refused: a plain message
    // names the problem, the file stays as it was and the window closes. A
    // failure of the database itself still brings up the error report.
    void refusedTargetsAreToldPlainly_data() {
        QTest::addColumn<QString>("target");   // in the data folder
        QTest::addColumn<QString>("problem");  // in the message; empty: an error report
        QTest::addColumn<bool>("locked");      // another program holds the company file
        QTest::newRow("the company file") << kCompanyFile << "the open company's own file" << false;
        QTest::newRow("the method catalogue") << kCatalogueFile << "method catalogue" << false;
        QTest::newRow("the blank template") << kTemplateFile << "blank template" << false;
        QTest::newRow("a folder") << "subfolder"
                                  << "is not a regular file" << false;
        QTest::newRow("company file locked") << "riverside.mdb"
                                             << "" << true;
    }

    void refusedTargetsAreToldPlainly() {
        QFETCH(QString, target);
        QFETCH(QString, problem);
        QFETCH(bool, locked);
        const QString data = QString::fromStdString(copy->path());
        QVERIFY(QDir(data).mkdir("subfolder"));
        const QString file = data + target;
        auto contents = [&] {
            QFile f(file);
            if (!f.open(QIODevice::ReadOnly)) return QByteArray();
            return QCryptographicHash::hash(f.readAll(), QCryptographicHash::Sha256);
        };
        const QByteArray before = contents();
        MessageCatcher messages;
        ui::SaveCompanyWindow window(copy->path(), owner.get(), answer(file));
        window.show();
        std::optional<Connection> other;
        if (locked) {
            other = Connection::open(copy->companyFile());
            other->execute("BEGIN EXCLUSIVE");
        }
        press(&window, "Start Copy");
        QTRY_VERIFY(!window.isVisible());
        if (other) other->execute("ROLLBACK");
        QCOMPARE(contents(), before);
        QVERIFY(owner->isEnabled());
        if (problem.isEmpty()) {
            QCOMPARE(messages.texts, QStringList{});
            QCOMPARE(errors->reports.size(), size_t(1));
            QVERIFY(errors->reports[0].find("Savefrm.Copycmd_Click") != std::string::npos);
            errors->reports.clear();
            QVERIFY(!QFile::exists(file));
            return;
        }
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
            window.Form_Load();
            QTRY_VERIFY(closed);
            QCOMPARE(messages.texts, QStringList{"You must choose a file."});
            QVERIFY(owner->isEnabled());
            QCOMPARE(copy->text("SELECT Name FROM Defaults"),
                     std::string("Riverside Machine Works, Inc."));
        }
        ui::CopyCompanyWindow window(copy->path(), owner.get(),
                                     answer(QString::fromStdString(other.companyFile())));
        window.Form_Load();
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

QTEST_MAIN(CompanyFilesTest)
#include "companyfiles_test.moc"
