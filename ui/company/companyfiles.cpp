#include "ui/company/companyfiles.h"

#include <QCloseEvent>
#include <QDir>
#include <QFileDialog>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QStandardPaths>
#include <QTimer>
#include <QVBoxLayout>
#include <filesystem>

#include "base/dates.h"
#include "store/columns.h"
#include "store/company_files.h"
#include "store/company_repository.h"
#include "store/settings.h"
#include "ui/shell/guifeedback.h"

namespace czx::ui {
namespace {

// The toolkit reads the pattern between the parentheses.
QString fileFilter() {
    return QString("(%1)").arg(kCompanyFilePattern);
}

// Where the save dialog starts: the user's documents folder, away from the
// data folder, whose files a save must never replace.
QString saveStartFolder() {
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    return !documents.isEmpty() && QDir(documents).exists() ? documents : QDir::homePath();
}

std::string withSlash(std::string path) {
    if (!path.empty() && path.back() != '/') path += '/';
    return path;
}

QLineEdit* readOnlyField(QWidget* parent, const char* name, const QString& accessible) {
    auto* e = new QLineEdit(parent);
    e->setObjectName(name);
    e->setAccessibleName(accessible);
    e->setReadOnly(true);
    e->setMinimumWidth(300);
    return e;
}

QPushButton* button(QWidget* parent, const QString& caption, const char* name) {
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(name);
    b->setAccessibleName(QString(caption).remove('&'));
    b->setAutoDefault(false);
    return b;
}

// The window's command, and Close.
QHBoxLayout* buttonRow(QPushButton* command, QWidget* window) {
    auto* close = button(window, "&Close", "cmdClose");
    QObject::connect(close, &QPushButton::clicked, window, &QWidget::close);
    auto* row = new QHBoxLayout;
    row->addStretch();
    row->addWidget(command);
    row->addWidget(close);
    return row;
}

}  // namespace

SaveCompanyWindow::SaveCompanyWindow(const std::string& dataPath, QWidget* owner,
                                     FileChooser chooser)
    : OwnedWindow(owner), dataPath_(withSlash(dataPath)), chooser_(std::move(chooser)) {
    setObjectName("Savefrm");
    setWindowTitle(kSaveCompanyCaption);
    if (!chooser_)
        chooser_ = [this](QWidget* parent) {
            return QFileDialog::getSaveFileName(parent, kSaveCompanyCaption, saveStartFolder(),
                                                fileFilter());
        };
    nameEdit_ = readOnlyField(this, "Text2", "Name");
    companyNumberEdit_ = readOnlyField(this, "Text1", "companynumber");
    companyNumberEdit_->hide();
    startCopyButton_ = button(this, kSaveCompanyButton, "Copycmd");
    connect(startCopyButton_, &QPushButton::clicked, this, [this] { startCopy(); });
    auto* form = new QFormLayout;
    form->addRow("Name:", nameEdit_);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(companyNumberEdit_);
    layout->addLayout(buttonRow(startCopyButton_, this));

    procedure("Savefrm.Form_Load", [&] {
        connection_ = Connection::open(dataPath_ + kCompanyFile);
        CompanyRepository companies(*connection_);
        const auto company = companies.load();
        if (!company) return;
        nameEdit_->setText(QString::fromStdString(company->company.name));
        companyNumberEdit_->setText(
            QString::fromStdString(companies.storedText(company->key, col::CompanyNumber)));
    });
}

void SaveCompanyWindow::startCopy() {
    QString problem;
    procedure("Savefrm.Copycmd_Click", [&] {
        startCopyButton_->setEnabled(false);
        QString target = chooser_(this);
        if (!target.isEmpty() && connection_) {
            setCursor(Qt::WaitCursor);
            try {
                saveCompanyToDisk(*connection_, nameEdit_->text().toStdString(),
                                  templateFileFor(dataPath_), target.toStdString());
            } catch (const Refusal& e) {
                // The save refused the file chosen (one of the program's own
                // files, a folder): the user can choose again, and a plain
                // message says why. The error report is for failures of the
                // program and its database.
                problem = QString::fromStdString(e.what());
            }
        }
    });
    unsetCursor();
    if (!problem.isEmpty()) showMessage(this, problem);
    // Timer1: the window closes once the click has finished, saved or not.
    QTimer::singleShot(0, this, [this] { close(); });
}

void SaveCompanyWindow::closeEvent(QCloseEvent* event) {
    procedure("Savefrm.Form_Unload", [&] {
        if (connection_) connection_->close();
    });
    OwnedWindow::closeEvent(event);
}

CopyCompanyWindow::CopyCompanyWindow(const std::string& dataPath, QWidget* owner,
                                     FileChooser chooser)
    : OwnedWindow(owner), dataPath_(withSlash(dataPath)), chooser_(std::move(chooser)) {
    setObjectName("Copyfrm");
    setWindowTitle(kCopyCompanyCaption);
    if (!chooser_)
        chooser_ = [this](QWidget* parent) {
            return QFileDialog::getOpenFileName(parent, kCopyCompanyCaption,
                                                QString::fromStdString(dataPath_), fileFilter());
        };
    txtName_ = readOnlyField(this, "txtName", "Name");
    txtYearEnd_ = readOnlyField(this, "txtYearEnd", "Current Year End");
    copyCompanyButton_ = button(this, kCopyCompanyButton, "Command1");
    connect(copyCompanyButton_, &QPushButton::clicked, this, [this] { copyCompanyClicked(); });
    auto* form = new QFormLayout;
    form->addRow("Name:", txtName_);
    form->addRow("Current Year End:", txtYearEnd_);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addLayout(buttonRow(copyCompanyButton_, this));
}

void CopyCompanyWindow::load() {
    show();
    bool loaded = procedure("Copyfrm.Form_Load", [&] {
        source_ = chooser_(this);
        if (source_.isEmpty()) return;
        CompanyFileInfo info = inspectCompanyFile(source_.toStdString());
        txtName_->setText(QString::fromStdString(info.name));
        txtYearEnd_->setText(info.yearEnd ? QString::fromStdString(paddedDate(*info.yearEnd))
                                          : QString());
    });
    if (source_.isEmpty()) {
        showMessage(this, kChooseFileMessage);
        QTimer::singleShot(0, this, [this] { close(); });
    } else if (!loaded) {
        copyCompanyButton_->setEnabled(false);
    }
}

void CopyCompanyWindow::copyCompanyClicked() {
    procedure("Copyfrm.Copy", [&] {
        copyCompanyButton_->setEnabled(false);
        setCursor(Qt::WaitCursor);
        Connection company = Connection::open(dataPath_ + kCompanyFile);
        copyCompanyFromDisk(company, source_.toStdString());
    });
    unsetCursor();
    QTimer::singleShot(0, this, [this] { close(); });
}

}  // namespace czx::ui
