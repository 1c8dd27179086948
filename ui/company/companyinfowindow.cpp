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
    : RecordEditor("UpdateCoInfo", owner) {
    openRows(dataPath, [this] {
        record_ = CompanyRepository(*connection_).load();
        return record_ ? std::vector<std::int64_t>{record_->key} : std::vector<std::int64_t>{};
    });
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
    if (!record_ || !rows_.hasCurrent()) {
        nameEdit_->clear();
        yearEndEdit_->clear();
        taxSetBox_->setChecked(false);
        bookSetBox_->setChecked(false);
        return;
    }
    const Company& company = record_->company;
    nameEdit_->setText(QString::fromStdString(company.name));
    // A year end that is no date is shown as the file holds it.
    yearEndEdit_->setText(QString::fromStdString(company.yearEnd ? paddedDate(*company.yearEnd)
                                                                 : record_->storedYearEnd));
    taxSetBox_->setChecked(company.regularFederal);
    bookSetBox_->setChecked(company.book);
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
// first). The year end and the two column sets decide every asset's amounts:
// a change of any of them flags every asset for the next run, in the same
// transaction as the company row.
void CompanyInfoWindow::writeRow() {
    if (!record_ || !rows_.hasCurrent()) return;
    const Company& before = record_->company;
    Company after = before;
    after.name = nameEdit_->text().toStdString();
    const std::string typed = yearEndEdit_->text().trimmed().toStdString();
    after.yearEnd = parseUsDate(typed);
    if (!after.yearEnd)
        throw Error(errors::kTypeMismatch, "Type mismatch: \"" + typed + "\" is not a date");
    after.regularFederal = taxSetBox_->isChecked();
    after.book = bookSetBox_->isChecked();
    const bool recompute = after.yearEnd != before.yearEnd ||
                           after.regularFederal != before.regularFederal ||
                           after.book != before.book;
    CompanyRepository companies(*connection_);
    bool written = false;
    try {
        Transaction transaction(*connection_);
        if (recompute) flagEveryAsset(*connection_);
        companies.update(*record_, after);
        written = true;
        transaction.commit();
    } catch (...) {
        // The write was rolled back: show the company as the file holds it.
        if (written) {
            record_ = companies.load();
            rows_.resetKeys(record_ ? std::vector<std::int64_t>{record_->key}
                                    : std::vector<std::int64_t>{});
        }
        throw;
    }
    record_ = companies.load();
}

void CompanyInfoWindow::setFieldsEditable(bool editable) {
    nameEdit_->setReadOnly(!editable);
    yearEndEdit_->setReadOnly(!editable);
    taxSetBox_->setEnabled(editable);
    bookSetBox_->setEnabled(editable);
    if (editable) nameEdit_->setFocus();
}

void CompanyInfoWindow::afterMove() {
    statusLabel_->setText(
        record_ && rows_.hasCurrent()
            ? QString::fromStdString(
                  CompanyRepository(*connection_).storedText(record_->key, col::CompanyNumber))
            : QString());
}

}  // namespace czx::ui
