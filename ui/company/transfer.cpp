#include "ui/company/transfer.h"

#include <QApplication>
#include <QClipboard>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <fstream>

#include "base/trail.h"
#include "engine/transfer/register_import.h"
#include "store/register_export.h"
#include "ui/shell/guifeedback.h"
#include "ui/yearend/closeyear.h"

namespace czx::ui {
namespace {

const QString kCsvFilter = "CSV files (*.csv)";

QString joined(const std::vector<std::string>& lines) {
    QStringList list;
    for (const auto& line : lines) list << QString::fromStdString(line);
    return list.join('\n');
}

std::ifstream openForReading(const QString& file) {
    std::ifstream in(file.toStdString(), std::ios::binary);
    if (!in) throw Error(75, "Path/File access error: " + file.toStdString());
    return in;
}

}  // namespace

ImportProblemsDialog::ImportProblemsDialog(const std::vector<std::string>& problems,
                                           QWidget* parent)
    : QDialog(parent) {
    setWindowTitle("Import Assets");
    const QString heading =
        "Nothing was imported. Correct these lines of the file and import it "
        "again:";
    auto* label = new QLabel("&" + heading, this);
    label->setAccessibleName(heading);
    label->setWordWrap(true);
    list_ = new QPlainTextEdit(joined(problems), this);
    list_->setReadOnly(true);
    list_->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    list_->setLineWrapMode(QPlainTextEdit::NoWrap);
    list_->setAccessibleName(heading);
    label->setBuddy(list_);
    auto* buttons = new QDialogButtonBox(this);
    QPushButton* copy = buttons->addButton("C&opy All", QDialogButtonBox::ActionRole);
    copy->setAccessibleName("Copy All");
    QPushButton* close = buttons->addButton("&Close", QDialogButtonBox::RejectRole);
    close->setAccessibleName("Close");
    close->setDefault(true);
    connect(copy, &QPushButton::clicked, this,
            [this] { QApplication::clipboard()->setText(list_->toPlainText()); });
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(label);
    layout->addWidget(list_);
    layout->addWidget(buttons);
    // Fits a 1366 x 768 screen with room to spare.
    resize(720, 400);
    list_->setFocus();
}

void exportAssets(QWidget* parent, Connection& connection, FileChooser chooser) {
    procedure("Calcform.mnuExport_Click", [&] {
        if (!chooser)
            chooser = [](QWidget* p) {
                return QFileDialog::getSaveFileName(
                    p, "Export Assets", QDir::home().filePath("Assets.csv"), kCsvFilter);
            };
        QString file = chooser(parent);
        if (file.isEmpty()) return;
        if (!file.endsWith(".csv", Qt::CaseInsensitive)) file += ".csv";
        // Built beside the target and renamed over it when complete.
        const std::string target = file.toStdString();
        const std::string partial = target + ".part";
        std::int64_t assets = 0;
        try {
            std::ofstream out(partial, std::ios::binary | std::ios::trunc);
            if (out) assets = exportRegister(connection, out);
            out.close();
            if (!out) throw Error(75, "Path/File access error: " + target);
            std::filesystem::rename(partial, target);
        } catch (...) {
            std::error_code ignored;
            std::filesystem::remove(partial, ignored);
            throw;
        }
        showMessage(parent, QString("Exported %1 assets to %2.").arg(assets).arg(file));
    });
}

bool importAssets(QWidget* parent, Connection& connection, const std::filesystem::path& catalogue,
                  FileChooser chooser) {
    bool imported = false;
    procedure("Calcform.mnuImport_Click", [&] {
        if (!chooser)
            chooser = [](QWidget* p) {
                return QFileDialog::getOpenFileName(p, "Import Assets", QDir::homePath(),
                                                    kCsvFilter);
            };
        const QString file = chooser(parent);
        if (file.isEmpty()) return;
        auto run = [&](ImportOptions options) {
            std::ifstream in = openForReading(file);
            return importRegister(connection, catalogue, in, options);
        };
        // A first reading checks every row, counting the groups to create.
        ImportOptions options{.createGroups = true, .dryRun = true};
        ImportResult result = run(options);
        if (result.problems.empty() && !result.groupsCreated.empty()) {
            const QString names = joined(result.groupsCreated).replace('\n', ", ");
            options.createGroups = askYesNo(
                parent, "Import Assets",
                QString("The file names groups the group list does not have: %1. Create them?")
                    .arg(names));
            if (!options.createGroups) result = run(options);
        }
        if (result.problems.empty()) {
            options.dryRun = false;
            result = run(options);
        }
        if (!result.problems.empty()) {
            ImportProblemsDialog(result.problems, parent).exec();
            return;
        }
        imported = result.written;
        showMessage(parent, QString::fromStdString(importSummary(result, false)));
    });
    return imported;
}

}  // namespace czx::ui
