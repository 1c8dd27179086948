// "Delete All Assets" through the main window's menu and its confirmation
// box: No keeps every asset, Yes empties the asset table and the register.
#include <QAction>
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

class DeleteAllTest : public QObject {
    Q_OBJECT

    std::unique_ptr<CompanyCopy> copy;
    std::unique_ptr<ui::MainWindow> window;
    std::unique_ptr<ReportCatcher> errors;

    // Triggers the menu item and answers its box; returns what the box showed.
    QStringList deleteAll(bool yes) {
        QStringList seen;
        QTimer answer;
        QObject::connect(&answer, &QTimer::timeout, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!box || !seen.isEmpty()) return;
            seen << box->windowTitle() << box->text()
                 << (box->defaultButton() == box->button(QMessageBox::No) ? "No default"
                                                                          : "Yes default")
                 << (box->icon() == QMessageBox::Warning ? "exclamation" : "other icon");
            box->button(yes ? QMessageBox::Yes : QMessageBox::No)->click();
        });
        answer.start(20);
        for (QAction* a : window->findChildren<QAction*>())
            if (a->text() == "Delete All Assets") a->trigger();
        return seen;
    }
    double assets() { return copy->number("SELECT COUNT(*) FROM assets"); }

  private Q_SLOTS:
    void initTestCase() { isolateUserFolders(); }
    void init() {
        copy = std::make_unique<CompanyCopy>();
        errors = std::make_unique<ReportCatcher>();
        window = std::make_unique<ui::MainWindow>(copy->path());
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    }
    void cleanup() {
        window.reset();
        QVERIFY2(errors->reports.empty(),
                 errors->reports.empty() ? "" : errors->reports.front().c_str());
        errors.reset();
        copy.reset();
    }

    void theBoxAsksWithNoAsTheDefault() {
        QStringList seen = deleteAll(false);
        QCOMPARE(seen, (QStringList{"Confirm Deletion Of All Assets",
                                    "Are you sure you want to delete all of the assets?",
                                    "No default", "exclamation"}));
    }

    void noKeepsEveryAsset() {
        const double before = assets();
        QVERIFY(before > 0);
        deleteAll(false);
        QCOMPARE(assets(), before);
        QVERIFY(!byName<QLineEdit>(window.get(), "Asset Description")->text().isEmpty());
    }

    void yesEmptiesTheTableAndTheScreen() {
        deleteAll(true);
        QCOMPARE(assets(), 0.0);
        QCOMPARE(window->findChild<QLabel*>("lblStatus")->text(),
                 QString("Click Add To Create First Record"));
        auto* description = byName<QLineEdit>(window.get(), "Asset Description");
        QVERIFY(description->text().isEmpty());
        QVERIFY(!description->isEnabled());
        // The company itself stays.
        QCOMPARE(copy->text("SELECT Name FROM Defaults"),
                 std::string("Riverside Machine Works, Inc."));
    }
};

QTEST_MAIN(DeleteAllTest)
#include "deleteall_test.moc"
