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
    txtGroup_ = new QLineEdit(this);
    txtGroup_->setObjectName("txtFields");
    txtGroup_->setAccessibleName("Group Name");
    txtGroup_->setMaxLength(255);
    txtGroup_->setMinimumWidth(320);
    connect(txtGroup_, &QLineEdit::textEdited, this, [this] { presenter_.markChanged(); });

    cmdAdd_ = addButton("&Add", "cmdAdd", "Click on this to add a new group.");
    cmdEdit_ = addButton("&Edit", "cmdEdit",
                         "If you are not adding a group, but simply want to change the data of "
                         "the current group, click on this command \"before\" editing.");
    cmdUpdate_ = addButton("&Update", "cmdUpdate",
                           "This is basically the save button. Click on it when you are finished "
                           "adding or editing the group.");
    cmdCancel_ = addButton("&Cancel", "cmdCancel");
    cmdDelete_ = addButton("&Delete", "cmdDelete");
    cmdClose_ = addButton("&Close", "cmdClose");

    auto* form = new QFormLayout;
    form->addRow("Group Name:", txtGroup_);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addLayout(buttonRow());
    layout->addWidget(lblStatus_);
    SetButtons(true);
    showRecord();
    if (records_ && records_->count() == 0)
        lblStatus_->setText("Click Add To Create First Record");
    else
        afterMove();
}

void GroupWindow::showRecord() {
    QString text;
    if (records_ && (records_->hasCurrent() || records_->adding()))
        text = QString::fromStdString(asText(records_->get(col::GroupName)));
    txtGroup_->setText(text);
}

void GroupWindow::storeFields() {
    if (!records_->hasCurrent() && !records_->adding()) return;
    std::string name = txtGroup_->text().toStdString();
    if (adding() || name != asText(records_->get(col::GroupName)))
        records_->set(col::GroupName, Value(name));
}

void GroupWindow::setFieldsEditable(bool editable) {
    txtGroup_->setReadOnly(!editable);
    if (editable) txtGroup_->setFocus();
}

void GroupWindow::afterMove() {
    if (!records_) return;
    if (records_->count() == 0)
        lblStatus_->setText("Click Add To Create First Record");
    else
        lblStatus_->setText("Record: " + QString::number(records_->absolutePosition()));
}

}  // namespace czx::ui
