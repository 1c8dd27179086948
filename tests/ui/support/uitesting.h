#pragma once
// Helpers for the desktop program's tests: a private copy of the shipped
// company per test, finding widgets by their accessible names, answering
// the message boxes and pickers the way a user would.
#include <QAbstractButton>
#include <QApplication>
#include <QListWidget>
#include <QMessageBox>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <QTimer>
#include <QWidget>
#include <functional>
#include <string>

#include "base/trail.h"
#include "store/database.h"
#include "store/value.h"

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

}  // namespace czx::uitest
