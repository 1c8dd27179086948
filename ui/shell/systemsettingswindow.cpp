#include "ui/shell/systemsettingswindow.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "base/trail.h"
#include "store/settings.h"
#include "ui/shell/guifeedback.h"

namespace czx::ui {

SystemSettingsWindow::SystemSettingsWindow(Settings& settings, QWidget* owner)
    : OwnedWindow(owner), settings_(settings) {
    setObjectName("Sysfrm");
    setWindowTitle("System Defaults");

    auto* folder = new QGroupBox("Drive and directory where data files are located", this);
    dataDirectoryEdit_ = new QLineEdit(folder);
    dataDirectoryEdit_->setObjectName("Text1");
    dataDirectoryEdit_->setAccessibleName("Data Directory");
    dataDirectoryEdit_->setMinimumWidth(380);
    auto* folderNote = new QLabel(
        "Enter only the drive and directory, not the file name, ending with \"/\" (for example "
        "\"/home/me/czxdata/\"). Every file with the .mdb extension in the old directory must be "
        "copied to the new one. Close and restart the program for the change to take effect.",
        folder);
    folderNote->setWordWrap(true);
    auto* folderLayout = new QVBoxLayout(folder);
    folderLayout->addWidget(dataDirectoryEdit_);
    folderLayout->addWidget(folderNote);

    auto* display = new QGroupBox("Set main display's size", this);
    automaticSizeOption_ = new QRadioButton("Set main display size automatically", display);
    automaticSizeOption_->setObjectName("Option1");
    automaticSizeOption_->setAccessibleName("Set main display size automatically");
    manualSizeOption_ = new QRadioButton("Set main display size manually", display);
    manualSizeOption_->setObjectName("Option2");
    manualSizeOption_->setAccessibleName("Set main display size manually");
    auto* group = new QButtonGroup(display);
    group->addButton(automaticSizeOption_);
    group->addButton(manualSizeOption_);
    heightEdit_ = new QLineEdit(display);
    heightEdit_->setObjectName("Text2");
    heightEdit_->setAccessibleName("Manual Height Setting");
    heightEdit_->setToolTip("Typical settings are from 7000 to 10000");
    heightEdit_->setMaximumWidth(100);
    auto* heightNote = new QLabel(
        "Typical settings are from 7000 to 10000. The width follows the height automatically. "
        "A change takes effect when this window is closed.",
        display);
    heightNote->setWordWrap(true);
    auto* displayLayout = new QGridLayout(display);
    displayLayout->addWidget(automaticSizeOption_, 0, 0, 1, 2);
    displayLayout->addWidget(manualSizeOption_, 1, 0, 1, 2);
    displayLayout->addWidget(new QLabel("Manual Height Setting:", display), 2, 0);
    displayLayout->addWidget(heightEdit_, 2, 1, Qt::AlignLeft);
    displayLayout->addWidget(heightNote, 3, 0, 1, 2);

    saveButton_ = new QPushButton("Save Changes", this);
    saveButton_->setObjectName("cmdSave");
    saveButton_->setAccessibleName("Save Changes");
    saveButton_->setAutoDefault(false);

    auto* closeButton = new QPushButton("&Close", this);
    closeButton->setObjectName("cmdClose");
    closeButton->setAutoDefault(false);
    connect(closeButton, &QPushButton::clicked, this, &QWidget::close);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(saveButton_);
    buttons->addWidget(closeButton);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(folder);
    layout->addWidget(display);
    layout->addLayout(buttons);

    connect(automaticSizeOption_, &QRadioButton::clicked, this, [this] { automaticSizeClicked(); });
    connect(manualSizeOption_, &QRadioButton::clicked, this, [this] { manualSizeClicked(); });
    connect(saveButton_, &QPushButton::clicked, this, [this] { saveSettings(); });

    procedure("Sysfrm.Form_Load", [&] {
        dataDirectoryEdit_->setText(QString::fromStdString(settings_.get(setting::kNewpath)));
        QString height = QString::fromStdString(settings_.get(setting::kUpdateScreenHeight));
        heightEdit_->setText(height);
        const bool manual = !height.isEmpty();
        heightEdit_->setEnabled(manual);
        manualSizeOption_->setChecked(manual);
        automaticSizeOption_->setChecked(!manual);
    });
}

void SystemSettingsWindow::automaticSizeClicked() {
    procedure("Sysfrm.Option1_Click", [&] {
        automaticSizeOption_->setChecked(true);
        heightEdit_->clear();
        heightEdit_->setEnabled(false);
    });
}

void SystemSettingsWindow::manualSizeClicked() {
    procedure("Sysfrm.Option2_Click", [&] {
        heightEdit_->setEnabled(true);
        heightEdit_->setFocus();
    });
}

void SystemSettingsWindow::saveSettings() {
    procedure("Sysfrm.cmdSave_Click", [&] {
        // A height that is no number would fail the display sizing at every
        // start: it is refused here, plainly, and nothing is stored.
        const QString height = heightEdit_->text().trimmed();
        bool number = height.isEmpty();
        if (!number) height.toDouble(&number);
        if (!number) {
            showMessage(this, QString("Manual Height Setting takes a height in twips, such as "
                                      "8000; typical settings are from 7000 to 10000. \"%1\" "
                                      "is not a number.")
                                  .arg(height));
            heightEdit_->setFocus(Qt::OtherFocusReason);
            heightEdit_->selectAll();
            return;
        }
        settings_.set(setting::kNewpath, dataDirectoryEdit_->text().toStdString());
        settings_.set(setting::kUpdateScreenHeight, heightEdit_->text().toStdString());
    });
}

std::optional<bool> toggleSplash(Settings& settings) {
    std::optional<bool> stored;
    procedure("Calcform.mnusplashoff_Click", [&] {
        const std::string now = settings.get(setting::kShowSplash);
        if (now == "True")
            stored = false;
        else if (now == "False")
            stored = true;
        else
            return;
        settings.set(setting::kShowSplash, *stored ? "True" : "False");
    });
    return stored;
}

}  // namespace czx::ui
