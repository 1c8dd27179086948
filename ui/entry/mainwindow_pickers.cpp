#include <QCheckBox>
#include <QLineEdit>
#include <QMessageBox>
#include <QTimer>
#include <QToolButton>
#include <map>

#include "base/dates.h"
#include "base/money.h"
#include "base/trail.h"
#include "engine/rules/bonus.h"
#include "engine/rules/life_lists.h"
#include "engine/rules/vehicles.h"
#include "engine/tables/federal_law.h"
#include "store/columns.h"
#include "store/settings.h"
#include "ui/entry/mainwindow.h"
#include "ui/entry/picker.h"

// The pickers that fill the method, life and group fields, the flag
// buttons, the bonus calculator and the Section 179 reminder.
namespace czx::ui {
namespace {

// The Section 179 reminder for a heavy sport-utility vehicle placed in
// service in `year`, with that year's cap.
QString heavyVehicleTip(int year) {
    auto cap = law::heavyVehicleSection179Cap(year);
    if (!cap)
        return QString(
                   "If this asset is a heavy sports utility vehicle purchased after "
                   "10/22/04, limit Sec. 179 to the cap of its year (%1).")
            .arg(QString::fromStdString(law::knownLaw()));
    return QString(
               "If this asset is a heavy sports utility vehicle purchased after 10/22/04, "
               "limit Sec. 179 to $%1.")
        .arg(QString::fromStdString(money::withThousands(*cap)));
}

}  // namespace

void MainWindow::openPicker(int field) {
    static const std::map<int, const char*> names = {{FMethodTax, "Calcform.Command11_Click"},
                                                     {FLifeTax, "Calcform.Command12_Click"},
                                                     {FGroup, "Calcform.Command13_Click"},
                                                     {FMethodBook, "Calcform.Command14_Click"},
                                                     {FLifeBook, "Calcform.Command15_Click"}};
    procedure(names.at(field), [&] {
        if (!hasRow()) return;
        QLineEdit* target = fields_[field].edit;
        target->setEnabled(true);
        target->setFocus();
        pickerField_ = field;
        QString caption;
        switch (field) {
            case FMethodTax:
                pickerTable_ = "Methods";
                pickerColumn_ = "Method-Tax";
                pickerCheckBox_ = CAuto;
                caption = "Select Method";
                break;
            case FMethodBook:
                pickerTable_ = "Methods";
                pickerColumn_ = "Method-Book";
                caption = "Select Method";
                break;
            case FGroup:
                pickerTable_ = "groups";
                pickerColumn_ = "groupname";
                caption = "Select Group";
                break;
            case FLifeTax:
            case FLifeBook: {
                // A method that names no list keeps the previous request's list.
                const std::string method = fields_[field == FLifeTax ? FMethodTax : FMethodBook]
                                               .edit->text()
                                               .toStdString();
                const auto list = field == FLifeTax ? taxLifeList(method) : bookLifeList(method);
                if (list) {
                    pickerTable_ = list->table;
                    pickerColumn_ = list->column;
                }
                caption = "Select Life";
                break;
            }
        }
        setColumn(col::AssetChanged, Value(std::int64_t{1}));
        const std::string file = dataPath_ + (field == FGroup ? kCompanyFile : kCatalogueFile);
        ListPicker picker(this, caption, QString::fromStdString(file), pickerTable_, pickerColumn_,
                          [this](const QString& entry) { pickerChoice(entry); });
        picker.selectEntry(target->text());
        picker.exec();
        QTimer::singleShot(delays_.pickerFollowUp, this, [this, field] { lockField(field); });
    });
}

void MainWindow::pickerChoice(const QString& entry) {
    const int field = pickerField_;
    QString value = entry;
    if (field == FMethodTax && pickerCheckBox_ >= 0 && checks_[pickerCheckBox_].box->isChecked()) {
        // A passenger automobile takes the automobile method above 50 %
        // business use and straight line at 50 % or less, whatever was picked.
        const double use = asNumber(assets_->get(col::BusUseTax)).value_or(0);
        value = QString::fromUtf8(automobileMethod(use));
    }
    setFieldValue(field, value);
    presenter_.markChanged();
    QTimer::singleShot(delays_.pickerFollowUp, this, [this, field] { afterChoice(field); });
}

void MainWindow::afterChoice(int field) {
    procedure("Calcform.TimerPick_Timer", [&] {
        fields_[field].edit->setEnabled(false);
        // A new method always needs a new life.
        if (field == FMethodTax) clearLife(FLifeTax);
        if (field == FMethodBook) clearLife(FLifeBook);
        QTimer::singleShot(delays_.pickerFollowUp, this, [this] { automobileStep(); });
    });
}

void MainWindow::clearLife(int field) {
    QLineEdit* life = fields_[field].edit;
    life->setEnabled(true);
    life->setFocus();
    setFieldValue(field, QString());
    life->setEnabled(false);
}

void MainWindow::automobileStep() {
    procedure("Calcform.TimerAuto_Timer", [&] {
        if (!isAutomobileMethod(fields_[FMethodTax].edit->text().toStdString())) return;
        QCheckBox* box = checks_[CAuto].box;
        box->setEnabled(true);
        box->setFocus();
        box->setChecked(true);
        writeCheck(CAuto, true);
        box->setEnabled(false);
    });
}

void MainWindow::lockField(int field) {
    procedure("Calcform.TimerLock_Timer", [&] { fields_[field].edit->setEnabled(false); });
}

void MainWindow::flagButton(int check, const char* procedureName) {
    procedure(procedureName, [&] {
        if (!hasRow()) return;
        setColumn(col::AssetChanged, Value(std::int64_t{1}));
        QCheckBox* box = checks_[check].box;
        box->setEnabled(true);
        box->setFocus();
        box->setChecked(!box->isChecked());
        writeCheck(check, box->isChecked());
        box->setEnabled(false);
        presenter_.markChanged();
    });
}

void MainWindow::calculateBonus() {
    procedure("Calcform.Command31_Click", [&] {
        if (!hasRow()) return;
        const QString placedText = fields_[FPlaced].edit->text().trimmed();
        if (placedText.isEmpty()) {
            QMessageBox box(QMessageBox::Warning, "Need Date For Bonus Depreciation",
                            "There must be a date in the Actual Date In\nService field for this "
                            "command to function.",
                            QMessageBox::Ok, this);
            box.exec();
            return;
        }
        if (!fieldAccepts(FPlaced) || !fieldAccepts(FCostTax, true) ||
            !fieldAccepts(FUseTax, true) || !fieldAccepts(FSec179))
            return;
        auto placed = parseUsDate(placedText.toStdString());
        auto read = [this](int field) {
            return parseNumber(fields_[field].edit->text().trimmed()).value_or(0);
        };
        const double cost = read(FCostTax);
        // The share is first written "##0.00" and read back as a number.
        const double use = parseNumber(QString::number(read(FUseTax), 'f', 2)).value_or(0);
        const double s179 = read(FSec179);
        if (automobileLimitsMayCutBonus(cost, fields_[FMethodTax].edit->text().toStdString(),
                                        *placed)) {
            QMessageBox box(QMessageBox::Information,
                            "Automobile Limits May Restrict Bonus Depreciation",
                            "Since the MACRS-Auto method was selected, this asset is subject to "
                            "the\npassenger automobile limits and the Depreciate command may "
                            "revise the\npreliminary amount of Bonus Depreciation calculated by "
                            "this command.",
                            QMessageBox::Ok, this);
            box.exec();
        }
        const law::BonusPeriod bonus = law::bonusFor(*placed);
        if (bonus.outcome == law::BonusOutcome::Zero)
            setFieldValue(FBonus, "0.00");
        else if (bonus.outcome == law::BonusOutcome::Rate)
            setFieldValue(FBonus, formatMoney(bonusAmount(cost, use, s179, bonus.rate)));
        setColumn(col::AssetChanged, Value(std::int64_t{1}));
        setColumn(col::CompanyNumber, Value(std::int64_t{1}));
        presenter_.markChanged();
    });
}

void MainWindow::updateSection179Reminder() {
    procedure("Calcform.txtFields_MouseMove", [&] {
        const QString placedText = fields_[FPlaced].edit->text().trimmed();
        if (placedText.isEmpty()) return;
        auto placed = parseUsDate(placedText.toStdString());
        const bool remind = placed && heavyVehicleCapMayApply(
                                          *placed, fields_[FMethodTax].edit->text().toStdString(),
                                          fields_[FLifeTax].edit->text().toStdString());
        fields_[FSec179].edit->setToolTip(remind ? heavyVehicleTip(yearOf(*placed)) : QString());
    });
}

}  // namespace czx::ui
