#pragma once
// The modal picker: one list read with "select [column] from table" from the
// method and life catalogue, or from the company's groups, and a Close
// button. A click on an entry hands it to the main window and closes.
#include <QDialog>
#include <QString>
#include <functional>

class QListWidget;
class QListWidgetItem;

namespace czx::ui {

class ListPicker : public QDialog {
    Q_OBJECT
  public:
    // `databaseFile`: the catalogue, or the company file for the group list.
    ListPicker(QWidget* parent, const QString& caption, const QString& databaseFile,
               const QString& table, const QString& column,
               std::function<void(const QString&)> onChoice);

    QListWidget* list() const { return choices_; }
    // Makes `entry` the current entry, when the list holds it; otherwise the
    // first entry is current. Typing moves to the entry that begins with what
    // was typed, Enter chooses the current entry, Escape closes.
    void selectEntry(const QString& entry);

  private:
    void load();
    void choiceClicked(QListWidgetItem* item);
    QListWidget* choices_;
    QString databaseFile_, table_, column_;
    std::function<void(const QString&)> onChoice_;
    bool chosen_ = false;
};

}  // namespace czx::ui
