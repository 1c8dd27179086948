// The asset screen guards the data: nothing is deleted without asking, no
// keystroke changes a field it only passes through, every row stored passes
// the record check, typing is never dropped without asking, the window takes
// no input while a step waits, and a typo is a plain message. Driven through
// the real widgets on a private copy of the sample company.
#include <QClipboard>
#include <QTest>

#include "support/uitesting.h"

using namespace czx;
using namespace czx::uitest;

namespace {

const QString kLand = "Plant site land, 1400 River Road (6.2 acres)";

}  // namespace

class MainWindowGuardTest : public QObject, protected MainWindowFixture {
    Q_OBJECT

    // Runs one of the commands that store the row on screen or leave it.
    void leaveBy(const QString& path) {
        const QKeySequence keys(path == "Escape" ? "Esc" : path);
        if (path == "close")
            window->close();
        else if (path.startsWith("Ctrl+") || path == "Escape")
            QTest::keySequence(field("Asset Description"), keys);
        else if (path == "Move To Record Number") {
            field("Record Number")->setText("5");
            click(path);
        } else if (QAction* a = menuAction(path))
            a->trigger();
        else
            click(path);
    }

    QStringList otherWindowsShown() {
        QStringList shown;
        for (QWidget* w : QApplication::topLevelWidgets())
            if (w != window.get() && w->isVisible() && !qobject_cast<QMessageBox*>(w))
                shown << w->objectName();
        return shown;
    }

  private Q_SLOTS:
    void initTestCase() { isolateUserFolders(); }
    void init() { setUp(); }
    void cleanup() { tearDown(); }

    // Delete Asset asks first: No keeps the asset, Yes deletes it and shows
    // the next one, or the one before when it was the last.
    void deleteAsksFirst() {
        open();
        {
            MessageCatcher no(QMessageBox::No);
            click("Dele&te Asset");
            QCOMPARE(no.texts,
                     QStringList{"Delete the asset '" + kLand + "'? This cannot be undone."});
            QCOMPARE(no.offered, QStringList{"No|Yes"});
            QCOMPARE(assets(), 30.0);
            QCOMPARE(field("Asset Description")->text(), kLand);
        }
        MessageCatcher yes(QMessageBox::Yes);
        click("Dele&te Asset");
        QCOMPARE(assets(), 29.0);
        QCOMPARE(copy->number("SELECT count(*) FROM assets WHERE AssetID = 1"), 0.0);
        QCOMPARE(field("Asset Description")->text(),
                 QString::fromStdString(asset("Asset Description", 2)));
        QCOMPARE(status(), QString("Record: 1"));
        click("Last");
        const std::string beforeLast = copy->text(
            "SELECT [Asset Description] FROM assets ORDER BY AssetID DESC LIMIT 1 OFFSET 1");
        click("Dele&te Asset");
        QCOMPARE(field("Asset Description")->text().toStdString(), beforeLast);
        QCOMPARE(status(), QString("Record: 28"));
        QCOMPARE(yes.texts.size(), 2);
    }

    // Edit switches to Save and Cancel, which hide themselves when done: the
    // focus goes to Add Asset, so a Space pressed next adds an asset and
    // never deletes one.
    void theFocusAfterSaveOrCancelIsNeverDelete_data() {
        QTest::addColumn<QString>("finish");
        QTest::newRow("Save") << "&Save Asset";
        QTest::newRow("Cancel") << "&Cancel";
    }

    void theFocusAfterSaveOrCancelIsNeverDelete() {
        QFETCH(QString, finish);
        open();
        click("&Edit Asset");
        QCOMPARE(status(), QString("Edit record"));
        // Neither the keyboard moves nor Escape leave the row while editing.
        QTest::keyClick(field("Asset Description"), Qt::Key_Down);
        QTest::keyClick(field("Asset Description"), Qt::Key_Escape);
        QVERIFY(window->isVisible());
        QCOMPARE(status(), QString("Edit record"));
        typeInto(field("Asset Cost - Book"), "190000");
        click(finish);
        const bool saved = finish == "&Save Asset";
        QCOMPARE(amount("Asset Cost - Book"), saved ? 190000.0 : 185000.0);
        QCOMPARE(field("Asset Cost - Book")->text(), saved ? "190,000.00" : "185,000.00");
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(button("&Add Asset")));
        MessageCatcher answers(QMessageBox::Yes);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
        QCOMPARE(assets(), 30.0);
        QVERIFY(answers.texts.isEmpty());
        QCOMPARE(status(), QString("Add record"));
    }

    // A 50 % truck keeps its 50 % when the user tabs through every field and
    // saves: the share is selected on entry, not cleared; a click selects it
    // too, so what is typed replaces it.
    void tabbingThroughTheFieldsChangesNothing() {
        copy->execute(
            "UPDATE assets SET [Business Use Percentage - Tax] = .5, "
            "[Business Use Percentage - Book] = .5 WHERE AssetID = 2");
        const std::string before = row(2);
        open();
        click("Next");
        click("&Edit Asset");
        QTest::mouseClick(field("Asset Description"), Qt::LeftButton);
        int shares = 0;
        for (int i = 0; i < 40; ++i) {
            QWidget* now = QApplication::focusWidget();
            if (now == field("Business Use % - Tax") || now == field("Business Use % - Book")) {
                ++shares;
                QCOMPARE(static_cast<QLineEdit*>(now)->text(), QString(".50"));
                QCOMPARE(static_cast<QLineEdit*>(now)->selectedText(), QString(".50"));
            }
            QTest::keyClick(now, Qt::Key_Tab);
        }
        QVERIFY(shares >= 2);
        MessageCatcher messages;
        click("&Save Asset");
        QVERIFY(button("&Add Asset")->isVisible());
        QCOMPARE(row(2), before);
        QCOMPARE(field("Business Use % - Tax")->text(), QString(".50"));

        QTest::mouseClick(field("Business Use % - Tax"), Qt::LeftButton);
        QTRY_COMPARE(field("Business Use % - Tax")->selectedText(), QString(".50"));
        QTest::keyClicks(field("Business Use % - Tax"), ".75");
        QCOMPARE(field("Business Use % - Tax")->text(), QString(".75"));
    }

    // A blank share is refused at save, naming the field, like the other
    // record checks; only the column sets the company keeps count.
    void aBlankBusinessUseIsRefused_data() {
        QTest::addColumn<QString>("blank");  // the column left blank
        QTest::addColumn<bool>("bookSet");
        QTest::addColumn<QString>("named");  // empty: the row saves
        QTest::newRow("tax share blank")
            << "Business Use Percentage - Tax" << true << "Business Use % - Tax";
        QTest::newRow("book share blank")
            << "Business Use Percentage - Book" << true << "Business Use % - Book";
        QTest::newRow("book share blank, no book set")
            << "Business Use Percentage - Book" << false << "";
    }

    void aBlankBusinessUseIsRefused() {
        QFETCH(QString, blank);
        QFETCH(bool, bookSet);
        QFETCH(QString, named);
        copy->execute("UPDATE Defaults SET Book = " + std::to_string(bookSet));
        shapeFirstAsset("[" + blank.toStdString() + "] = NULL, assetchng = 0");
        open();
        click("&Edit Asset");
        typeInto(field("Asset Description"), "Plant site land");
        MessageCatcher messages;
        click("&Save Asset");
        QLabel* warning = label("lblUseMissing");
        QCOMPARE(warning->isVisible(), !named.isEmpty());
        QCOMPARE(asset("Asset Description"),
                 named.isEmpty() ? "Plant site land" : kLand.toStdString());
        if (named.isEmpty()) return;
        QVERIFY2(warning->text().contains(named), qPrintable(warning->text()));
        QVERIFY(!label("lblDatesNote")->isVisible());
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(field(named)));
        QVERIFY(button("&Save Asset")->isVisible());
        // Leaving the blank share keeps it blank; a share typed in saves.
        QTest::keyClick(field(named), Qt::Key_Tab);
        QCOMPARE(field(named)->text(), QString());
        typeInto(field(named), ".8");
        click("&Save Asset");
        QVERIFY(!warning->isVisible());
        QCOMPARE(amount(blank.toUtf8().constData()), 0.8);
    }

    // Typing not yet stored is never dropped without asking: each command
    // that would leave the row, the window or the company asks first, and
    // Cancel leaves everything as it was. Each path that would store the row
    // (answered Save) goes through the record check: a business use of 150 %
    // typed into the land's tax share is refused and nothing is written.
    void leavingAsksAndStoringChecks_data() {
        QTest::addColumn<bool>("editing");
        QTest::addColumn<QString>("path");
        QTest::addColumn<bool>("check");
        auto rows = [](bool check, bool editing, std::initializer_list<const char*> paths) {
            for (const char* path : paths)
                QTest::newRow(qPrintable(
                    QString("%1, %2, %3")
                        .arg(check ? "checked" : "asked", editing ? "editing" : "browsing", path)))
                    << editing << QString(path) << check;
        };
        const auto company = {"&Update Company Information",
                              "Delete All Assets",
                              "Sa&ve Company To Disk",
                              "&Copy Company From Disk",
                              "E&xport Assets...",
                              "&Import Assets...",
                              "Close YR"};
        // Every move settles and checks first (recordpresenter_test); Next
        // stands for the moves here.
        rows(false, false,
             {"Escape", "close", "Ctrl+Q", "&Exit", "Next", "&Add Asset", "Refresh",
              "Save Company"});
        rows(false, false, company);
        rows(false, true, {"close", "Ctrl+Q", "Refresh"});
        rows(false, true, company);
        rows(true, false,
             {"Next", "&Add Asset", "Refresh", "&Depreciate", "Depreciate A&ll", "close"});
        rows(true, true, {"Refresh", "&Depreciate", "Depreciate A&ll", "close"});
    }

    void leavingAsksAndStoringChecks() {
        QFETCH(bool, editing);
        QFETCH(QString, path);
        QFETCH(bool, check);
        copy->execute("UPDATE assets SET assetchng = 0");
        const std::string before = row(1);
        open();
        if (editing) click("&Edit Asset");
        typeInto(field(check ? "Business Use % - Tax" : "Asset Description"),
                 check ? "1.5" : "Plant site land");
        MessageCatcher answers(check ? QMessageBox::Save : QMessageBox::Cancel);
        // A file dialog opened by a command that did not ask is closed.
        QTimer dialogs;
        connect(&dialogs, &QTimer::timeout, [] {
            QWidget* modal = QApplication::activeModalWidget();
            if (modal && !qobject_cast<QMessageBox*>(modal)) modal->close();
        });
        dialogs.start(20);
        leaveBy(path);
        QTest::qWait(60);
        QVERIFY(window->isVisible());
        QVERIFY(window->isEnabled());
        QCOMPARE(otherWindowsShown(), QStringList());
        QCOMPARE(row(1), before);
        QCOMPARE(flagged(), 0.0);
        QCOMPARE(assets(), 30.0);
        QCOMPARE(status(), QString(editing ? "Edit record" : "Record: 1"));
        if (check) {
            QVERIFY(label("Label5")->isVisible());
            QCOMPARE(field("Business Use % - Tax")->text(), QString("1.50"));
            return;
        }
        QCOMPARE(answers.texts, QStringList{"Save the changes to 'Plant site land'?"});
        QCOMPARE(answers.offered, QStringList{"Cancel|Discard|Save"});
        QCOMPARE(answers.titles, QStringList{"CZX Depreciation"});
        QCOMPARE(field("Asset Description")->text(), QString("Plant site land"));
    }

    // Save stores through the record check and goes on; Discard drops the
    // typing and goes on. An asset being added is stored only when it
    // passes the check: half entered, it stays on screen.
    void theAnswerDecides_data() {
        QTest::addColumn<bool>("adding");
        QTest::addColumn<QString>("path");
        QTest::addColumn<int>("answer");
        QTest::addColumn<QString>("after");  // the status line, or "closed"
        auto row = [](bool adding, const char* path, QMessageBox::StandardButton answer,
                      const char* after) {
            const char* said = answer == QMessageBox::Save ? "Save" : "Discard";
            QTest::newRow(qPrintable(QString("%1%2, %3").arg(adding ? "adding, " : "", path, said)))
                << adding << QString(path) << int(answer) << QString(after);
        };
        for (auto answer : {QMessageBox::Save, QMessageBox::Discard}) {
            row(false, "Next", answer, "Record: 2");
            row(false, "Refresh", answer, "Record: 1");
            row(false, "Escape", answer, "closed");
            row(false, "&Exit", answer, "closed");
        }
        row(true, "close", QMessageBox::Discard, "closed");
        row(true, "close", QMessageBox::Save, "Add record");
        row(true, "Refresh", QMessageBox::Save, "Add record");
    }

    void theAnswerDecides() {
        QFETCH(bool, adding);
        QFETCH(QString, path);
        QFETCH(int, answer);
        QFETCH(QString, after);
        open();
        if (adding) click("&Add Asset");
        QTRY_COMPARE(field("Year End Of Year Asset Was Originally Placed In Service")->text(),
                     QString(adding ? "12/31/2012" : "12/31/1978"));
        const QString typed = adding ? "Engine lathe" : "Plant site land";
        typeInto(field("Asset Description"), typed);
        MessageCatcher answers{QMessageBox::StandardButton(answer)};
        leaveBy(path);
        QCOMPARE(answers.texts, QStringList{"Save the changes to '" + typed + "'?"});
        QCOMPARE(assets(), 30.0);
        const bool stored = answer == QMessageBox::Save && !adding;
        QCOMPARE(asset("Asset Description"), (stored ? typed : kLand).toStdString());
        QCOMPARE(window->isVisible(), after != "closed");
        if (after == "closed") return;
        QCOMPARE(status(), after);
        if (adding) QVERIFY(label("Label15")->isVisible());
        if (adding || path == "Refresh")
            QCOMPARE(field("Asset Description")->text(), stored || adding ? typed : kLand);
    }

    // The keys move between assets (where a move stops is the presenter's,
    // tested there); End and Home belong to a text field, and move between
    // records from the record bar or with Ctrl.
    void movingAndHomeAndEnd() {
        open();
        moveTo(4);
        QCOMPARE(field("Asset Description")->text(), QString("Warehouse, 1410 River Road"));
        click("First");
        QCOMPARE(status(), QString("Record: 1"));
        QLineEdit* description = field("Asset Description");
        const std::pair<const char*, int> keys[] = {
            {"Ctrl+Home", 1},    {"Down", 2}, {"End", 2},      {"Home", 2},
            {"Ctrl+PgDown", 30}, {"Up", 29},  {"Ctrl+End", 30}};
        for (auto [key, record] : keys) {
            description->setCursorPosition(3);
            QTest::keySequence(description, QKeySequence(key));
            QCOMPARE(status(), QString("Record: %1").arg(record));
            if (QString(key) == "Home" || QString(key) == "End")
                QCOMPARE(description->cursorPosition(),
                         QString(key) == "Home" ? 0 : int(description->text().size()));
        }
        QAbstractButton* next = button("Next");
        next->setFocus();
        QTest::keyClick(next, Qt::Key_Home);
        QCOMPARE(status(), QString("Record: 1"));
        QTest::keyClick(next, Qt::Key_End);
        QCOMPARE(status(), QString("Record: 30"));
    }

    // Ctrl+X cuts, wherever the focus is; Ctrl+Q quits.
    void ctrlXCutsAndCtrlQQuits() {
        open();
        QLineEdit* description = field("Asset Description");
        QTest::mouseClick(description, Qt::LeftButton);
        description->setSelection(0, 10);
        QTest::keyClick(description, Qt::Key_X, Qt::ControlModifier);
        QCOMPARE(QApplication::clipboard()->text(), QString("Plant site"));
        QCOMPARE(description->text(), QString(" land, 1400 River Road (6.2 acres)"));
        MessageCatcher discard(QMessageBox::Discard);
        button("&Add Asset")->setFocus();
        QTest::keyClick(button("&Add Asset"), Qt::Key_X, Qt::ControlModifier);
        QVERIFY(window->isVisible());
        QVERIFY(discard.texts.isEmpty());
        QTest::keyClick(button("&Add Asset"), Qt::Key_Q, Qt::ControlModifier);
        QCOMPARE(discard.texts,
                 QStringList{"Save the changes to 'land, 1400 River Road (6.2 acres)'?"});
        QVERIFY(!window->isVisible());
    }

    // While "Working. Please Wait." shows, clicks, typing and shortcuts go
    // nowhere; the window comes back when the step has run.
    void theWindowTakesNoInputWhileAStepWaits_data() {
        QTest::addColumn<QString>("step");
        QTest::newRow("reopen after a copy") << "reopen";
        QTest::newRow("refresh after company information") << "refresh";
        QTest::newRow("first asset of an empty company") << "add";
    }

    void theWindowTakesNoInputWhileAStepWaits() {
        QFETCH(QString, step);
        if (step == "add") copy->execute("DELETE FROM assets");
        open();
        window->setStepDelays(
            {.sizing = 10, .pickerFollowUp = 20, .addFollowUp = 20, .maintenance = 400});
        if (step == "reopen")
            window->startReopenStep();
        else if (step == "refresh")
            window->startCompanyRefreshStep();
        else
            click("&Add Asset");
        const QString before = status();
        QVERIFY(label("Label19")->isVisible());
        QTest::qWait(50);
        for (const char* name : {"&Add Asset", "&Cancel", "Next", "Refresh"})
            if (button(name)->isVisible()) QTest::mouseClick(button(name), Qt::LeftButton);
        QTest::keyClicks(field("Asset Description"), "Lathe");
        QTest::keyClick(window.get(), Qt::Key_U, Qt::ControlModifier);
        QTest::keyClick(window.get(), Qt::Key_Escape);
        QCOMPARE(status(), before);
        QCOMPARE(otherWindowsShown(), QStringList());
        QVERIFY(window->isVisible());
        QVERIFY(label("Label19")->isVisible());

        QTRY_VERIFY(!label("Label19")->isVisible());
        QVERIFY(window->isEnabled());
        QCOMPARE(status(), before);
        const bool added = step == "add";
        QCOMPARE(field("Asset Description")->text(), added ? QString() : kLand);
        QCOMPARE(assets(), added ? 0.0 : 30.0);
        if (!added) return;
        QCOMPARE(field("Year End Of Year Asset Was Originally Placed In Service")->text(),
                 QString("12/31/2012"));
        QVERIFY(field("Asset Cost - Tax")->isEnabled());
        QCOMPARE(window->focusWidget(), static_cast<QWidget*>(field("Asset Description")));
    }

    // A typo is a plain message naming the field and what it takes, the
    // focus back in the field, nothing stored and no error report.
    void aTypoIsAPlainMessage_data() {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("message");
        const QString amount =
            "Asset Cost - Tax takes an amount, such as 1234.56 or -250. \"123.4-5\" is not an "
            "amount.";
        const QString date =
            "Actual Date In Service takes a date as mm/dd/yyyy, such as 06/15/2012. "
            "\"02/30/2012\" is not a date.";
        const QString share =
            "Business Use % - Tax takes the business-use share: 1 for 100%, .5 for 50%. \"1..5\" "
            "is not a share.";
        auto row = [](const QString& name, const char* field, const char* typed, const char* path,
                      const QString& message) {
            QTest::newRow(qPrintable(name))
                << QString(field) << QString(typed) << QString(path) << message;
        };
        for (const char* path : {"&Save Asset", "leaving the field", "&Depreciate"}) {
            row(QString("amount, ") + path, "Asset Cost - Tax", "123.4-5", path, amount);
            row(QString("date, ") + path, "* Actual Date In Service", "02/30/2012", path, date);
            row(QString("share, ") + path, "Business Use % - Tax", "1..5", path, share);
        }
        row("date, Calculate Bonus", "* Actual Date In Service", "02/30/2012", "Bonus", date);
        row("amount, Calculate Bonus", "Asset Cost - Tax", "123.4-5", "Bonus", amount);
        row("year placed in service, Save",
            "Year End Of Year Asset Was Originally Placed In Service", "12/31/20122", "&Save Asset",
            "Year End Of Year Asset Was Originally Placed In Service takes a date as "
            "mm/dd/yyyy, such as 06/15/2012. \"12/31/20122\" is not a date.");
    }

    void aTypoIsAPlainMessage() {
        QFETCH(QString, field);
        QFETCH(QString, typed);
        QFETCH(QString, path);
        QFETCH(QString, message);
        copy->execute("UPDATE assets SET assetchng = 0");
        const std::string before = row(1);
        open();
        click("&Edit Asset");
        QLineEdit* edit = this->field(field);
        const QString shown = edit->text();
        typeInto(edit, typed);
        MessageCatcher messages;
        if (path == "leaving the field")
            QTest::keyClick(edit, Qt::Key_Tab);
        else
            leaveBy(path);
        QTRY_COMPARE(messages.texts, QStringList{message});
        QTest::qWait(50);
        QCOMPARE(messages.texts.size(), 1);  // said once
        QCOMPARE(messages.titles, QStringList{"CZX Depreciation"});
        QCOMPARE(window->focusWidget(), static_cast<QWidget*>(edit));
        QCOMPARE(edit->text(), typed);
        QCOMPARE(row(1), before);
        QCOMPARE(flagged(), 0.0);
        QCOMPARE(status(), QString("Edit record"));
        // Put right, the row saves.
        activate();
        typeInto(edit, shown);
        click("&Save Asset");
        QCOMPARE(messages.texts.size(), 1);
        QVERIFY(button("&Add Asset")->isVisible());
    }
};

QTEST_MAIN(MainWindowGuardTest)
#include "mainwindow_guard_test.moc"
