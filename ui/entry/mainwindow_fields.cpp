#include <QApplication>
#include <QCheckBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QToolButton>

#include "base/dates.h"
#include "base/trail.h"
#include "store/columns.h"
#include "ui/entry/assetlist.h"
#include "ui/entry/keyfilter.h"
#include "ui/entry/mainwindow.h"
#include "ui/entry/schedulewindow.h"
#include "ui/shell/guifeedback.h"

// The binding of the fields to the asset on screen, the record check and
// the warnings, and what the fields do on focus and keys.
namespace czx::ui {
namespace {

const QString kEmptyCompany = "Click Add To Create First Record";

// The advice the screen shows, without refusing the row, for a "YRPIS" that
// is not a year end of the company; empty when it is one or either date is
// missing. The run dates an asset's first year by the calendar year of its
// "YRPIS", so a "YRPIS" typed as some other day of the year still counts.
QString yrpisAdvice(const std::optional<Date>& yrpis, const std::optional<Date>& yearEnd) {
    if (!yrpis || !yearEnd || isCompanyYearEnd(*yrpis, *yearEnd)) return {};
    return QString(
               "The YRPIS %1 is not a year end of the company (%2/%3). The depreciation run "
               "treats the asset's first year by the calendar year of its YRPIS.")
        .arg(QString::fromStdString(shortDate(*yrpis)))
        .arg(monthOf(*yearEnd))
        .arg(dayOf(*yearEnd));
}

}  // namespace

bool MainWindow::hasRow() const {
    return assets_ && (assets_->hasCurrent() || assets_->adding());
}

void MainWindow::showRecord() {
    const bool row = hasRow();
    for (auto& f : fields_) {
        f.edit->setText(row ? displayText(f.kind, assets_->get(f.column)) : QString());
        f.edit->setCursorPosition(0);
        f.dirty = false;
    }
    for (auto& c : checks_) c.box->setChecked(row && asBool(assets_->get(c.column)));
    showYrpisAdvice();
}

void MainWindow::pushField(int field) {
    auto& f = fields_[field];
    if (!f.dirty) return;
    if (!hasRow()) {
        f.dirty = false;
        return;
    }
    assets_->set(f.column, storedValue(f.kind, f.edit->text()));
    f.dirty = false;
}

void MainWindow::pushAll() {
    for (int i = 0; i < FieldCount; ++i) pushField(i);
}

void MainWindow::setFieldValue(int field, const QString& text) {
    fields_[field].edit->setText(text);
    fields_[field].dirty = true;
    pushField(field);
}

void MainWindow::writeCheck(int check, bool value) {
    if (!hasRow()) return;
    assets_->set(checks_[check].column, Value(std::int64_t{value ? 1 : 0}));
}

void MainWindow::setColumn(std::string_view column, const Value& value) {
    if (hasRow()) assets_->set(column, value);
}

void MainWindow::assetMoved() {
    procedure("Calcform.objRec2_MoveComplete", [&] {
        if (bound_) showRecord();
        presenter_.clearChanged();
        if (assets_->count() == 0 && !assets_->adding()) {
            if (!runInProgress_) showEmptyState();
            return;
        }
        if (!presenter_.adding() && assets_->hasCurrent())
            showStatus(QString("Record: %1").arg(assets_->absolutePosition()));
        if (std::exchange(listStale_, false))
            refreshAssetList();
        else
            assetList_->selectAsset(shownAsset());
        refreshSchedule();
    });
}

std::optional<Bookmark> MainWindow::shownAsset() const {
    if (!assets_ || !assets_->hasCurrent() || presenter_.adding()) return std::nullopt;
    return assets_->bookmark();
}

void MainWindow::refreshAssetList() {
    assetList_->reload();
    assetList_->selectAsset(shownAsset());
}

void MainWindow::showSchedule() {
    procedure("Calcform.mnuAssetSchedule_Click", [&] {
        if (!schedule_) schedule_ = new ScheduleWindow(this);
        refreshSchedule();
        schedule_->show();
        schedule_->raise();
        schedule_->activateWindow();
    });
}

// The schedule shows the asset as stored: called after every move, save,
// add and run, while the window is open.
void MainWindow::refreshSchedule() {
    if (!schedule_ || !connection_) return;
    schedule_->showAsset(*connection_, shownAsset(), presenter_.adding());
}

// A row chosen in the list: the form moves to it as it moves to any row,
// storing the typing first and after the record check; while an asset is
// added or edited it stays.
void MainWindow::showChosenAsset(Bookmark key) {
    procedure("Calcform.AssetList_Choose", [&] {
        if (!presenter_.moveToBookmark(key)) assetList_->selectAsset(shownAsset());
    });
}

void MainWindow::showStatus(const QString& text) {
    statusLabel_->setText(text);
}

void MainWindow::showEmptyState() {
    showStatus(kEmptyCompany);
    disableAll();
}

void MainWindow::enableColumns() {
    procedure("Calcform.EnableColumns", [&] {
        const bool tax = companyFlag(col::RegularFederal);
        const bool book = companyFlag(col::Book);
        auto bySet = [&](ColumnSet set) {
            return set == ColumnSet::Both || (set == ColumnSet::Tax ? tax : book);
        };
        for (auto& f : fields_) f.edit->setEnabled(f.typed && bySet(f.set));
        for (auto& c : checks_) c.box->setEnabled(c.direct && bySet(c.set));
        groupButton_->setEnabled(true);
        for (QToolButton* b : {taxMethodButton_, taxLifeButton_, autoFlagButton_, listedFlagButton_,
                               truckFlagButton_, bonusButton_})
            b->setEnabled(tax);
        for (QToolButton* b : {bookMethodButton_, bookLifeButton_}) b->setEnabled(book);
    });
}

void MainWindow::disableAll() {
    for (auto& f : fields_) f.edit->setEnabled(false);
    for (auto& c : checks_) c.box->setEnabled(false);
    for (QToolButton* b :
         {taxMethodButton_, taxLifeButton_, groupButton_, bookMethodButton_, bookLifeButton_,
          autoFlagButton_, listedFlagButton_, truckFlagButton_, bonusButton_})
        b->setEnabled(false);
}

void MainWindow::setButtons(bool browsing) {
    addButton_->setVisible(browsing);
    editButton_->setVisible(browsing);
    deleteButton_->setVisible(browsing);
    closeButton_->setVisible(browsing);
    saveButton_->setVisible(!browsing);
    cancelButton_->setVisible(!browsing);
    for (QToolButton* b : {firstButton_, previousButton_, nextButton_, lastButton_})
        b->setEnabled(browsing);
    // Moving to a record number is a move too.
    recordNumberEdit_->setEnabled(browsing);
    moveToRecordButton_->setEnabled(browsing);
}

void MainWindow::hideWarnings() {
    for (QLabel* l : {useOver100Label_, useSlppLabel_, noSection179Label_, lifeMissingLabel_,
                      methodMissingLabel_, useMissingLabel_})
        l->hide();
    datesNoteLabel_->setHidden(!yrpisAdviceLabel_->isHidden());
}

// Advice, not a refusal: the row saves and moves as it is.
void MainWindow::showYrpisAdvice() {
    std::optional<Date> yrpis;
    if (hasRow()) yrpis = parseUsDate(fields_[FYrpis].edit->text().trimmed().toStdString());
    const QString advice = yrpisAdvice(yrpis, companyYearEnd());
    yrpisAdviceLabel_->setText(advice);
    yrpisAdviceLabel_->setHidden(advice.isEmpty());
    bool warned = !advice.isEmpty();
    for (QLabel* l : {useOver100Label_, useSlppLabel_, noSection179Label_, lifeMissingLabel_,
                      methodMissingLabel_, useMissingLabel_})
        warned |= !l->isHidden();
    datesNoteLabel_->setHidden(warned);
}

void MainWindow::showWarning(RecordWarning warning) {
    QLabel* label = nullptr;
    switch (warning) {
        case RecordWarning::None:
            return;
        case RecordWarning::UseOver100:
            label = useOver100Label_;
            break;
        case RecordWarning::UseMethodSLPP:
            label = useSlppLabel_;
            break;
        case RecordWarning::UseNoSection179:
            label = noSection179Label_;
            break;
        case RecordWarning::MethodMissing:
            label = methodMissingLabel_;
            break;
        case RecordWarning::LifeMissing:
            label = lifeMissingLabel_;
            break;
        case RecordWarning::UseTaxMissing:
        case RecordWarning::UseBookMissing: {
            const int field = warning == RecordWarning::UseTaxMissing ? FUseTax : FUseBook;
            label = useMissingLabel_;
            label->setText(QString("The changes were not saved. Enter the %1: 1 for 100%, .5 for "
                                   "50%.")
                               .arg(fields_[field].accessible));
            fields_[field].edit->setFocus();
            break;
        }
    }
    QApplication::beep();
    datesNoteLabel_->hide();
    label->show();
}

bool MainWindow::passesRecordCheck() {
    bool passed = false;
    procedure("Calcform.RecordCheck", [&] {
        hideWarnings();
        if (!hasRow()) return;
        // The shares are stored as typed, to two decimals.
        for (int f : {FUseTax, FUseBook}) {
            auto& field = fields_[f];
            Value stored = storedValue(FieldKind::Share, field.edit->text());
            assets_->set(field.column, stored);
            field.edit->setText(displayText(FieldKind::Share, stored));
            field.dirty = false;
        }
        RecordCheckInput in;
        in.regularFederal = companyFlag(col::RegularFederal);
        in.book = companyFlag(col::Book);
        in.methodTax = fields_[FMethodTax].edit->text().toStdString();
        in.lifeTax = fields_[FLifeTax].edit->text().toStdString();
        in.methodBook = fields_[FMethodBook].edit->text().toStdString();
        in.lifeBook = fields_[FLifeBook].edit->text().toStdString();
        in.useTax = asNumber(assets_->get(col::BusUseTax)).value_or(0);
        in.useTaxBlank = fields_[FUseTax].edit->text().trimmed().isEmpty();
        in.useBookBlank = fields_[FUseBook].edit->text().trimmed().isEmpty();
        in.listedOrAuto = checks_[CListed].box->isChecked() || checks_[CAuto].box->isChecked();
        auto yrpis = parseIsoDate(asText(assets_->get(col::YRPIS)));
        auto yearEnd = companyYearEnd();
        in.placedThisYear = yrpis && yearEnd && *yrpis == *yearEnd;
        in.section179 = parseNumber(fields_[FSec179].edit->text()).value_or(0);
        RecordWarning warning = checkRecord(in);
        showWarning(warning);
        showYrpisAdvice();
        passed = warning == RecordWarning::None;
    });
    return passed;
}

void MainWindow::fieldEntered(int field) {
    procedure("Calcform.txtFields_GotFocus", [&] {
        if (assets_ && assets_->count() > 0 && hasRow())
            assets_->set(col::AssetChanged, Value(std::int64_t{1}));
        if (field == FUseTax) useOver100Label_->hide();
        if (fields_[field].tag == "Num3") {
            // The share is selected, so that what is typed replaces it, and
            // passing through keeps it. (A click would place the cursor after
            // the focus came: the selection follows the click.)
            QLineEdit* edit = fields_[field].edit;
            edit->selectAll();
            QTimer::singleShot(0, edit, [edit] {
                if (edit->hasFocus()) edit->selectAll();
            });
        }
    });
}

void MainWindow::fieldLeft(int field) {
    procedure("Calcform.txtFields_LostFocus", [&] {
        auto& f = fields_[field];
        // A blank amount is nought. A blank share stays blank: the record
        // check asks for one rather than assume a business use.
        if (f.edit->text().isEmpty() && f.tag == "Num") {
            f.edit->setText("0.00");
            f.dirty = true;
        }
        if (!hasRow()) return;
        // A value the row cannot take stays in the field and is reported as
        // soon as the focus has settled, unless a command reports it first
        // or the typing is dropped meanwhile.
        if (f.dirty) {
            if (!typoMessage(f.kind, fieldName(field), f.edit->text()).isEmpty()) {
                typoPending_ = field;
                QTimer::singleShot(0, this, [this, field] {
                    if (typoPending_ != field || QApplication::activeModalWidget()) return;
                    typoPending_ = -1;
                    if (fields_[field].dirty) fieldAccepts(field);
                });
            } else {
                pushField(field);
                if (f.kind != FieldKind::Text)
                    f.edit->setText(displayText(f.kind, assets_->get(f.column)));
            }
        }
        if (field == FYrpis) showYrpisAdvice();
        if (assets_->count() > 0) {
            auto bookUse = asNumber(assets_->get(col::BusUseBook));
            if (bookUse && *bookUse > 1) {
                assets_->set(col::BusUseBook, Value(1.0));
                fields_[FUseBook].edit->setText(formatShare(1.0));
                fields_[FUseBook].dirty = false;
                QApplication::beep();
                datesNoteLabel_->hide();
                useOver100Label_->show();
            }
        }
    });
}

void MainWindow::checkBoxEntered(int) {
    procedure("Calcform.chkFields_GotFocus", [&] {
        if (assets_ && assets_->count() > 0 && hasRow())
            assets_->set(col::AssetChanged, Value(std::int64_t{1}));
    });
}

bool MainWindow::navigationKey(QKeyEvent* event) {
    if (!presenter_.browsing() || !isEnabled()) return false;
    const bool ctrl = event->modifiers() & Qt::ControlModifier;
    // End and Home move inside the text field that has the focus; between
    // records only from the record bar, or with Ctrl.
    QWidget* focus = QApplication::focusWidget();
    const bool recordBar = focus && (focus == firstButton_ || focus == previousButton_ ||
                                     focus == nextButton_ || focus == lastButton_);
    switch (event->key()) {
        case Qt::Key_Escape:
            closeScreen();
            return true;
        case Qt::Key_End:
            if (!ctrl && !recordBar) return false;
            moveLast();
            return true;
        case Qt::Key_Home:
            if (!ctrl && !recordBar) return false;
            moveFirst();
            return true;
        case Qt::Key_Up:
        case Qt::Key_PageUp:
            ctrl ? moveFirst() : movePrevious();
            return true;
        case Qt::Key_Down:
        case Qt::Key_PageDown:
            ctrl ? moveLast() : moveNext();
            return true;
        default:
            return false;
    }
}

bool MainWindow::filterKey(int field, QKeyEvent* event) {
    int code = 0;
    if (event->key() == Qt::Key_Backspace)
        code = 8;
    else if (!event->text().isEmpty() && event->text().at(0).unicode() >= 32 &&
             !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier)))
        code = event->text().at(0).unicode();
    else
        return false;  // not a typed character
    const int result = filterTypedKey(code, fields_[field].tag);
    if (result == 0) return true;
    if (result != code) {
        fields_[field].edit->insert(QString(QChar(result)));
        fields_[field].dirty = true;
        presenter_.markChanged();
        return true;
    }
    return false;
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
    int field = -1;
    for (int i = 0; i < FieldCount; ++i)
        if (fields_[i].edit == watched) field = i;
    int check = -1;
    for (int i = 0; i < CheckCount; ++i)
        if (checks_[i].box == watched) check = i;

    switch (event->type()) {
        case QEvent::KeyPress: {
            auto* key = static_cast<QKeyEvent*>(event);
            if (navigationKey(key)) return true;
            if (field >= 0) return filterKey(field, key);
            break;
        }
        case QEvent::FocusIn: {
            auto reason = static_cast<QFocusEvent*>(event)->reason();
            if (reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason) break;
            if (field >= 0) fieldEntered(field);
            if (check >= 0) checkBoxEntered(check);
            break;
        }
        case QEvent::FocusOut: {
            auto reason = static_cast<QFocusEvent*>(event)->reason();
            if (reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason) break;
            if (field >= 0) fieldLeft(field);
            break;
        }
        case QEvent::Enter:
        case QEvent::MouseMove:
        case QEvent::ToolTip:
            if (field == FSec179) updateSection179Reminder();
            break;
        default:
            break;
    }
    return QMainWindow::eventFilter(watched, event);
}

void MainWindow::keyPressEvent(QKeyEvent* event) {
    if (!navigationKey(event)) QMainWindow::keyPressEvent(event);
}

}  // namespace czx::ui
