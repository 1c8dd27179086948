// Every window of the program, from the keyboard and for assistive
// technology: each Alt+letter does one thing in its window, the main
// window's letters do what they say.
#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMap>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QTextDocumentFragment>
#include <QWindow>
#include <functional>
#include <memory>

#include "store/settings.h"
#include "support/uitesting.h"
#include "ui/company/companyfiles.h"
#include "ui/company/companyinfowindow.h"
#include "ui/company/groupwindow.h"
#include "ui/entry/mainwindow.h"
#include "ui/entry/picker.h"
#include "ui/shell/errordialog.h"
#include "ui/shell/helpviewer.h"
#include "ui/shell/instructions.h"
#include "ui/shell/sysfrm.h"

using namespace czx;
using namespace czx::uitest;
using czx::ui::MainWindow;

namespace {

// The letter Alt reaches in `text` ("Dele&te Asset": t), or none.
QChar mnemonic(const QString& text) {
    for (qsizetype i = 0; i + 1 < text.size(); ++i) {
        if (text[i] != '&') continue;
        if (text[i + 1] == '&') {
            ++i;
            continue;
        }
        return text[i + 1].toLower();
    }
    return {};
}

// Each letter that more than one control shown in `window` answers to, with
// the controls: buttons, labels of a field, group boxes and the menu bar.
QStringList clashes(QWidget* window) {
    QMap<QChar, QStringList> owners;
    auto note = [&](const QString& text) {
        if (QChar letter = mnemonic(text); !letter.isNull()) owners[letter] << text;
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
        if (it.value().size() > 1)
            found << QString("Alt+%1: %2").arg(it.key(), it.value().join(", "));
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

class WindowsTest : public QObject {
    Q_OBJECT

    std::unique_ptr<CompanyCopy> copy;
    std::unique_ptr<ReportCatcher> errors;

    std::unique_ptr<MainWindow> openMain() {
        auto window = std::make_unique<MainWindow>(copy->path());
        window->show();
        if (!QTest::qWaitForWindowActive(window.get())) qWarning("not active");
        return window;
    }

    // One of the program's windows, shown, in the state asked for.
    std::unique_ptr<QWidget> openWindow(const QString& window, bool editing, QWidget* owner,
                                        Settings& settings) {
        std::unique_ptr<QWidget> shown;
        if (window == "main")
            shown = std::make_unique<MainWindow>(copy->path());
        else if (window == "company information")
            shown = std::make_unique<ui::CompanyInfoWindow>(copy->path(), owner);
        else if (window == "groups")
            shown = std::make_unique<ui::GroupWindow>(copy->path(), owner);
        else if (window == "error report")
            shown = std::make_unique<ui::ErrorDialog>();
        else if (window == "help")
            shown = std::make_unique<ui::HelpWindow>();
        else if (window == "instructions")
            shown = std::make_unique<ui::InstructionsPrompt>("p946.pdf", QStringList{});
        else if (window == "settings")
            shown = std::make_unique<ui::Sysfrm>(settings, owner);
        else if (window == "save company")
            shown = std::make_unique<ui::SaveCompanyWindow>(copy->path(), owner);
        else if (window == "picker")
            shown = std::make_unique<ui::ADOSelcMethLife>(
                owner, "Select Method", QString::fromStdString(copy->path() + kCatalogueFile),
                "Methods", "Method-Tax", [](const QString&) {});
        if (!shown) return shown;
        shown->show();
        if (!QTest::qWaitForWindowActive(shown.get())) qWarning("not active");
        if (editing) {
            const QString caption = window == "main"                  ? "&Edit Asset"
                                    : window == "company information" ? "&Edit Company"
                                                                      : "&Edit";
            QTest::mouseClick(byName<QAbstractButton>(shown.get(), caption), Qt::LeftButton);
        }
        return shown;
    }

  private Q_SLOTS:
    void initTestCase() { isolateUserFolders(); }
    void init() {
        copy = std::make_unique<CompanyCopy>();
        errors = std::make_unique<ReportCatcher>();
    }
    void cleanup() {
        QVERIFY2(errors->reports.empty(),
                 errors->reports.empty() ? "" : errors->reports.front().c_str());
        errors.reset();
        copy.reset();
    }

    // ------------------------------------------------------------ B9

    // In every window, in each of its states, no two controls shown share a
    // letter.
    void eachLetterOncePerWindow_data() {
        QTest::addColumn<QString>("window");
        QTest::addColumn<bool>("editing");
        for (const char* w : {"main", "company information", "groups"}) {
            QTest::newRow(qPrintable(QString(w) + ", browsing")) << QString(w) << false;
            QTest::newRow(qPrintable(QString(w) + ", editing")) << QString(w) << true;
        }
        for (const char* w :
             {"error report", "help", "instructions", "settings", "save company", "picker"})
            QTest::newRow(w) << QString(w) << false;
    }

    void eachLetterOncePerWindow() {
        QFETCH(QString, window);
        QFETCH(bool, editing);
        QWidget owner;
        Settings settings = Settings::forUser();
        std::unique_ptr<QWidget> shown = openWindow(window, editing, &owner, settings);
        QVERIFY(shown);
        QCOMPARE(clashes(shown.get()), QStringList());
    }

    // The letters the issue found taken twice now do what they say: Alt+D
    // depreciates, Alt+R opens Reports, Alt+S saves while editing, Alt+T
    // asks to delete, and F5 refreshes.
    void theMainWindowsLettersDoWhatTheySay() {
        copy->execute("UPDATE assets SET assetchng = 0, [Current Dprn - Book] = 0");
        auto window = openMain();
        MessageCatcher no(QMessageBox::No);
        // A button's letter clicks it a moment later, as the button shows
        // itself pressed.
        QTest::keyClick(window.get(), Qt::Key_T, Qt::AltModifier);
        QTRY_COMPARE(no.texts.size(), 1);
        QVERIFY2(no.texts.first().startsWith("Delete the asset"), qPrintable(no.texts.first()));
        window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(window.get()));

        // Depreciate computes the asset on screen, the warehouse: (295,000 -
        // 15,000) / 35 a year.
        byName<QLineEdit>(window.get(), "Record Number")->setText("4");
        QTest::mouseClick(byName<QAbstractButton>(window.get(), "Move To Record Number"),
                          Qt::LeftButton);
        QTest::keyClick(window.get(), Qt::Key_D, Qt::AltModifier);
        QTRY_COMPARE(copy->number("SELECT [Current Dprn - Book] FROM assets WHERE AssetID = 4"),
                     8000.0);
        QCOMPARE(copy->number("SELECT count(*) FROM assets"), 30.0);

        QMenu* reports = nullptr;
        for (QAction* a : window->menuBar()->actions())
            if (a->text() == "&Reports") reports = a->menu();
        QVERIFY(reports);
        QTest::keyClick(window.get(), Qt::Key_R, Qt::AltModifier);
        QTRY_VERIFY(reports->isVisible());
        QTest::keyClick(reports, Qt::Key_Escape);
        QTRY_VERIFY(!reports->isVisible());
        window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(window.get()));

        QTest::mouseClick(byName<QAbstractButton>(window.get(), "&Edit Asset"), Qt::LeftButton);
        typeInto(byName<QLineEdit>(window.get(), "Asset Cost - Book"), "190000");
        QTest::keyClick(window.get(), Qt::Key_S, Qt::AltModifier);
        QTRY_COMPARE(copy->number("SELECT [Asset Cost - Book] FROM assets WHERE AssetID = 4"),
                     190000.0);
        QVERIFY(byName<QAbstractButton>(window.get(), "&Add Asset")->isVisible());

        copy->execute("INSERT INTO assets (companynumber, [Asset Description]) VALUES (1, 'New')");
        QTest::keyClick(window.get(), Qt::Key_F5);
        QTest::qWait(200);
        QTest::keyClick(window.get(), Qt::Key_End, Qt::ControlModifier);
        QCOMPARE(window->findChild<QLabel*>("lblStatus")->text(), QString("Record: 31"));
    }

    // ------------------------------------------------------------ B10

    // Each window the main window opens stays above it (transient for it)
    // while the main window is disabled, and closes with its Close button.
    void dialogsAreOwnedAndHaveAClose_data() {
        QTest::addColumn<QString>("command");
        QTest::addColumn<QString>("closeButton");
        QTest::newRow("company information") << "&Update Company Information"
                                             << "&Close";
        QTest::newRow("groups") << "&Groups"
                                << "&Close";
        QTest::newRow("settings") << "&Set Drive, Directory and Display Size"
                                  << "&Close";
        QTest::newRow("save company") << "Sa&ve Company To Disk"
                                      << "&Close";
        QTest::newRow("help") << "Help &Contents"
                              << "&Close";
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
        MainWindow main(copy->path(), &settings);
        main.setStepDelays({.maintenance = 50});
        main.show();
        QVERIFY(QTest::qWaitForWindowActive(&main));
        QAction* action = nullptr;
        for (QAction* a : main.findChildren<QAction*>())
            if (a->text() == command) action = a;
        QVERIFY(action);
        action->trigger();
        QWidget* opened = nullptr;
        QTRY_VERIFY((opened = [&]() -> QWidget* {
            for (QWidget* w : QApplication::topLevelWidgets())
                if (w != &main && w->isVisible() && !qobject_cast<QMenu*>(w)) return w;
            return nullptr;
        }()));
        QVERIFY(QTest::qWaitForWindowExposed(opened));
        QVERIFY2(opened->windowHandle()->transientParent() == main.windowHandle(),
                 qPrintable(opened->objectName() + " is not kept above the main window"));
        QAbstractButton* close = byName<QAbstractButton>(opened, closeButton);
        QAction* closeAction = nullptr;
        for (QAction* a : opened->findChildren<QAction*>())
            if (a->text() == closeButton) closeAction = a;
        QVERIFY2(close || closeAction, qPrintable(opened->objectName() + " has no Close"));
        close ? QTest::mouseClick(close, Qt::LeftButton) : closeAction->trigger();
        QTRY_VERIFY(!opened->isVisible());
        QTRY_VERIFY(main.isEnabled());
    }

    // The error report stands above the window that failed.
    void theErrorReportStandsAboveTheWindowThatFailed() {
        auto window = openMain();
        ui::ErrorDialog report;
        report.showErrorReport("ERROR REPORT\r\n");
        QVERIFY(QTest::qWaitForWindowExposed(&report));
        QCOMPARE(report.windowHandle()->transientParent(), window->windowHandle());
    }

    // The main window's title names the open company, also after the
    // company information changed.
    void theTitleNamesTheCompany() {
        auto window = openMain();
        QCOMPARE(window->windowTitle(),
                 QString("Riverside Machine Works, Inc. \u2014 CZX Depreciation"));
        copy->execute("UPDATE Defaults SET Name = 'Riverside Tool & Die'");
        window->setStepDelays({.maintenance = 50});
        window->startCompanyRefreshStep();
        QTRY_COMPARE(window->windowTitle(),
                     QString("Riverside Tool & Die \u2014 CZX Depreciation"));
    }

    // ------------------------------------------------------------ B11

    // Every control is read by assistive technology with its visible text.
    void controlsAreReadByTheirVisibleText_data() { eachLetterOncePerWindow_data(); }

    void controlsAreReadByTheirVisibleText() {
        QFETCH(QString, window);
        QFETCH(bool, editing);
        QWidget owner;
        Settings settings = Settings::forUser();
        std::unique_ptr<QWidget> shown = openWindow(window, editing, &owner, settings);
        QVERIFY(shown);
        const QStringList wrong = misnamed(shown.get());
        QVERIFY2(wrong.isEmpty(), qPrintable(wrong.join("\n")));
    }

    // The status line is read as it shows: "Record: 3", "Add record".
    void theStatusLineIsReadAsItShows() {
        auto window = openMain();
        QLabel* status = window->findChild<QLabel*>("lblStatus");
        QCOMPARE(accessibleName(status), QString("Record: 1"));
        QTest::mouseClick(byName<QAbstractButton>(window.get(), "Next"), Qt::LeftButton);
        QTest::mouseClick(byName<QAbstractButton>(window.get(), "Next"), Qt::LeftButton);
        QCOMPARE(accessibleName(status), QString("Record: 3"));
        QTest::mouseClick(byName<QAbstractButton>(window.get(), "&Add Asset"), Qt::LeftButton);
        QCOMPARE(accessibleName(status), QString("Add record"));
    }
};

QTEST_MAIN(WindowsTest)
#include "windows_test.moc"
