// The asset screen guards the data: nothing is deleted without asking, no
// keystroke changes a field it only passes through, every row stored passes
// the record check, typing is never dropped without asking, the window takes
// no input while a step waits, and a typo is a plain message. Driven through
// the real widgets on a private copy of the sample company.
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <map>
#include <memory>

#include "support/uitesting.h"
#include "ui/entry/mainwindow.h"

using namespace czx;
using namespace czx::uitest;
using czx::ui::MainWindow;

class MainWindowGuardTest : public QObject, protected MainWindowFixture {
    Q_OBJECT

    double assets() { return copy->number("SELECT count(*) FROM assets"); }

  private Q_SLOTS:
    void initTestCase() { isolateUserFolders(); }
    void init() { setUp(); }
    void cleanup() { tearDown(); }

    // ------------------------------------------------------------ A1

    void deleteAsksFirst_data() {
        QTest::addColumn<int>("answer");
        QTest::addColumn<double>("left");
        QTest::addColumn<QString>("shown");
        QTest::newRow("No keeps the asset")
            << int(QMessageBox::No) << 30.0 << "Plant site land, 1400 River Road (6.2 acres)";
        QTest::newRow("Yes deletes it")
            << int(QMessageBox::Yes) << 29.0 << "Plant site improvements";
    }

    void deleteAsksFirst() {
        QFETCH(int, answer);
        QFETCH(double, left);
        QFETCH(QString, shown);
        copy->execute(
            "UPDATE assets SET [Asset Description] = 'Plant site improvements' "
            "WHERE AssetID = 2");
        open();
        MessageCatcher answers{QMessageBox::StandardButton(answer)};
        click("Dele&te Asset");
        QCOMPARE(answers.texts,
                 QStringList{"Delete the asset 'Plant site land, 1400 River Road (6.2 acres)'? "
                             "This cannot be undone."});
        QCOMPARE(answers.offered, QStringList{"No|Yes"});
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

    // ------------------------------------------------------------ A2

    // Every stored value of a row, as text, but the changed flag.
    std::string row(int assetId) {
        Connection c = Connection::open(copy->companyFile());
        Statement s = c.prepare("SELECT * FROM assets WHERE AssetID = " + std::to_string(assetId));
        std::string values;
        if (!s.step()) return values;
        for (int i = 0; i < s.columnCount(); ++i)
            if (s.columnName(i) != "assetchng")
                values += s.columnName(i) + "=" + (s.isNull(i) ? "NULL" : s.columnText(i)) + "; ";
        return values;
    }

    // A 50 % truck keeps its 50 % when the user tabs through every field and
    // saves: the share is selected on entry, not cleared.
    void tabbingThroughTheFieldsChangesNothing() {
        copy->execute(
            "UPDATE assets SET [Business Use Percentage - Tax] = .5, "
            "[Business Use Percentage - Book] = .5 WHERE AssetID = 2");
        const std::string before = row(2);
        open();
        click("Next");
        click("&Edit Asset");
        QTest::mouseClick(field("Asset Description"), Qt::LeftButton);
        for (int i = 0; i < 40; ++i) {
            QWidget* now = QApplication::focusWidget();
            if (now == field("Business Use % - Tax") || now == field("Business Use % - Book")) {
                QCOMPARE(static_cast<QLineEdit*>(now)->text(), QString(".50"));
                QCOMPARE(static_cast<QLineEdit*>(now)->selectedText(), QString(".50"));
            }
            QTest::keyClick(now, Qt::Key_Tab);
        }
        MessageCatcher messages;
        click("&Save Asset");
        QVERIFY(button("&Add Asset")->isVisible());
        QCOMPARE(row(2), before);
        QCOMPARE(field("Business Use % - Tax")->text(), QString(".50"));
    }

    // A click selects the share too: what is typed replaces it.
    void aClickSelectsTheShare() {
        open();
        QTest::mouseClick(field("Business Use % - Tax"), Qt::LeftButton);
        QTRY_COMPARE(field("Business Use % - Tax")->selectedText(), QString("1.00"));
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
        copy->execute("UPDATE assets SET [" + blank.toStdString() +
                      "] = NULL, assetchng = 0 "
                      "WHERE AssetID = 1");
        open();
        click("&Edit Asset");
        typeInto(field("Asset Description"), "Plant site land");
        MessageCatcher messages;
        click("&Save Asset");
        QLabel* warning = label("lblUseMissing");
        QVERIFY(warning);
        const std::string stored =
            copy->text("SELECT [Asset Description] FROM assets WHERE AssetID = 1");
        if (named.isEmpty()) {
            QVERIFY(!warning->isVisible());
            QCOMPARE(stored, std::string("Plant site land"));
            return;
        }
        QVERIFY(warning->isVisible());
        QVERIFY2(warning->text().contains(named), qPrintable(warning->text()));
        QVERIFY(!label("lblDatesNote")->isVisible());
        QCOMPARE(stored, std::string("Plant site land, 1400 River Road (6.2 acres)"));
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(field(named)));
        QVERIFY(button("&Save Asset")->isVisible());
        // Leaving the blank share keeps it blank; a share typed in saves.
        QTest::keyClick(field(named), Qt::Key_Tab);
        QCOMPARE(field(named)->text(), QString());
        typeInto(field(named), ".8");
        click("&Save Asset");
        QVERIFY(!warning->isVisible());
        QCOMPARE(copy->number("SELECT [" + blank.toStdString() + "] FROM assets WHERE AssetID = 1"),
                 0.8);
    }

    // ------------------------------------------------------------ A3

    // Runs one of the commands that store the row on screen or leave it.
    void leaveBy(const QString& path) {
        if (path == "close")
            window->close();
        else if (path == "Escape")
            QTest::keyClick(field("Asset Description"), Qt::Key_Escape);
        else if (path == "Ctrl+Q")
            QTest::keyClick(field("Asset Description"), Qt::Key_Q, Qt::ControlModifier);
        else if (path == "Ctrl+End")
            QTest::keyClick(field("Asset Description"), Qt::Key_End, Qt::ControlModifier);
        else if (path == "Move To Record Number") {
            byName<QLineEdit>(window.get(), "Record Number")->setText("5");
            click(path);
        } else if (QAction* a = menuAction(path))
            a->trigger();
        else
            click(path);
    }

    // A business use of 150 % typed into the land's tax share: whatever path
    // would store it, the record check refuses it and nothing is written.
    void everyPathThatStoresARowChecksIt_data() {
        QTest::addColumn<bool>("editing");  // Edit pressed first
        QTest::addColumn<QString>("path");
        for (const char* path : {"Next", "Ctrl+End", "Move To Record Number", "&Add Asset",
                                 "Refresh", "&Depreciate", "Depreciate A&ll", "close"})
            QTest::newRow(qPrintable(QString("browsing, ") + path)) << false << QString(path);
        for (const char* path : {"Refresh", "&Depreciate", "Depreciate A&ll", "close"})
            QTest::newRow(qPrintable(QString("editing, ") + path)) << true << QString(path);
    }

    void everyPathThatStoresARowChecksIt() {
        QFETCH(bool, editing);
        QFETCH(QString, path);
        copy->execute("UPDATE assets SET assetchng = 0");
        const std::string before = row(1);
        open();
        if (editing) click("&Edit Asset");
        typeInto(field("Business Use % - Tax"), "1.5");
        MessageCatcher answers(QMessageBox::Save);
        leaveBy(path);
        QVERIFY(window->isVisible());
        QVERIFY(label("Label5")->isVisible());
        QCOMPARE(row(1), before);
        QCOMPARE(copy->number("SELECT count(*) FROM assets WHERE assetchng <> 0"), 0.0);
        QCOMPARE(assets(), 30.0);
        QCOMPARE(status(), QString(editing ? "Edit record" : "Record: 1"));
        QCOMPARE(field("Business Use % - Tax")->text(), QString("1.50"));
    }

    // A half-entered asset is not stored by Refresh: the check refuses it.
    void refreshNeverStoresAHalfEnteredAsset() {
        open();
        click("&Add Asset");
        QTRY_COMPARE(field("Year End Of Year Asset Was Originally Placed In Service")->text(),
                     QString("12/31/2012"));
        typeInto(field("Asset Description"), "Engine lathe");
        MessageCatcher answers(QMessageBox::Save);
        click("Refresh");
        QCOMPARE(assets(), 30.0);
        QVERIFY(label("Label15")->isVisible());
        QCOMPARE(status(), QString("Add record"));
        QCOMPARE(field("Asset Description")->text(), QString("Engine lathe"));
    }

    // The same row, put right, is stored by each path and the run computes
    // it: Depreciate from Edit ends the edit.
    void aRowThatPassesIsStoredByTheRun() {
        copy->execute("UPDATE assets SET assetchng = 0");
        open();
        click("&Edit Asset");
        typeInto(field("Asset Cost - Book"), "190000");
        MessageCatcher answers(QMessageBox::Save);
        menuAction("&Depreciate")->trigger();
        QCOMPARE(copy->number("SELECT [Asset Cost - Book] FROM assets WHERE AssetID = 1"),
                 190000.0);
        QVERIFY(button("&Add Asset")->isVisible());
        QCOMPARE(status(), QString("Record: 1"));
    }

    // ------------------------------------------------------------ A4

    QStringList otherWindowsShown() {
        QStringList shown;
        for (QWidget* w : QApplication::topLevelWidgets())
            if (w != window.get() && w->isVisible() && !qobject_cast<QMessageBox*>(w))
                shown << w->objectName();
        return shown;
    }

    // Typing not yet stored is never dropped without asking: each command
    // that would leave the row, the window or the company asks first, and
    // Cancel leaves everything as it was.
    void typingIsNeverDroppedWithoutAsking_data() {
        QTest::addColumn<bool>("editing");
        QTest::addColumn<QString>("path");
        const char* company[] = {"&Update Company Information", "Delete All Assets",
                                 "Sa&ve Company To Disk", "&Copy Company From Disk", "Close YR"};
        for (const char* path : {"Escape", "close", "Ctrl+Q", "&Exit", "Next", "Ctrl+End",
                                 "Move To Record Number", "&Add Asset", "Refresh", "Save Company"})
            QTest::newRow(qPrintable(QString("browsing, ") + path)) << false << QString(path);
        for (const char* path : company)
            QTest::newRow(qPrintable(QString("browsing, ") + path)) << false << QString(path);
        for (const char* path : {"close", "Ctrl+Q", "Refresh"})
            QTest::newRow(qPrintable(QString("editing, ") + path)) << true << QString(path);
        for (const char* path : company)
            QTest::newRow(qPrintable(QString("editing, ") + path)) << true << QString(path);
    }

    void typingIsNeverDroppedWithoutAsking() {
        QFETCH(bool, editing);
        QFETCH(QString, path);
        const std::string before = row(1);
        open();
        if (editing) click("&Edit Asset");
        typeInto(field("Asset Description"), "Plant site land");
        MessageCatcher answers(QMessageBox::Cancel);
        // A file dialog opened by a command that did not ask is closed.
        QTimer dialogs;
        connect(&dialogs, &QTimer::timeout, [] {
            QWidget* modal = QApplication::activeModalWidget();
            if (modal && !qobject_cast<QMessageBox*>(modal)) modal->close();
        });
        dialogs.start(20);
        leaveBy(path);
        QTest::qWait(60);
        QCOMPARE(answers.texts, QStringList{"Save the changes to 'Plant site land'?"});
        QCOMPARE(answers.offered, QStringList{"Cancel|Discard|Save"});
        QCOMPARE(answers.titles, QStringList{"CZX Depreciation"});
        QVERIFY(window->isVisible());
        QVERIFY(window->isEnabled());
        QCOMPARE(otherWindowsShown(), QStringList());
        QCOMPARE(field("Asset Description")->text(), QString("Plant site land"));
        QCOMPARE(status(), QString(editing ? "Edit record" : "Record: 1"));
        QCOMPARE(row(1), before);
        QCOMPARE(assets(), 30.0);
    }

    // Save stores through the record check and goes on; Discard drops the
    // typing and goes on.
    void theAnswerDecides_data() {
        QTest::addColumn<QString>("path");
        QTest::addColumn<int>("answer");
        QTest::addColumn<bool>("stored");
        QTest::addColumn<QString>("after");  // the status line, or "closed"
        for (auto [answer, name] :
             {std::pair{QMessageBox::Save, "Save"}, std::pair{QMessageBox::Discard, "Discard"}}) {
            const bool save = answer == QMessageBox::Save;
            QTest::newRow(qPrintable(QString("Next, ") + name))
                << "Next" << int(answer) << save << "Record: 2";
            QTest::newRow(qPrintable(QString("Ctrl+End, ") + name))
                << "Ctrl+End" << int(answer) << save << "Record: 30";
            QTest::newRow(qPrintable(QString("Refresh, ") + name))
                << "Refresh" << int(answer) << save << "Record: 1";
            QTest::newRow(qPrintable(QString("Escape, ") + name))
                << "Escape" << int(answer) << save << "closed";
            QTest::newRow(qPrintable(QString("Exit, ") + name))
                << "&Exit" << int(answer) << save << "closed";
        }
    }

    void theAnswerDecides() {
        QFETCH(QString, path);
        QFETCH(int, answer);
        QFETCH(bool, stored);
        QFETCH(QString, after);
        open();
        typeInto(field("Asset Description"), "Plant site land");
        MessageCatcher answers{QMessageBox::StandardButton(answer)};
        leaveBy(path);
        QCOMPARE(answers.texts.size(), 1);
        QCOMPARE(copy->text("SELECT [Asset Description] FROM assets WHERE AssetID = 1"),
                 std::string(stored ? "Plant site land"
                                    : "Plant site land, 1400 River Road (6.2 acres)"));
        if (after == "closed") {
            QVERIFY(!window->isVisible());
            return;
        }
        QVERIFY(window->isVisible());
        QCOMPARE(status(), after);
        if (path == "Refresh")
            QCOMPARE(field("Asset Description")->text(),
                     QString::fromStdString(
                         copy->text("SELECT [Asset Description] FROM assets WHERE AssetID = 1")));
    }

    // An asset being added: Discard drops it, Save stores it only when it
    // passes the record check.
    void closingWhileAdding_data() {
        QTest::addColumn<int>("answer");
        QTest::addColumn<bool>("closed");
        QTest::newRow("Discard") << int(QMessageBox::Discard) << true;
        QTest::newRow("Save, half entered") << int(QMessageBox::Save) << false;
    }

    void closingWhileAdding() {
        QFETCH(int, answer);
        QFETCH(bool, closed);
        open();
        click("&Add Asset");
        typeInto(field("Asset Description"), "Engine lathe");
        MessageCatcher answers{QMessageBox::StandardButton(answer)};
        window->close();
        QCOMPARE(answers.texts, QStringList{"Save the changes to 'Engine lathe'?"});
        QCOMPARE(window->isVisible(), !closed);
        QCOMPARE(assets(), 30.0);
        if (!closed) QVERIFY(label("Label15")->isVisible());
    }

    // End and Home belong to the text field; between records they move from
    // the record bar, or with Ctrl.
    void endAndHomeMoveInsideATextField() {
        open();
        click("Next");
        QLineEdit* description = field("Asset Description");
        QTest::mouseClick(description, Qt::LeftButton);
        description->setCursorPosition(3);
        QTest::keyClick(description, Qt::Key_End);
        QCOMPARE(description->cursorPosition(), int(description->text().size()));
        QCOMPARE(status(), QString("Record: 2"));
        QTest::keyClick(description, Qt::Key_Home);
        QCOMPARE(description->cursorPosition(), 0);
        QCOMPARE(status(), QString("Record: 2"));
        QTest::keyClick(description, Qt::Key_End, Qt::ControlModifier);
        QCOMPARE(status(), QString("Record: 30"));
        QTest::keyClick(description, Qt::Key_Home, Qt::ControlModifier);
        QCOMPARE(status(), QString("Record: 1"));
        QAbstractButton* next = button("Next");
        next->setFocus();
        QTest::keyClick(next, Qt::Key_End);
        QCOMPARE(status(), QString("Record: 30"));
        QTest::keyClick(next, Qt::Key_Home);
        QCOMPARE(status(), QString("Record: 1"));
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
        QVERIFY(window->isVisible());
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

    // ------------------------------------------------------------ A5

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
        if (step == "add") {
            QCOMPARE(field("Year End Of Year Asset Was Originally Placed In Service")->text(),
                     QString("12/31/2012"));
            QVERIFY(field("Asset Description")->isEnabled());
            QCOMPARE(window->focusWidget(), static_cast<QWidget*>(field("Asset Description")));
            QCOMPARE(field("Asset Description")->text(), QString());
            QCOMPARE(assets(), 0.0);
        } else {
            QCOMPARE(field("Asset Description")->text(),
                     QString("Plant site land, 1400 River Road (6.2 acres)"));
            QCOMPARE(assets(), 30.0);
        }
    }

    // ------------------------------------------------------------ A6

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
        for (const char* path : {"&Save Asset", "leaving the field", "&Depreciate"}) {
            QTest::newRow(qPrintable(QString("amount, ") + path)) << "Asset Cost - Tax"
                                                                  << "123.4-5" << path << amount;
            QTest::newRow(qPrintable(QString("date, ") + path)) << "* Actual Date In Service"
                                                                << "02/30/2012" << path << date;
            QTest::newRow(qPrintable(QString("share, ") + path)) << "Business Use % - Tax"
                                                                 << "1..5" << path << share;
        }
        QTest::newRow("date, Calculate Bonus") << "* Actual Date In Service"
                                               << "02/30/2012"
                                               << "Bonus" << date;
        QTest::newRow("amount, Calculate Bonus") << "Asset Cost - Tax"
                                                 << "123.4-5"
                                                 << "Bonus" << amount;
        QTest::newRow("year placed in service, Save")
            << "Year End Of Year Asset Was Originally Placed In Service"
            << "12/31/20122"
            << "&Save Asset"
            << "Year End Of Year Asset Was Originally Placed In Service takes a date as "
               "mm/dd/yyyy, such as 06/15/2012. \"12/31/20122\" is not a date.";
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
        typeInto(this->field(field), typed);
        MessageCatcher messages;
        if (path == "leaving the field")
            QTest::keyClick(this->field(field), Qt::Key_Tab);
        else if (path == "&Depreciate")
            menuAction(path)->trigger();
        else
            click(path);
        QTRY_COMPARE(messages.texts, QStringList{message});
        QTest::qWait(50);
        QCOMPARE(messages.texts.size(), 1);  // said once
        QCOMPARE(messages.titles, QStringList{"CZX Depreciation"});
        QCOMPARE(window->focusWidget(), static_cast<QWidget*>(this->field(field)));
        QCOMPARE(this->field(field)->text(), typed);
        QCOMPARE(row(1), before);
        QCOMPARE(copy->number("SELECT count(*) FROM assets WHERE assetchng <> 0"), 0.0);
        QCOMPARE(status(), QString("Edit record"));
        // Put right, the row saves.
        window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(window.get()));
        const std::map<QString, QString> asStored = {
            {"Asset Cost - Tax", "185000"},
            {"* Actual Date In Service", "06/15/1978"},
            {"Business Use % - Tax", "1"},
            {"Year End Of Year Asset Was Originally Placed In Service", "12/31/1978"}};
        typeInto(this->field(field), asStored.at(field));
        click("&Save Asset");
        QCOMPARE(messages.texts.size(), 1);
        QVERIFY(button("&Add Asset")->isVisible());
    }

    // The bonus needs the cost of a new asset: a blank one is named too.
    void theBonusNamesABlankCost() {
        open();
        click("&Add Asset");
        QTRY_COMPARE(field("Year End Of Year Asset Was Originally Placed In Service")->text(),
                     QString("12/31/2012"));
        typeInto(field("* Actual Date In Service"), "06/01/2012");
        MessageCatcher messages;
        click("Bonus");
        QCOMPARE(messages.texts, QStringList{"Asset Cost - Tax takes an amount, such as 1234.56 or "
                                             "-250. It is blank."});
        QCOMPARE(window->focusWidget(), static_cast<QWidget*>(field("Asset Cost - Tax")));
        QCOMPARE(field("30, 50, 100%  Deduct")->text(), QString());
    }

    // An empty or wordy record number is a message too.
    void aRecordNumberThatIsNoNumber_data() {
        QTest::addColumn<QString>("typed");
        QTest::newRow("empty") << "";
        QTest::newRow("letters") << "four";
    }

    void aRecordNumberThatIsNoNumber() {
        QFETCH(QString, typed);
        open();
        QLineEdit* number = byName<QLineEdit>(window.get(), "Record Number");
        number->setText(typed);
        MessageCatcher messages;
        click("Move To Record Number");
        QCOMPARE(messages.texts,
                 QStringList{"Record Number takes the number of an asset, from 1 to 30."});
        QCOMPARE(window->focusWidget(), static_cast<QWidget*>(number));
        QCOMPARE(status(), QString("Record: 1"));
    }
};

QTEST_MAIN(MainWindowGuardTest)
#include "mainwindow_guard_test.moc"
