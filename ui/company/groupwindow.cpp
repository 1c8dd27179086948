#include "ui/company/groupwindow.h"

#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "store/columns.h"

namespace czx::ui {

GroupWindow::GroupWindow(const std::string& dataPath, QWidget* owner)
    : RecordEditor("frmGroup", dataPath, "select groupname from groups Order by groupname", owner) {
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
    if (records_ && records_->count() == 0)
        statusLabel_->setText("Click Add To Create First Record");
    else
        afterMove();
}

void GroupWindow::showRecord() {
    QString text;
    if (records_ && (records_->hasCurrent() || records_->adding()))
        text = QString::fromStdString(asText(records_->get(col::GroupName)));
    groupEdit_->setText(text);
}

void GroupWindow::storeFields() {
    if (!records_->hasCurrent() && !records_->adding()) return;
    std::string name = groupEdit_->text().toStdString();
    if (adding() || name != asText(records_->get(col::GroupName)))
        records_->set(col::GroupName, Value(name));
}

void GroupWindow::setFieldsEditable(bool editable) {
    groupEdit_->setReadOnly(!editable);
    if (editable) groupEdit_->setFocus();
}

void GroupWindow::afterMove() {
    if (!records_) return;
    if (records_->count() == 0)
        statusLabel_->setText("Click Add To Create First Record");
    else
        statusLabel_->setText("Record: " + QString::number(records_->absolutePosition()));
}

}  // namespace czx::ui
