// The error report window: the report of a failure in a procedure of the
// asset screen, with and without the previous-sections block, and the
// buttons that copy and save it.
#include "ui/shell/errordialog.h"

#include <QClipboard>
#include <QFile>
#include <QRegularExpression>
#include <QTest>

#include "support/uitesting.h"

using namespace czx;
using namespace czx::uitest;

class ErrorDialogTest : public QObject {
    Q_OBJECT

    const QString dashes = QString(134, '-');
    // The revision follows the minor number directly.
    const QString versionLine = QString("CZX Depreciation  Version %1.%2%3")
                                    .arg(CZX_VERSION_MAJOR)
                                    .arg(CZX_VERSION_MINOR)
                                    .arg(CZX_VERSION_PATCH);

  private Q_SLOTS:
    void initTestCase() { isolateUserFolders(); }

    // A fault of the program (the file refuses to lose the asset) is
    // reported, naming the procedure that failed and the two before it.
    void reportOfAFailedCommand() {
        CompanyCopy copy;
        copy.execute(
            "CREATE TRIGGER keep_assets BEFORE DELETE ON assets "
            "BEGIN SELECT RAISE(ABORT, 'the assets cannot be deleted'); END;");
        ui::ErrorDialog dialog;
        trail::setReporter(&dialog);
        ui::MainWindow window(copy.path());
        window.show();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        QTest::qWait(50);  // the display sizing step has entered the trail
        MessageCatcher yes(QMessageBox::Yes);
        press(&window, "Dele&te Asset");
        QVERIFY(dialog.isVisible());
        QCOMPARE(dialog.windowTitle(), QString("Error Report"));
        const QString withTrail = dialog.reportText();
        const QString head = "ERROR REPORT\n\n" + versionLine + "\n" + dashes +
                             "\n\nAn error occurred within:\nCalcform.cmdDelete_Click\n\n";
        QVERIFY2(withTrail.startsWith(head), qPrintable(withTrail));
        QVERIFY(withTrail.contains("the assets cannot be deleted"));
        QVERIFY(QRegularExpression("Previous sections called:\n[^\n]+\n[^\n]+\n\n-{134}\n$")
                    .match(withTrail)
                    .hasMatch());
        // The asset is still there.
        QCOMPARE(copy.number("SELECT count(*) FROM assets"), 30.0);

        // A failure in the first procedure entered: no previous sections.
        trail::clear();
        press(&window, "Dele&te Asset");
        const QString alone = dialog.reportText();
        QVERIFY2(alone.startsWith(head), qPrintable(alone));
        QVERIFY(!alone.contains("Previous sections called:"));
        QCOMPARE(alone.count(dashes), 1);
        trail::setReporter(nullptr);
    }

    // The window offers the report to be copied or saved, and Close; there
    // is no address to write to.
    void theReportIsCopiedOrSaved() {
        QTemporaryDir folder;
        QString target = folder.filePath("report.txt");
        ui::ErrorDialog dialog(nullptr, [&](QWidget*) { return target; });
        dialog.showErrorReport("ERROR REPORT\r\n\r\nsomething\r\n");
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        QCOMPARE(dialog.reportText(), QString("ERROR REPORT\n\nsomething\n"));
        for (QLabel* label : dialog.findChildren<QLabel*>()) {
            QVERIFY2(!label->text().contains('@'), qPrintable(label->text()));
            QVERIFY2(!label->text().contains("send it to"), qPrintable(label->text()));
        }
        QVERIFY(!dialog.findChild<QLabel*>("Label5"));

        QApplication::clipboard()->clear();
        press(&dialog, "C&opy to clipboard");
        QCOMPARE(QApplication::clipboard()->text(), QString("ERROR REPORT\n\nsomething\n"));

        press(&dialog, "&Save to file");
        QFile saved(target);
        QVERIFY(saved.open(QIODevice::ReadOnly | QIODevice::Text));
        QCOMPARE(QString::fromUtf8(saved.readAll()), QString("ERROR REPORT\n\nsomething\n"));

        // A file that cannot be written is said plainly; the report stays.
        target = folder.filePath("no such folder/report.txt");
        MessageCatcher messages;
        press(&dialog, "&Save to file");
        QCOMPARE(messages.texts.size(), 1);
        QVERIFY2(messages.texts.first().startsWith("The report could not be written to "),
                 qPrintable(messages.texts.first()));
        QCOMPARE(dialog.reportText(), QString("ERROR REPORT\n\nsomething\n"));

        press(&dialog, "&Close");
        QVERIFY(!dialog.isVisible());
    }
};

QTEST_MAIN(ErrorDialogTest)
#include "errordialog_test.moc"
