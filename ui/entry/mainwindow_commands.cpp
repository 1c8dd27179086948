#include <QAction>
#include <QLineEdit>
#include <QMenuBar>
#include <QMessageBox>
#include <QProgressBar>
#include <QTimer>

#include "base/trail.h"
#include "engine/run/run.h"
#include "engine/tables/federal_law.h"
#include "store/columns.h"
#include "store/company_files.h"
#include "store/settings.h"
#include "ui/company/companyfiles.h"
#include "ui/company/companyinfowindow.h"
#include "ui/company/groupwindow.h"
#include "ui/company/transfer.h"
#include "ui/entry/mainwindow.h"
#include "ui/shell/guifeedback.h"
#include "ui/shell/helpviewer.h"
#include "ui/shell/instructions.h"
#include "ui/shell/systemsettingswindow.h"
#include "ui/yearend/closeyear.h"
#include "ui/yearend/form4562preview.h"
#include "ui/yearend/projectionpreview.h"
#include "ui/yearend/reportpreview.h"

// The main menu and the commands that reach beyond the asset on screen:
// company maintenance, the depreciation run, close of year, reports.
namespace czx::ui {
namespace {

// Keeps the run's state consistent when the run ends early by a failure.
class RunGuard {
  public:
    RunGuard(bool& running, bool& bound, QProgressBar* bar)
        : running_(running), bound_(bound), bar_(bar) {}
    ~RunGuard() {
        running_ = false;
        bound_ = true;
        bar_->hide();
    }

  private:
    bool& running_;
    bool& bound_;
    QProgressBar* bar_;
};

}  // namespace

void MainWindow::buildMenu() {
    QMenuBar* bar = menuBar();
    auto item = [this](QMenu* menu, const QString& caption, auto slot,
                       const QKeySequence& keys = {}) {
        QAction* a = menu->addAction(caption, this, slot);
        if (!keys.isEmpty()) a->setShortcut(keys);
        return a;
    };
    // The company commands: "File", as on every desktop, with Exit last.
    QMenu* company = bar->addMenu("&File");
    item(
        company, "&Update Company Information",
        [this] {
            if (!settleRecord()) return;
            auto* w = new CompanyInfoWindow(dataPath_, this);
            connect(w, &OwnedWindow::closed, this, [this] { startCompanyRefreshStep(); });
            openMaintenanceWindow(w);
        },
        QKeySequence("Ctrl+U"));
    item(company, "Delete All Assets", [this] { deleteEveryAsset(); });
    item(
        company, "Sa&ve Company To Disk", [this] { saveCompany(); }, QKeySequence("Ctrl+I"));
    item(
        company, "&Copy Company From Disk",
        [this] {
            if (!settleRecord()) return;
            auto* w = new CopyCompanyWindow(dataPath_, this);
            w->setAttribute(Qt::WA_DeleteOnClose);
            connect(w, &OwnedWindow::closed, this, [this] { startReopenStep(); });
            w->load();
        },
        QKeySequence("Ctrl+D"));
    // "&Exit" keeps E: the export takes x.
    item(company, "E&xport Assets...", [this] {
        if (connection_ && settleRecord()) exportAssets(this, *connection_);
    });
    item(company, "&Import Assets...", [this] {
        if (!connection_ || !settleRecord()) return;
        if (importAssets(this, *connection_, dataPath_ + kCatalogueFile)) startReopenStep();
    });
    // Ctrl+X stays Cut in the fields.
    QAction* exit = company->addAction("&Exit", this, [this] { closeScreen(); });
    exit->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));
    bar->addAction("&Groups", this,
                   [this] { openMaintenanceWindow(new GroupWindow(dataPath_, this)); });
    QMenu* system = bar->addMenu("S&ystem ");
    item(system, "&Set Drive, Directory and Display Size", [this] {
        if (!settings_) return;
        auto* w = new SystemSettingsWindow(*settings_, this);
        connect(w, &OwnedWindow::closed, this, [this] {
            QTimer::singleShot(delays_.sizing, this, [this] { applyDisplaySizing(); });
        });
        openMaintenanceWindow(w);
    });
    item(system, "&Turn splash screen on or off ", [this] {
        if (settings_) toggleSplash(*settings_);
    });
    QAction* run = bar->addAction("&Depreciate", this, [this] { depreciate(false); });
    run->setObjectName("mnuDeprAssets");
    // Alt+A stays with "&Add Asset".
    QAction* runAll = bar->addAction("Depreciate A&ll", this, [this] { depreciate(true); });
    runAll->setObjectName("mnuDeprAll");
    QMenu* reports = bar->addMenu("&Reports");
    item(
        reports, "&Tax Depreciation Report",
        [this] {
            if (connection_) showDepreciationReport(this, *connection_, ReportKind::Tax);
        },
        QKeySequence("Ctrl+T"));
    item(
        reports, "&Book Depreciation Report",
        [this] {
            if (connection_) showDepreciationReport(this, *connection_, ReportKind::Book);
        },
        QKeySequence("Ctrl+B"));
    item(reports, "Form &4562 Worksheet...", [this] {
        if (connection_) showForm4562(this, *connection_);
    });
    item(
        reports, "Asset &Schedule", [this] { showSchedule(); }, QKeySequence("Ctrl+H"));
    item(reports, "&Projection...", [this] {
        if (connection_) showProjection(this, *connection_);
    });
    bar->addAction("Close YR", this, [this] { closeYear(); });
    QMenu* help = bar->addMenu("&Help");
    item(
        help, "Help &Contents", [this] { showHelpContents(this, dataPath_); },
        QKeySequence("Ctrl+K"));
    item(
        help, "I&RS Depreciation Instructions",
        [this] { showInstructionsPrompt(this, dataPath_, settings_); }, QKeySequence("Ctrl+R"));
    help->addAction("&About", this, [this] {
        AppIdentity app;
        QMessageBox::about(this, programTitle(),
                           QString("%1\nVersion %2.%3%4\n%5")
                               .arg(programTitle())
                               .arg(app.major)
                               .arg(app.minor)
                               .arg(app.revision)
                               .arg(QString::fromStdString(law::knownLaw())));
    });
}

void MainWindow::openMaintenanceWindow(QWidget* window) {
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->show();
}

// The save reads the company file: what is typed on screen is settled first.
void MainWindow::saveCompany() {
    if (!settleRecord()) return;
    openMaintenanceWindow(new SaveCompanyWindow(dataPath_, this));
}

void MainWindow::closeYear() {
    if (!connection_ || !settleRecord()) return;
    confirmAndCloseYear(this, *connection_, [this] {
        company_ = CompanyRepository(*connection_).load();
        showCompanyHeader();
        reloadAssets();
    });
}

void MainWindow::deleteEveryAsset() {
    if (!connection_ || !settleRecord()) return;
    if (!askYesNo(this, kDeleteAllTitle, kDeleteAllQuestion)) return;
    procedure("Calcform.mnuDelete_Click", [&] {
        deleteAllAssets(*connection_);
        reloadAssets();
    });
}

// The asset rows changed underneath the screen: any edit in progress is
// dropped and the register opens again on its first asset.
void MainWindow::reloadAssets() {
    presenter_.abandon();
    setButtons(true);
    hideWarnings();
    openAssets();
    if (assets_ && assets_->count() > 0)
        enableColumns();
    else
        showEmptyState();
}

// "&Depreciate" computes the assets changed since the last run, "Depreciate
// A&ll" every asset of the company; both save the asset on screen first and
// return to it afterwards, showing what is stored: a run that cannot finish
// stores nothing, and the screen shows the amounts as they were.
void MainWindow::depreciate(bool allAssets) {
    runStep([&] {
        if (presenter_.adding()) {
            showMessage(this, "Click on the Save Asset command before depreciating the asset.");
            return;
        }
        if (!assets_ || !assets_->hasCurrent()) return;
        // The asset on screen is saved first as Save Asset saves it: through
        // the record check. An edit in progress ends with that save.
        if (!typedValuesAccepted()) return;
        pushAll();
        if (!passesRecordCheck()) return;
        RunGuard guard(runInProgress_, bound_, progressBar_);
        runInProgress_ = true;
        progressBar_->setValue(0);
        progressBar_->show();
        assets_->set(col::AssetChanged, Value(std::int64_t{1}));
        assets_->update();
        if (presenter_.editing()) {
            presenter_.abandon();
            setButtons(true);
        }
        presenter_.clearChanged();
        const Bookmark mark = assets_->bookmark();
        // The fields stay as they are while the passes walk the assets.
        bound_ = false;
        depreciateAssets(*connection_, *feedback_, allAssets);
        assets_->requery();
        assets_->setBookmark(mark);
        bound_ = true;
        showRecord();
        refreshAssetList();
    });
}

}  // namespace czx::ui
