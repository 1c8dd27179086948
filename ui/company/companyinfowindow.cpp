#include "ui/company/companyinfowindow.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "base/dates.h"
#include "store/assets.h"
#include "store/columns.h"
#include "ui/entry/fieldformat.h"
#include "ui/shell/guifeedback.h"

namespace czx::ui {

CompanyInfoWindow::CompanyInfoWindow(const std::string& dataPath, QWidget* owner)
    : RecordEditor("UpdateCoInfo", dataPath, "select * from Defaults", owner) {
    setWindowTitle("Add or Update Company Information");
    nameEdit_ = new QLineEdit(this);
    nameEdit_->setObjectName("txtFields");
    nameEdit_->setAccessibleName("Name");
    nameEdit_->setMinimumWidth(340);
    yearEndEdit_ = new QLineEdit(this);
    yearEndEdit_->setObjectName("txtFields");
    yearEndEdit_->setAccessibleName("Current Year End");
    yearEndEdit_->setMaximumWidth(110);
    taxSetBox_ = new QCheckBox("Regular federal", this);
    taxSetBox_->setObjectName("chkFields");
    taxSetBox_->setAccessibleName("Regular federal");
    bookSetBox_ = new QCheckBox("Book", this);
    bookSetBox_->setObjectName("chkFields");
    bookSetBox_->setAccessibleName("Book");
    for (QLineEdit* e : {nameEdit_, yearEndEdit_})
        connect(e, &QLineEdit::textEdited, this, [this] { presenter_.markChanged(); });

    editButton_ = makeButton("&Edit Company", "cmdEdit");
    saveButton_ = makeButton("&Save Company", "cmdUpdate");
    cancelButton_ = makeButton("&Cancel", "cmdCancel");
    closeButton_ = makeButton("&Close", "cmdClose");

    auto* note = new QLabel(
        "Before making changes to existing data, be sure to click on Edit Company; otherwise the "
        "changes will appear to save, but will not carry to other forms.",
        this);
    note->setObjectName("lblNote");
    note->setWordWrap(true);

    auto* form = new QFormLayout;
    form->addRow("Name:", nameEdit_);
    form->addRow("Current Year End:", yearEndEdit_);
    auto* kinds = new QGroupBox("Types of depreciation to calculate", this);
    auto* kindsLayout = new QVBoxLayout(kinds);
    kindsLayout->addWidget(taxSetBox_);
    kindsLayout->addWidget(bookSetBox_);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(note);
    layout->addLayout(form);
    layout->addWidget(kinds);
    layout->addLayout(buttonRow());
    layout->addWidget(statusLabel_);
    setButtons(true);
    showRecord();
    afterMove();
}

void CompanyInfoWindow::showRecord() {
    if (!records_ || !records_->hasCurrent()) {
        nameEdit_->clear();
        yearEndEdit_->clear();
        taxSetBox_->setChecked(false);
        bookSetBox_->setChecked(false);
        return;
    }
    nameEdit_->setText(QString::fromStdString(asText(records_->get(col::Name))));
    auto yearEnd = parseIsoDate(asText(records_->get(col::YearEnd)));
    yearEndEdit_->setText(yearEnd ? QString::fromStdString(paddedDate(*yearEnd))
                                  : QString::fromStdString(asText(records_->get(col::YearEnd))));
    taxSetBox_->setChecked(asBool(records_->get(col::RegularFederal)));
    bookSetBox_->setChecked(asBool(records_->get(col::Book)));
}

// A year end that is no date is a typo, said plainly, not a fault.
bool CompanyInfoWindow::fieldsAccepted() {
    QString message = typoMessage(FieldKind::Date, "Current Year End", yearEndEdit_->text());
    if (message.isEmpty() && yearEndEdit_->text().trimmed().isEmpty())
        message = blankMessage(FieldKind::Date, "Current Year End");
    if (message.isEmpty()) return true;
    showMessage(this, message);
    yearEndEdit_->setFocus(Qt::OtherFocusReason);
    yearEndEdit_->selectAll();
    return false;
}

// The name and the year end are taken as typed (the year end was checked
// first).
void CompanyInfoWindow::storeFields() {
    if (!records_->hasCurrent()) return;
    records_->set(col::Name, Value(nameEdit_->text().toStdString()));
    const std::string typed = yearEndEdit_->text().trimmed().toStdString();
    auto yearEnd = parseUsDate(typed);
    if (!yearEnd)
        throw Error(errors::kTypeMismatch, "Type mismatch: \"" + typed + "\" is not a date");
    records_->set(col::YearEnd, Value(isoDate(*yearEnd)));
    records_->set(col::RegularFederal, Value(std::int64_t{taxSetBox_->isChecked() ? 1 : 0}));
    records_->set(col::Book, Value(std::int64_t{bookSetBox_->isChecked() ? 1 : 0}));
}

// The year end and the two column sets decide every asset's amounts: a change
// of any of them flags every asset for the next run, in the same transaction
// as the company row.
void CompanyInfoWindow::writeRow() {
    if (!records_->hasCurrent()) return RecordEditor::writeRow();
    const auto yearEndBefore = parseIsoDate(asText(records_->get(col::YearEnd)));
    const bool taxBefore = asBool(records_->get(col::RegularFederal));
    const bool bookBefore = asBool(records_->get(col::Book));
    storeFields();
    const bool recompute = parseIsoDate(asText(records_->get(col::YearEnd))) != yearEndBefore ||
                           asBool(records_->get(col::RegularFederal)) != taxBefore ||
                           asBool(records_->get(col::Book)) != bookBefore;
    bool written = false;
    try {
        Transaction transaction(*connection_);
        if (recompute) flagEveryAsset(*connection_);
        records_->update();
        written = true;
        transaction.commit();
    } catch (...) {
        // The set read the row back inside the transaction that was rolled
        // back: read it again from the file.
        if (written) records_->requery();
        throw;
    }
}

void CompanyInfoWindow::setFieldsEditable(bool editable) {
    nameEdit_->setReadOnly(!editable);
    yearEndEdit_->setReadOnly(!editable);
    taxSetBox_->setEnabled(editable);
    bookSetBox_->setEnabled(editable);
    if (editable) nameEdit_->setFocus();
}

void CompanyInfoWindow::afterMove() {
    statusLabel_->setText(records_ && records_->hasCurrent()
                              ? QString::fromStdString(asText(records_->get(col::CompanyNumber)))
                              : QString());
}

}  // namespace czx::ui
