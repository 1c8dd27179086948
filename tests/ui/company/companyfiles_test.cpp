// The save and copy windows with the file dialog answered by the test: the
// saved file holds the company, a copy brings a company file's company in,
// and no file chosen closes the windows.
#include "ui/company/companyfiles.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

#include "support/uitesting.h"

using namespace czx;
using namespace czx::uitest;

class CompanyFilesTest : public QObject {
    Q_OBJECT
    std::unique_ptr<CompanyCopy> copy;
    std::unique_ptr<QWidget> owner;
    std::unique_ptr<ReportCatcher> errors;
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
        copy = std::make_unique<CompanyCopy>();
        owner = std::make_unique<QWidget>();
        owner->show();
        errors = std::make_unique<ReportCatcher>();
    }
    void cleanup() {
        owner.reset();
        QVERIFY2(errors->reports.empty(),
                 errors->reports.empty() ? "" : errors->reports.front().c_str());
        errors.reset();
        copy.reset();
    }

    void startCopyWritesTheCompanyAndCloses() {
        const QString target = out.filePath("riverside.mdb");
        ui::SaveCompanyWindow window(copy->path(), owner.get(), answer(target));
        window.show();
        QCOMPARE(window.windowTitle(), QString("Copy Company To Disk"));
        QCOMPARE(byName<QLineEdit>(&window, "Name")->text(),
                 QString("Riverside Machine Works, Inc."));
        QVERIFY(!owner->isEnabled());
        QTest::mouseClick(byName<QPushButton>(&window, "Start Copy"), Qt::LeftButton);
        QTRY_VERIFY(!window.isVisible());
        QVERIFY(owner->isEnabled());
        QCOMPARE(count(target, "SELECT COUNT(*) FROM assets"),
                 copy->number("SELECT COUNT(*) FROM assets"));
        QCOMPARE(count(target,
                       "SELECT COUNT(*) FROM Defaults WHERE Name = "
                       "'Riverside Machine Works, Inc.'"),
                 1.0);
    }

    void noFileChosenClosesTheSaveWindowQuietly() {
        MessageCatcher messages;
        ui::SaveCompanyWindow window(copy->path(), owner.get(), answer(""));
        window.show();
        QTest::mouseClick(byName<QPushButton>(&window, "Start Copy"), Qt::LeftButton);
        QTRY_VERIFY(!window.isVisible());
        QVERIFY(messages.texts.isEmpty());
        QVERIFY(owner->isEnabled());
    }

    void noFileChosenSaysSoAndClosesTheCopyWindow() {
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

    // A company file made from the sample with another name and year end,
    // then copied in over the open company.
    void copyCompanyShowsTheFileAndBringsItsCompanyIn() {
        CompanyCopy other;
        other.execute(
            "UPDATE Defaults SET Name = 'Lakeside Press', YearEnd = '2011-06-30';"
            "DELETE FROM assets WHERE AssetID > 3;");
        ui::CopyCompanyWindow window(copy->path(), owner.get(),
                                     answer(QString::fromStdString(other.companyFile())));
        window.Form_Load();
        QCOMPARE(window.windowTitle(), QString("Copy Company From Disk"));
        QCOMPARE(byName<QLineEdit>(&window, "Name")->text(), QString("Lakeside Press"));
        QCOMPARE(byName<QLineEdit>(&window, "Current Year End")->text(), QString("06/30/2011"));
        QVERIFY(!owner->isEnabled());
        QTest::mouseClick(byName<QPushButton>(&window, "Copy Company"), Qt::LeftButton);
        QTRY_VERIFY(!window.isVisible());
        QVERIFY(owner->isEnabled());
        QCOMPARE(copy->text("SELECT Name FROM Defaults"), std::string("Lakeside Press"));
        QCOMPARE(copy->number("SELECT COUNT(*) FROM assets"), 3.0);
    }
};

QTEST_MAIN(CompanyFilesTest)
#include "companyfiles_test.moc"
