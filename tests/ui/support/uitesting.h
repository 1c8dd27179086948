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
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QWidget>
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

// The action of `root` (a menu item) whose text is `text`.
QAction* actionOf(QWidget* root, const QString& text);

// Clicks the button of `root` named `name`; fails the test if it is not
// there to be clicked.
void press(QWidget* root, const QString& name);

// A click on a check box's box (the widget may be wider than its caption).
void tick(QCheckBox* box);

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
    // Each box's default button and whether it showed the warning sign.
    QStringList defaults;
    QList<bool> warnings;

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

// A private company copy, an owner for the windows a test opens by
// themselves, and the main window on the copy with its widgets found by
// what they show: `setUp` before each test, `tearDown` after (no error
// report may have been raised).
class MainWindowFixture {
  protected:
    void setUp() {
        copy = std::make_unique<CompanyCopy>();
        owner = std::make_unique<QWidget>();
        errors = std::make_unique<ReportCatcher>();
    }
    void tearDown();
    void open(Settings* settings = nullptr);
    // A fresh company copy for the next case of a table, the window closed.
    void freshCompany() {
        window.reset();
        copy = std::make_unique<CompanyCopy>();
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
    void click(const QString& name) { press(window.get(), name); }
    QAction* menuAction(const QString& text) { return actionOf(window.get(), text); }
    // Types `n` into Record Number and moves there.
    void moveTo(int n);
    // The window back in front once a box has closed: the offscreen platform
    // leaves none active.
    void activate();

    // What the company copy holds.
    double assets() { return copy->number("SELECT count(*) FROM assets"); }
    double flagged() { return copy->number("SELECT count(*) FROM assets WHERE assetchng <> 0"); }
    std::string asset(const char* column, int assetId = 1) {
        return copy->text(std::string("SELECT [") + column +
                          "] FROM assets WHERE AssetID = " + std::to_string(assetId));
    }
    double amount(const char* column, int assetId = 1) {
        return copy->number(std::string("SELECT [") + column +
                            "] FROM assets WHERE AssetID = " + std::to_string(assetId));
    }
    // Every stored value of a row, as text, but the changed flag.
    std::string row(int assetId);

    std::unique_ptr<CompanyCopy> copy;
    std::unique_ptr<QWidget> owner;
    std::unique_ptr<ui::MainWindow> window;
    std::unique_ptr<ReportCatcher> errors;
};

}  // namespace czx::uitest
