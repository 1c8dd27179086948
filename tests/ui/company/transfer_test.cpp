// File > Import Assets... with a file that has wrong rows: the problems in a
// read-only list the user can copy, and nothing imported.
#include "ui/company/transfer.h"

#include <QClipboard>
#include <QFile>
#include <QPlainTextEdit>
#include <QTest>

#include "support/uitesting.h"

using namespace czx;
using namespace czx::uitest;

class TransferTest : public QObject {
    Q_OBJECT

  private Q_SLOTS:
    void initTestCase() { isolateUserFolders(); }

    void wrongRowsAreListedAndNothingIsImported() {
        CompanyCopy copy;
        const QString file = QString::fromStdString(copy.path()) + "assets.csv";
        QFile csv(file);
        QVERIFY(csv.open(QIODevice::WriteOnly));
        csv.write(
            "Asset Description,Date Placed in Service,Dprn Method - Tax,Dprn Life - Tax,"
            "Asset Cost - Tax\n"
            "Drill,2012-02-30,MACRS,7,500\n"
            "Saw,2012-03-01,MACRS,8,400\n");
        csv.close();
        const QString expected =
            "line 2, column Date Placed in Service: \"2012-02-30\" is not a date (YYYY-MM-DD or "
            "M/D/YYYY)\n"
            "line 3, column Dprn Life - Tax: \"8\" is not a life the method MACRS takes";

        QString listed, copied;
        bool readOnly = false;
        QTimer watcher;
        QObject::connect(&watcher, &QTimer::timeout, [&] {
            auto* dialog =
                qobject_cast<ui::ImportProblemsDialog*>(QApplication::activeModalWidget());
            if (!dialog) return;
            listed = dialog->list()->toPlainText();
            readOnly = dialog->list()->isReadOnly();
            press(dialog, "Copy All");
            copied = QApplication::clipboard()->text();
            press(dialog, "Close");
        });
        watcher.start(20);

        Connection db = Connection::open(copy.companyFile());
        const bool imported = ui::importAssets(nullptr, db, copy.path() + "czxdmthd.mdb",
                                               [&](QWidget*) { return file; });
        QVERIFY(!imported);
        QCOMPARE(listed, expected);
        QVERIFY(readOnly);
        QCOMPARE(copied, expected);
        QCOMPARE(copy.number("SELECT count(*) FROM assets"), 30.0);
    }
};

QTEST_MAIN(TransferTest)
#include "transfer_test.moc"
