#include "ui/company/groupwindow.h"

#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "store/company_repository.h"

namespace czx::ui {

GroupWindow::GroupWindow(const std::string& dataPath, QWidget* owner)
    : RecordEditor("frmGroup", owner) {
    openRows(dataPath, [this] {
        std::vector<std::int64_t> keys;
        for (Group& g : GroupRepository(*connection_).list()) {
            keys.push_back(g.key);
            names_[g.key] = std::move(g.name);
        }
        return keys;
    });
    setWindowTitle("Add & Update Groups");
    groupEdit_ = new QLineEdit(this);
    groupEdit_->setObjectName("txtFields");
    groupEdit_->setAccessibleName("Group Name");
    groupEdit_->setMaxLength(255);
    groupEdit_->setMinimumWidth(320);
    connect(groupEdit_, &QLineEdit::textEdited, this, [this] { presenter_.markChanged(); });

    addButton_ = makeButton("&Add", "cmdAdd", "Click on this to add a new group.");
    editButton_ = makeButton("&Edit", "cmdEdit",
                             "If you are not adding a group, but simply want to change the data of "
                             "the current group, click on this command \"before\" editing.");
    saveButton_ = makeButton("&Update", "cmdUpdate",
                             "This is basically the save button. Click on it when you are finished "
                             "adding or editing the group.");
    cancelButton_ = makeButton("&Cancel", "cmdCancel");
    deleteButton_ = makeButton("&Delete", "cmdDelete");
    closeButton_ = makeButton("&Close", "cmdClose");

    auto* form = new QFormLayout;
    form->addRow("Group Name:", groupEdit_);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addLayout(buttonRow());
    layout->addWidget(statusLabel_);
    setButtons(true);
    showRecord();
    if (open() && rows_.count() == 0)
        statusLabel_->setText("Click Add To Create First Record");
    else
        afterMove();
}

void GroupWindow::showRecord() {
    QString text;
    if (open() && !rows_.adding() && rows_.hasCurrent())
        text = QString::fromStdString(names_[rows_.bookmark()]);
    groupEdit_->setText(text);
}

// A new group goes last until the window opens again; an edit writes the
// name only when it changed.
void GroupWindow::writeRow() {
    GroupRepository groups(*connection_);
    std::string name = groupEdit_->text().toStdString();
    if (rows_.adding()) {
        const std::int64_t key = groups.add(name);
        names_[key] = std::move(name);
        rows_.append(key);
    } else if (rows_.hasCurrent() && name != names_[rows_.bookmark()]) {
        groups.rename(rows_.bookmark(), name);
        names_[rows_.bookmark()] = std::move(name);
    }
}

void GroupWindow::removeRow(std::int64_t key) {
    GroupRepository(*connection_).remove(key);
    names_.erase(key);
}

void GroupWindow::setFieldsEditable(bool editable) {
    groupEdit_->setReadOnly(!editable);
    if (editable) groupEdit_->setFocus();
}

void GroupWindow::afterMove() {
    if (!open()) return;
    if (rows_.count() == 0)
        statusLabel_->setText("Click Add To Create First Record");
    else
        statusLabel_->setText("Record: " + QString::number(rows_.absolutePosition()));
}

}  // namespace czx::ui
