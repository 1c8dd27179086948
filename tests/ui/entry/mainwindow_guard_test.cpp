// The asset screen guards the data: nothing is deleted without asking, no
// keystroke changes a field it only passes through, every row stored passes
// the record check, typing is never dropped without asking, the window takes
// no input while a step waits, and a typo is a plain message. Driven through
// the real widgets on a private copy of the sample company.
#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <memory>

#include "support/uitesting.h"
#include "ui/entry/mainwindow.h"

using namespace czx;
using namespace czx::uitest;
using czx::ui::MainWindow;

class MainWindowGuardTest : public QObject {
    Q_OBJECT

    std::unique_ptr<CompanyCopy> copy;
    std::unique_ptr<MainWindow> window;
    std::unique_ptr<ReportCatcher> errors;

    void open() {
        window = std::make_unique<MainWindow>(copy->path());
        window->show();
        QVERIFY(QTest::qWaitForWindowActive(window.get()));
    }
    QLineEdit* field(const QString& name) { return byName<QLineEdit>(window.get(), name); }
    QAbstractButton* button(const QString& name) {
        return byName<QAbstractButton>(window.get(), name);
    }
    QLabel* label(const char* objectName) { return window->findChild<QLabel*>(objectName); }
    QString status() { return label("lblStatus")->text(); }
    void click(const QString& name) {
        QAbstractButton* b = button(name);
        QVERIFY2(b, qPrintable(name));
        QTest::mouseClick(b, Qt::LeftButton);
    }
    double assets() { return copy->number("SELECT count(*) FROM assets"); }

  private Q_SLOTS:
    void initTestCase() { isolateUserFolders(); }
    void init() {
        copy = std::make_unique<CompanyCopy>();
        errors = std::make_unique<ReportCatcher>();
    }
    void cleanup() {
        window.reset();
        QVERIFY2(errors->reports.empty(),
                 errors->reports.empty() ? "" : errors->reports.front().c_str());
        errors.reset();
        copy.reset();
    }

    // ------------------------------------------------------------ A1

    void deleteAsksFirst_data() {
        QTest::addColumn<int>("answer");
        QTest::addColumn<double>("left");
        QTest::addColumn<QString>("shown");
        QTest::newRow("No keeps the asset")
            << int(QMessageBox::No) << 30.0 << "Plant site land, 1400 River Road (6.2 acres)";
        QTest::newRow("Yes deletes it") << int(QMessageBox::Yes) << 29.0 << "Plant site improvements";
    }

    void deleteAsksFirst() {
        QFETCH(int, answer);
        QFETCH(double, left);
        QFETCH(QString, shown);
        copy->execute("UPDATE assets SET [Asset Description] = 'Plant site improvements' "
                      "WHERE AssetID = 2");
        open();
        MessageCatcher answers{QMessageBox::StandardButton(answer)};
        click("&Delete Asset");
        QCOMPARE(answers.texts,
                 QStringList{"Delete the asset 'Plant site land, 1400 River Road (6.2 acres)'? "
                             "This cannot be undone."});
        QCOMPARE(answers.offered, QStringList{"Yes|No"});
        QCOMPARE(assets(), left);
        QCOMPARE(field("Asset Description")->text(), shown);
    }

    // Save Asset and Cancel hide themselves: the focus goes to Add Asset, so
    // a Space pressed next adds an asset and never deletes one.
    void theFocusAfterSaveOrCancelIsNeverDelete_data() {
        QTest::addColumn<QString>("finish");
        QTest::newRow("Save") << "&Save Asset";
        QTest::newRow("Cancel") << "&Cancel";
    }

    void theFocusAfterSaveOrCancelIsNeverDelete() {
        QFETCH(QString, finish);
        open();
        click("&Edit Asset");
        typeInto(field("Asset Cost - Book"), "190000");
        click(finish);
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(button("&Add Asset")));
        MessageCatcher answers(QMessageBox::Yes);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
        QCOMPARE(assets(), 30.0);
        QVERIFY(answers.texts.isEmpty());
        QCOMPARE(status(), QString("Add record"));
    }
};

QTEST_MAIN(MainWindowGuardTest)
#include "mainwindow_guard_test.moc"
