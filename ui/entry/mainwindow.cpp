#include "ui/entry/mainwindow.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <QToolButton>

#include "base/dates.h"
#include "base/trail.h"
#include "store/columns.h"
#include "store/company_files.h"
#include "store/settings.h"
#include "ui/entry/assetlist.h"
#include "ui/shell/displaysizing.h"
#include "ui/shell/guifeedback.h"
#include "ui/shell/questions.h"
#include "ui/shell/windowplacement.h"
#include "ui/yearend/closeyear.h"

namespace czx::ui {

MainWindow::MainWindow(std::string dataPath, Settings* settings, QWidget* parent)
    : QMainWindow(parent),
      dataPath_(std::move(dataPath)),
      settings_(settings),
      presenter_({.settle = [this] { return settleRecord(); },
                  .check =
                      [this] {
                          pushAll();
                          return passesRecordCheck();
                      },
                  .bumped = [] { QApplication::beep(); }}) {
    if (!dataPath_.empty() && dataPath_.back() != '/') dataPath_ += '/';
    setObjectName("Calcform");
    setWindowTitle(programTitle());
    buildFields();
    buildLayout();
    buildMenu();
    feedback_ = std::make_unique<GuiFeedback>(this, progressBar_);
    resize(designedSize());
    load();
}

MainWindow::~MainWindow() = default;

void MainWindow::load() {
    // The sizing step waits until the window has been laid out. The window
    // goes back where the user left it; the first time, the display sizing
    // of the settings places it.
    QTimer::singleShot(delays_.sizing, this, [this] {
        if (settings_ && WindowPlacement(settings_->file()).restore(this)) return;
        if (QScreen* s = screen()) resize(grownSize(designedSize(), s->availableGeometry().size()));
        applyDisplaySizing();
    });
    openCompany();
}

void MainWindow::openCompany() {
    bool loaded = procedure("Calcform.Form_Load", [&] {
        connection_ = Connection::open(dataPath_ + kCompanyFile);
        company_ = CompanyRepository(*connection_).load();
        showCompanyHeader();
        openAssets();
    });
    if (loaded && assets_ && assets_->count() > 0)
        enableColumns();
    else
        showEmptyState();
}

void MainWindow::startReopenStep() {
    beginWaiting();
    QTimer::singleShot(delays_.maintenance, this, [this] {
        reopenCompany();
        endWaiting();
    });
}

void MainWindow::startCompanyRefreshStep() {
    beginWaiting();
    QTimer::singleShot(delays_.maintenance, this, [this] {
        refreshCompany();
        endWaiting();
    });
}

// While "Working. Please Wait." shows, the window takes no input: an asset
// typed in meanwhile would be dropped when the step reopens the company.
// The window comes back when the last pending step has run, even a failed one.
void MainWindow::beginWaiting() {
    ++waitingSteps_;
    workingLabel_->show();
    setEnabled(false);
    setCursor(Qt::WaitCursor);
}

void MainWindow::endWaiting() {
    if (waitingSteps_ > 0 && --waitingSteps_ > 0) return;
    workingLabel_->hide();
    unsetCursor();
    setEnabled(true);
    // An asset added to an empty company is typed from its description.
    if (presenter_.adding()) fields_[FDescription].edit->setFocus();
}

void MainWindow::reopenCompany() {
    procedure("Calcform.TimerReopen_Timer", [&] {
        assetList_->close();
        presenter_.attach(nullptr);
        assetSource_.reset();
        assets_.reset();
        company_.reset();
        connection_.reset();
        if (settings_ && !dataPathKept_) {
            std::string path = settings_->get(setting::kNewpath);
            if (!path.empty()) dataPath_ = path.back() == '/' ? path : path + '/';
        }
        presenter_.abandon();
        setButtons(true);
        hideWarnings();
        openCompany();
    });
}

void MainWindow::showCompanyHeader() {
    if (!company_) return;
    companyNumberEdit_->setText(QString::fromStdString(
        CompanyRepository(*connection_).storedText(company_->key, col::CompanyNumber)));
    companyNameEdit_->setText(QString::fromStdString(company_->company.name));
    // "Riverside Machine Works, Inc. — CZX Depreciation", as desktops write
    // a document's window.
    const QString name = companyNameEdit_->text().trimmed();
    setWindowTitle(name.isEmpty() ? programTitle()
                                  : QString("%1 \u2014 %2").arg(name, programTitle()));
    auto yearEnd = companyYearEnd();
    yearEndEdit_->setText(yearEnd ? QString::fromStdString(shortDate(*yearEnd)) : QString());
}

void MainWindow::openAssets() {
    procedure("Calcform.cmdOpenCo", [&] {
        // A file without a company has no assets to show.
        if (!company_)
            throw Error(3021, "Either BOF or EOF is True, or the current record has been deleted.");
        presenter_.attach(nullptr);
        assetSource_.reset();
        assets_ = std::make_unique<AssetSource>(*connection_, company_->company.number);
        assetSource_ = std::make_unique<AssetRecordSource>(*assets_);
        presenter_.attach(assetSource_.get());
        assets_->moved = [this] { assetMoved(); };
        // A move stores the row it leaves; the list shows what was stored.
        assets_->willMove = [this] { listStale_ = assets_->changesValues(); };
        assetList_->open(*connection_, company_->company.number);
        bound_ = true;
        assetMoved();
        presenter_.clearChanged();
    });
}

void MainWindow::applyDisplaySizing() {
    procedure("Calcform.TimerSizing_Timer", [&] {
        QString setting = settings_
                              ? QString::fromStdString(settings_->get(setting::kUpdateScreenHeight))
                              : QString();
        QRect r = windowGeometry(metricsOf(this), setting, size());
        // A height set by hand beyond the screen is cut to the screen.
        if (QScreen* s = screen()) r = fitToArea(r, s->availableGeometry());
        resize(r.size());
        move(r.topLeft());
    });
}

void MainWindow::refreshCompany() {
    procedure("Calcform.TimerRefresh_Timer", [&] {
        company_ = CompanyRepository(*connection_).load();
        showCompanyHeader();
        enableColumns();
        showYrpisAdvice();
    });
}

bool MainWindow::companyFlag(std::string_view column) const {
    if (!company_) return false;
    if (column == col::RegularFederal) return company_->company.regularFederal;
    if (column == col::Book) return company_->company.book;
    throw Error(3265, "No company column \"" + std::string(column) + "\".");
}

std::optional<Date> MainWindow::companyYearEnd() const {
    return company_ ? company_->company.yearEnd : std::nullopt;
}

void MainWindow::addAsset() {
    procedure("Calcform.cmdAdd_Click", [&] {
        if (!assets_) return;
        const bool wasEmpty = assets_->count() == 0;
        if (!settleRecord()) return;
        // What is left pending (the changed flag of a field entered) is not
        // the user's: the new row must not store it into the row it leaves.
        assets_->cancelUpdate();
        presenter_.beginAdd();
        showRecord();
        refreshSchedule();
        hideWarnings();
        showStatus("Add record");
        setButtons(false);
        if (wasEmpty) startCompanyRefreshStep();
        QTimer::singleShot(delays_.addFollowUp, this, [this] { fillNewAssetYearEnd(); });
    });
}

void MainWindow::fillNewAssetYearEnd() {
    procedure("Calcform.TimerAdd_Timer", [&] {
        if (!presenter_.adding()) return;
        auto yearEnd = companyYearEnd();
        setFieldValue(FYrpis, yearEnd ? QString::fromStdString(paddedDate(*yearEnd)) : QString());
        showYrpisAdvice();
        fields_[FDescription].edit->setFocus();
    });
}

void MainWindow::editAsset() {
    procedure("Calcform.cmdEdit_Click", [&] {
        showStatus("Edit record");
        presenter_.beginEdit();
        setButtons(false);
    });
}

void MainWindow::saveAsset() {
    // Save Asset is hidden now; left alone the focus would pass on to Delete
    // Asset, where the next Space would delete the asset just saved.
    if (saveRecord()) addButton_->setFocus();
}

// Save Asset's work, shared by every path that stores the row on screen: the
// record check first. False (the warning shown) when the row was not stored.
bool MainWindow::saveRecord() {
    bool stored = false;
    procedure("Calcform.cmdUpdate_Click", [&] {
        if (!hasRow() || !typedValuesAccepted()) return;
        pushAll();
        if (!passesRecordCheck()) return;
        assets_->set(col::AssetChanged, Value(std::int64_t{1}));
        assets_->set(col::CompanyNumber, Value(std::int64_t{1}));
        assets_->update();
        if (!presenter_.saved()) showRecord();
        setButtons(true);
        stored = true;
        showDateAdvice();
        showStatus(QString("Record: %1").arg(assets_->absolutePosition()));
        refreshAssetList();
        refreshSchedule();
    });
    return stored;
}

// Before the screen leaves the row it shows (a move, Add, Refresh, closing
// the window, the company commands), typing not yet stored is never dropped
// without asking: Save stores it through the record check, Discard drops it.
// False when the row must stay on screen (Cancel, or the check refused it).
bool MainWindow::settleRecord() {
    if (!hasRow() || !typedSinceShown()) return true;
    const QString description = fields_[FDescription].edit->text().trimmed();
    QString what = QString("'%1'").arg(description);
    if (description.isEmpty()) what = presenter_.adding() ? "the new asset" : "this asset";
    switch (askToSave(this, what)) {
        case SaveAnswer::Save:
            return saveRecord();
        case SaveAnswer::Discard:
            discardRecord();
            return true;
        case SaveAnswer::Cancel:
            break;
    }
    return false;
}

// Drops what was typed into the row on screen: an add or an edit ends as
// Cancel ends it; while browsing the row shows again as it is stored.
void MainWindow::discardRecord() {
    if (!presenter_.browsing()) return cancelChanges();
    for (auto& f : fields_) f.dirty = false;
    assets_->cancelUpdate();
    showRecord();
    hideWarnings();
    presenter_.clearChanged();
}

// A typo is a plain message naming the field and what it takes, with the
// focus back in the field; the error report is for faults of the program.
// False when a field typed into holds text its column cannot take.
bool MainWindow::typedValuesAccepted() {
    for (int i = 0; i < FieldCount; ++i)
        if (fields_[i].dirty && !fieldAccepts(i)) return false;
    return true;
}

// False (the message shown) when the field's text is no value of its kind;
// a `required` field must not be blank either.
bool MainWindow::fieldAccepts(int field, bool required) {
    const auto& f = fields_[field];
    QString message = typoMessage(f.kind, fieldName(field), f.edit->text());
    if (message.isEmpty() && required && f.edit->text().trimmed().isEmpty())
        message = blankMessage(f.kind, fieldName(field));
    if (message.isEmpty()) return true;
    reportTypo(field, message);
    return false;
}

void MainWindow::reportTypo(int field, const QString& message) {
    typoPending_ = -1;
    showMessage(this, message);
    QLineEdit* edit = fields_[field].edit;
    edit->setFocus(Qt::OtherFocusReason);
    edit->selectAll();
}

QString MainWindow::fieldName(int field) const {
    QString name = fields_[field].accessible;
    if (name.startsWith("* ")) name.remove(0, 2);
    return name;
}

bool MainWindow::typedSinceShown() const {
    bool typed = presenter_.changed();
    for (const auto& f : fields_) typed |= f.dirty && f.typed;
    return typed;
}

void MainWindow::showDateAdvice() {
    auto placed = parseIsoDate(asText(assets_->get(col::PlacedInService)));
    auto yrpis = parseIsoDate(asText(assets_->get(col::YRPIS)));
    if (!placed || !yrpis) return;
    const PlacedDatesCheck dates = checkPlacedDates(*placed, *yrpis);
    if (dates.moreThanAYearApart)
        showMessage(this,
                    "The difference between the Year Placed In Service and the Date Placed In "
                    "Service exceeds one year. Correct one of the dates.");
    if (dates.placedAfterYrpis)
        showMessage(this,
                    "The Date Placed In Service exceeds the Year Placed In Service. Correct one "
                    "of the dates.");
}

void MainWindow::cancelChanges() {
    procedure("Calcform.cmdCancel_Click", [&] {
        setButtons(true);
        addButton_->setFocus();  // not Delete Asset, which follows Cancel
        hideWarnings();
        for (auto& f : fields_) f.dirty = false;
        presenter_.cancel();
        if (assets_ && assets_->count() == 0) showEmptyState();
    });
}

// A deleted asset cannot be brought back: Delete asks first, No the default.
void MainWindow::deleteAsset() {
    procedure("Calcform.cmdDelete_Click", [&] {
        if (!assets_ || !assets_->hasCurrent()) return;
        const QString question = QString("Delete the asset '%1'? This cannot be undone.")
                                     .arg(fields_[FDescription].edit->text().trimmed());
        if (!askYesNo(this, programTitle(), question)) return;
        for (auto& f : fields_) f.dirty = false;
        assets_->deleteCurrent();
        if (assets_->eof() && assets_->count() > 0) assets_->moveLast();
        // Re-read the set and stay on the row the delete moved to.
        std::optional<Bookmark> mark;
        if (assets_->hasCurrent()) mark = assets_->bookmark();
        assets_->requery();
        if (mark) assets_->setBookmark(*mark);
        refreshAssetList();
    });
}

void MainWindow::refreshAssets() {
    procedure("Calcform.cmdRefresh_Click", [&] {
        if (!assets_) return;
        // The row on screen is stored only through the record check; an add
        // or an edit that was not stored ends.
        if (!settleRecord()) return;
        assets_->cancelUpdate();
        if (!presenter_.browsing()) {
            presenter_.abandon();
            hideWarnings();
            setButtons(true);
        }
        for (auto& f : fields_) f.dirty = false;
        assets_->requery();
        if (assets_->count() == 0) showEmptyState();
        refreshAssetList();
    });
}

void MainWindow::closeScreen() {
    procedure("Calcform.cmdClose_Click", [&] { close(); });
}

void MainWindow::moveFirst() {
    procedure("Calcform.cmdFirst_Click", [&] { presenter_.move(RecordMove::First); });
}

void MainWindow::moveLast() {
    procedure("Calcform.cmdLast_Click", [&] { presenter_.move(RecordMove::Last); });
}

void MainWindow::moveNext() {
    procedure("Calcform.cmdNext_Click", [&] { presenter_.move(RecordMove::Next); });
}

void MainWindow::movePrevious() {
    procedure("Calcform.cmdPrevious_Click", [&] { presenter_.move(RecordMove::Previous); });
}

void MainWindow::moveToRecordNumber() {
    procedure("Calcform.cmdMoveAbs_Click", [&] {
        if (!assets_) return;
        bool ok = false;
        long position = recordNumberEdit_->text().trimmed().toLong(&ok);
        if (!ok) {
            showMessage(this, QString("Record Number takes the number of an asset, from 1 to %1.")
                                  .arg(assets_->count()));
            recordNumberEdit_->setFocus(Qt::OtherFocusReason);
            recordNumberEdit_->selectAll();
            return;
        }
        presenter_.moveTo(position);
    });
}

void MainWindow::closeEvent(QCloseEvent* event) {
    if (!settleRecord()) {
        event->ignore();
        return;
    }
    procedure("Calcform.Form_Unload", [&] {
        if (settings_) WindowPlacement(settings_->file()).save(this);
        QApplication::restoreOverrideCursor();
        if (assets_) assets_->cancelUpdate();
        presenter_.attach(nullptr);
        assetSource_.reset();
        assets_.reset();
        company_.reset();
        assetList_->close();
        if (connection_) connection_->close();
    });
    event->accept();
}

}  // namespace czx::ui
