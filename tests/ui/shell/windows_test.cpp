// Every window of the program, from the keyboard and for assistive
// technology: each Alt+letter does one thing in its window, the main
// window's letters do what they say, every control is read by its visible
// text; the windows the main window opens stay above it and close.
#include <QAccessible>
#include <QGroupBox>
#include <QLabel>
#include <QMap>
#include <QMenu>
#include <QMenuBar>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QTextDocumentFragment>
#include <QWindow>

#include "store/settings.h"
#include "support/uitesting.h"
#include "ui/company/companyfiles.h"
#include "ui/company/companyinfowindow.h"
#include "ui/company/groupwindow.h"
#include "ui/entry/mainwindow.h"
#include "ui/entry/picker.h"
#include "ui/entry/schedulewindow.h"
#include "ui/shell/errordialog.h"
#include "ui/shell/helpviewer.h"
#include "ui/shell/instructions.h"
#include "ui/shell/systemsettingswindow.h"
#include "ui/yearend/form4562preview.h"
#include "ui/yearend/projectionpreview.h"

using namespace czx;
using namespace czx::uitest;

namespace {

// Each letter that more than one control shown in `window` answers to, with
// the controls: buttons, labels of a field, group boxes and the menu bar.
QStringList clashes(QWidget* window) {
    QMap<QString, QStringList> owners;
    auto note = [&](const QString& text) {
        if (QKeySequence letter = QKeySequence::mnemonic(text); !letter.isEmpty())
            owners[letter.toString()] << text;
    };
    for (QWidget* w : window->findChildren<QWidget*>()) {
        if (!w->isVisibleTo(window)) continue;
        if (auto* b = qobject_cast<QAbstractButton*>(w)) note(b->text());
        if (auto* l = qobject_cast<QLabel*>(w); l && l->buddy()) note(l->text());
        if (auto* g = qobject_cast<QGroupBox*>(w)) note(g->title());
        if (auto* bar = qobject_cast<QMenuBar*>(w))
            for (QAction* a : bar->actions())
                if (a->isVisible()) note(a->text());
    }
    QStringList found;
    for (auto it = owners.begin(); it != owners.end(); ++it)
        if (it.value().size() > 1) found << it.key() + ": " + it.value().join(", ");
    return found;
}

// What a control shows, as words: the caption without its Alt marker, a
// label without its colon, rich text as plain text.
QString plain(QString text) {
    if (Qt::mightBeRichText(text)) text = QTextDocumentFragment::fromHtml(text).toPlainText();
    text.replace("&&", "\x01").remove('&').replace("\x01", "&");
    text = text.trimmed();
    if (text.endsWith(':')) text.chop(1);
    return text;
}

QString accessibleName(QWidget* w) {
    QAccessibleInterface* face = QAccessible::queryAccessibleInterface(w);
    return face ? face->text(QAccessible::Name) : QString();
}

// The controls shown in `window` that assistive technology does not read by
// their visible text: a button by its caption (with what it acts on, where
// the caption is a sign or repeats), a field by its label, a label by what
// it shows; every other control by some name.
QStringList misnamed(QWidget* window) {
    QMap<QWidget*, QLabel*> labelOf;
    QMap<QString, int> captions;
    for (QWidget* w : window->findChildren<QWidget*>()) {
        if (!w->isVisibleTo(window)) continue;
        if (auto* l = qobject_cast<QLabel*>(w); l && l->buddy()) labelOf[l->buddy()] = l;
        if (auto* b = qobject_cast<QAbstractButton*>(w)) ++captions[plain(b->text())];
    }
    QStringList wrong;
    for (QWidget* w : window->findChildren<QWidget*>()) {
        // A table's header is read through the table.
        if (!w->isVisibleTo(window) || w->isWindow() || w->inherits("QHeaderView")) continue;
        const QString name = accessibleName(w);
        QString expected;
        bool ok = true;
        if (auto* b = qobject_cast<QAbstractButton*>(w)) {
            expected = plain(b->text());
            if (!expected.contains(QRegularExpression("[A-Za-z]{2}")))
                ok = !name.isEmpty() && name == b->toolTip();  // "...", "|<"
            else if (captions[expected] > 1)
                ok = name.startsWith(expected + " ");  // "Set Auto"
            else
                ok = name == expected;
        } else if (auto* l = qobject_cast<QLabel*>(w)) {
            if (l->text().isEmpty() || !l->pixmap().isNull()) continue;
            expected = plain(l->text());
            ok = plain(name) == expected;
        } else if (qobject_cast<QLineEdit*>(w)) {
            if (QLabel* l = labelOf.value(w)) {
                expected = plain(l->text());
                ok = name.startsWith(expected);
            } else {
                ok = !name.isEmpty();
            }
        } else if (w->inherits("QAbstractItemView") || w->inherits("QComboBox") ||
                   w->inherits("QProgressBar") || w->inherits("QPlainTextEdit")) {
            if (w->parentWidget() && w->parentWidget()->inherits("QComboBox")) continue;
            ok = !name.isEmpty();
        }
        if (!ok)
            wrong << QString("%1 %2 reads \"%3\"%4")
                         .arg(w->metaObject()->className(), w->objectName(), name,
                              expected.isEmpty() ? QString() : ", shows \"" + expected + "\"");
    }
    return wrong;
}

}  // namespace

class WindowsTest : public QObject, protected MainWindowFixture {
    Q_OBJECT

    // One of the program's windows, shown, in the state asked for.
    std::unique_ptr<QWidget> openWindow(const QString& name, bool editing, Settings& settings) {
        std::unique_ptr<QWidget> shown;
        const std::string data = copy->path();
        if (name == "main")
            shown = std::make_unique<ui::MainWindow>(data);
        else if (name == "company information")
            shown = std::make_unique<ui::CompanyInfoWindow>(data, owner.get());
        else if (name == "groups")
            shown = std::make_unique<ui::GroupWindow>(data, owner.get());
        else if (name == "error report")
            shown = std::make_unique<ui::ErrorDialog>();
        else if (name == "help")
            shown = std::make_unique<ui::HelpWindow>();
        else if (name == "instructions")
            shown = std::make_unique<ui::InstructionsPrompt>("p946.pdf", QStringList{});
        else if (name == "settings")
            shown = std::make_unique<ui::SystemSettingsWindow>(settings, owner.get());
        else if (name == "save company")
            shown = std::make_unique<ui::SaveCompanyWindow>(data, owner.get());
        else if (name == "picker")
            shown = std::make_unique<ui::ListPicker>(
                owner.get(), "Select Method", QString::fromStdString(data + kCatalogueFile),
                "Methods", "Method-Tax", [](const QString&) {});
        else if (name == "asset schedule") {
            auto schedule = std::make_unique<ui::ScheduleWindow>();
            Connection c = Connection::open(copy->companyFile());
            schedule->showAsset(c, 2);
            shown = std::move(schedule);
        } else if (name == "projection options")
            shown = std::make_unique<ui::ProjectionOptions>();
        else if (name == "form 4562 options")
            shown = std::make_unique<ui::Form4562OptionsDialog>();
        if (!shown) return shown;
        shown->show();
        if (!QTest::qWaitForWindowActive(shown.get())) qWarning("not active");
        if (editing) {
            const QString caption = name == "main"                  ? "&Edit Asset"
                                    : name == "company information" ? "&Edit Company"
                                                                    : "&Edit";
            press(shown.get(), caption);
        }
        return shown;
    }

  private Q_SLOTS:
    void initTestCase() { isolateUserFolders(); }
    void init() { setUp(); }
    void cleanup() { tearDown(); }

    // In every window, in each of its states, no two controls shown share a
    // letter, and assistive technology reads every control by its visible
    // text.
    void eachWindowFromTheKeyboardAndForAssistiveTechnology_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("editing");
        for (const char* w : {"main", "company information", "groups"}) {
            QTest::newRow(qPrintable(QString(w) + ", browsing")) << QString(w) << false;
            QTest::newRow(qPrintable(QString(w) + ", editing")) << QString(w) << true;
        }
        for (const char* w :
             {"error report", "help", "instructions", "settings", "save company", "picker",
              "asset schedule", "projection options", "form 4562 options"})
            QTest::newRow(w) << QString(w) << false;
    }

    void eachWindowFromTheKeyboardAndForAssistiveTechnology() {
        QFETCH(QString, name);
        QFETCH(bool, editing);
        Settings settings = Settings::forUser();
        std::unique_ptr<QWidget> shown = openWindow(name, editing, settings);
        QVERIFY(shown);
        QCOMPARE(clashes(shown.get()), QStringList());
        const QStringList wrong = misnamed(shown.get());
        QVERIFY2(wrong.isEmpty(), qPrintable(wrong.join("\n")));
    }

    // The main window's letters do what they say (Alt+T asks to delete, Alt+D
    // depreciates, Alt+S saves while editing); the status line reads as shown.
    void theMainWindowsLettersDoWhatTheySay() {
        copy->execute("UPDATE assets SET assetchng = 0, [Current Dprn - Book] = 0");
        open();
        MessageCatcher no(QMessageBox::No);
        // A button's letter clicks it a moment later, as the button shows
        // itself pressed.
        QTest::keyClick(window.get(), Qt::Key_T, Qt::AltModifier);
        QTRY_COMPARE(no.texts.size(), 1);
        QVERIFY2(no.texts.first().startsWith("Delete the asset"), qPrintable(no.texts.first()));
        activate();

        // Depreciate computes the asset on screen, the warehouse: (295,000 -
        // 15,000) / 35 a year.
        moveTo(4);
        QCOMPARE(accessibleName(label("lblStatus")), QString("Record: 4"));
        QTest::keyClick(window.get(), Qt::Key_D, Qt::AltModifier);
        QTRY_COMPARE(amount("Current Dprn - Book", 4), 8000.0);
        QCOMPARE(assets(), 30.0);

        click("&Edit Asset");
        typeInto(field("Asset Cost - Book"), "190000");
        QTest::keyClick(window.get(), Qt::Key_S, Qt::AltModifier);
        QTRY_COMPARE(amount("Asset Cost - Book", 4), 190000.0);
        QVERIFY(button("&Add Asset")->isVisible());

        click("&Add Asset");
        QCOMPARE(accessibleName(label("lblStatus")), QString("Add record"));
    }

    // Each window the main window opens stays above it (transient for it)
    // while the main window is disabled, and closes with its Close button.
    void dialogsAreOwnedAndHaveAClose_data() {
        QTest::addColumn<QString>("command");
        QTest::addColumn<QString>("closeButton");
        for (const char* command :
             {"&Update Company Information", "&Groups", "&Set Drive, Directory and Display Size",
              "Sa&ve Company To Disk", "Help &Contents"})
            QTest::newRow(command) << command << "&Close";
        QTest::newRow("instructions prompt") << "I&RS Depreciation Instructions"
                                             << "&Cancel";
        QTest::newRow("tax report") << "&Tax Depreciation Report"
                                    << "Close";
    }

    void dialogsAreOwnedAndHaveAClose() {
        QFETCH(QString, command);
        QFETCH(QString, closeButton);
        QTemporaryDir folder;
        Settings settings((folder.path() + "/CZXDprn.conf").toStdString());
        open(&settings);
        window->setStepDelays({.maintenance = 50});
        menuAction(command)->trigger();
        QWidget* opened = nullptr;
        QTRY_VERIFY((opened = [&]() -> QWidget* {
            for (QWidget* w : QApplication::topLevelWidgets())
                if (w != window.get() && w->isVisible() && !qobject_cast<QMenu*>(w)) return w;
            return nullptr;
        }()));
        QVERIFY(QTest::qWaitForWindowExposed(opened));
        QVERIFY2(opened->windowHandle()->transientParent() == window->windowHandle(),
                 qPrintable(opened->objectName() + " is not kept above the main window"));
        QAbstractButton* close = byName<QAbstractButton>(opened, closeButton);
        QAction* closeAction = actionOf(opened, closeButton);
        QVERIFY2(close || closeAction, qPrintable(opened->objectName() + " has no Close"));
        close ? QTest::mouseClick(close, Qt::LeftButton) : closeAction->trigger();
        QTRY_VERIFY(!opened->isVisible());
        QTRY_VERIFY(window->isEnabled());
    }

    // The title names the open company, also after the company information
    // changed; the error report stands above the window that failed.
    void theTitleNamesTheCompanyAndTheErrorReportStandsAbove() {
        open();
        QCOMPARE(window->windowTitle(),
                 QString("Riverside Machine Works, Inc. \u2014 CZX Depreciation"));
        copy->execute("UPDATE Defaults SET Name = 'Riverside Tool & Die'");
        window->setStepDelays({.maintenance = 50});
        window->startCompanyRefreshStep();
        QTRY_COMPARE(window->windowTitle(),
                     QString("Riverside Tool & Die \u2014 CZX Depreciation"));
        ui::ErrorDialog report;
        report.showErrorReport("ERROR REPORT\r\n");
        QVERIFY(QTest::qWaitForWindowExposed(&report));
        QCOMPARE(report.windowHandle()->transientParent(), window->windowHandle());
    }
};

QTEST_MAIN(WindowsTest)
#include "windows_test.moc"
