// The error report window: the report of a failure in a procedure of the
// asset screen, with and without the previous-sections block, and the
// support address that starts a mail message.
#include <QDesktopServices>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRegularExpression>
#include <QTest>
#include <QToolButton>
#include <QUrl>
#include <memory>

#include "support/uitesting.h"
#include "ui/entry/mainwindow.h"
#include "ui/shell/errordialog.h"

using namespace czx;
using namespace czx::uitest;

class MailCatcher : public QObject {
    Q_OBJECT
public:
    QList<QUrl> opened;
  public Q_SLOTS:
    void open(const QUrl& url) { opened << url; }
};

class ErrorDialogTest : public QObject {
    Q_OBJECT

    const QString dashes = QString(134, '-');
    QString versionLine() const {
        // The revision follows the minor number directly.
        return QString("CZX Depreciation  Version %1.%2%3")
            .arg(CZX_VERSION_MAJOR)
            .arg(CZX_VERSION_MINOR)
            .arg(CZX_VERSION_PATCH);
    }

  private Q_SLOTS:
    void initTestCase() { isolateUserFolders(); }

    void reportOfAFailedCommand() {
        CompanyCopy copy;
        ui::ErrorDialog dialog;
        trail::setReporter(&dialog);
        ui::MainWindow window(copy.path());
        window.show();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        auto* placed = byName<QLineEdit>(&window, "* Actual Date In Service");
        typeInto(placed, "13/45/2011");  // not a date: the bonus calculation fails
        auto* bonus = byName<QToolButton>(&window, "Calculate Bonus");
        QTest::mouseClick(bonus, Qt::LeftButton);
        QVERIFY(dialog.isVisible());
        QCOMPARE(dialog.windowTitle(), QString("Error Report"));
        const QString withTrail = dialog.reportText();
        const QString head = "ERROR REPORT\n\n" + versionLine() + "\n" + dashes +
                             "\n\nAn error occurred within:\nCalcform.Command31_Click\n\n";
        QVERIFY2(withTrail.startsWith(head), qPrintable(withTrail));
        QVERIFY(withTrail.contains("(13)\n\nPrevious sections called:\n"));
        QVERIFY(QRegularExpression("Previous sections called:\n[^\n]+\n[^\n]+\n\n-{134}\n$")
                    .match(withTrail)
                    .hasMatch());
        // The field keeps its value.
        QCOMPARE(byName<QLineEdit>(&window, "30, 50, 100%  Deduct")->text(), QString("0.00"));

        // A failure in the first procedure entered: no previous sections.
        trail::clear();
        QTest::mouseClick(bonus, Qt::LeftButton);
        const QString alone = dialog.reportText();
        QVERIFY2(alone.startsWith(head), qPrintable(alone));
        QVERIFY(!alone.contains("Previous sections called:"));
        QVERIFY(alone.endsWith("(13)\n\n"));
        QCOMPARE(alone.count(dashes), 1);
        trail::setReporter(nullptr);
    }

    void supportAddressStartsAMailMessage() {
        ui::ErrorDialog dialog;
        MailCatcher mail;
        QDesktopServices::setUrlHandler("mailto", &mail, "open");
        dialog.showErrorReport("ERROR REPORT\r\n\r\nsomething\r\n");
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        QCOMPARE(dialog.reportText(), QString("ERROR REPORT\n\nsomething\n"));
        auto* address = dialog.findChild<QLabel*>("Label5");
        QVERIFY(address->text().contains("support@czxsoftware.example"));
        QTest::mouseClick(address, Qt::LeftButton, {}, QPoint(10, address->height() / 2));
        QTRY_COMPARE(mail.opened.size(), 1);
        QCOMPARE(mail.opened.first(), QUrl("mailto:support@czxsoftware.example"));

        dialog.setSupportAddress("help@example.org");
        QVERIFY(address->text().contains("help@example.org"));
        QTest::mouseClick(address, Qt::LeftButton, {}, QPoint(10, address->height() / 2));
        QTRY_COMPARE(mail.opened.size(), 2);
        QCOMPARE(mail.opened.last(), QUrl("mailto:help@example.org"));
        QDesktopServices::unsetUrlHandler("mailto");
    }
};

QTEST_MAIN(ErrorDialogTest)
#include "errordialog_test.moc"
