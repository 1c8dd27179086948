#pragma once
// Helpers for the desktop program's tests: a private copy of the shipped
// company per test, finding widgets by their accessible names, answering
// the message boxes and pickers the way a user would.
#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QWidget>
#include <functional>
#include <memory>
#include <string>

#include "base/trail.h"
#include "store/database.h"
#include "store/value.h"
#include "ui/entry/mainwindow.h"

namespace czx::uitest {

// Per-user settings and data go to a temporary folder for the whole run.
void isolateUserFolders();

// A copy of the shipped database files in a fresh temporary folder.
class CompanyCopy {
  public:
    CompanyCopy();
    std::string path() const;  // ends with "/"
    std::string companyFile() const;
    // Runs SQL on the copy (to shape a test's starting data).
    void execute(const std::string& sql) const;
    Value value(const std::string& sql) const;
    double number(const std::string& sql) const;
    std::string text(const std::string& sql) const;

  private:
    QTemporaryDir dir_;
};

// The widget of `root` whose accessible name is `name`; failing that, the
// button whose caption is `name` ("&Save to file").
template <class T>
T* byName(QWidget* root, const QString& name) {
    for (T* w : root->findChildren<T*>())
        if (w->accessibleName() == name) return w;
    for (T* w : root->findChildren<T*>())
        if (auto* b = qobject_cast<QAbstractButton*>(w); b && b->text() == name) return w;
    return nullptr;
}

// Answers every message box that opens while it lives: records its title and
// text and presses `answer` when the box offers it, otherwise OK.
class MessageCatcher {
  public:
    explicit MessageCatcher(QMessageBox::StandardButton answer = QMessageBox::Ok);
    ~MessageCatcher();
    QStringList titles;
    QStringList texts;
    // The buttons each box offered, in alphabetical order ("Cancel|Discard|Save").
    QStringList offered;

  private:
    QTimer timer_;
};

// Clicks `entry` in the picker that the click on `button` opens; an empty
// entry presses the picker's Close button. Returns the entries the picker
// listed.
QStringList pick(QWidget* button, const QString& entry);

// Focuses a field by clicking it, selects what it holds and types `text`.
void typeInto(QWidget* field, const QString& text);

// Collects error reports while alive.
class ReportCatcher : public ErrorReporter {
  public:
    ReportCatcher() { trail::setReporter(this); }
    ~ReportCatcher() override { trail::setReporter(nullptr); }
    void showErrorReport(const std::string& text) override { reports.push_back(text); }
    std::vector<std::string> reports;
};

// The main window on a private company copy, as most window tests need it:
// `setUp` before each test, `tearDown` after (no error report may have
// been raised), and the widgets found by what they show.
class MainWindowFixture {
  protected:
    void setUp() {
        copy = std::make_unique<CompanyCopy>();
        errors = std::make_unique<ReportCatcher>();
    }
    void tearDown() {
        window.reset();
        QVERIFY2(errors->reports.empty(),
                 errors->reports.empty() ? "" : errors->reports.front().c_str());
        errors.reset();
        copy.reset();
    }
    void open() {
        window = std::make_unique<ui::MainWindow>(copy->path());
        window->show();
        QVERIFY(QTest::qWaitForWindowActive(window.get()));
    }
    // Shapes the first asset (AssetID 1) before the window opens.
    void shapeFirstAsset(const std::string& assignments) {
        copy->execute("UPDATE assets SET " + assignments + " WHERE AssetID = 1");
    }
    QLineEdit* field(const QString& name) { return byName<QLineEdit>(window.get(), name); }
    QCheckBox* box(const QString& name) { return byName<QCheckBox>(window.get(), name); }
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
    QAction* menuAction(const QString& text) {
        for (QAction* a : window->findChildren<QAction*>())
            if (a->text() == text) return a;
        return nullptr;
    }

    std::unique_ptr<CompanyCopy> copy;
    std::unique_ptr<ui::MainWindow> window;
    std::unique_ptr<ReportCatcher> errors;
};

}  // namespace czx::uitest
