#include "ui/shell/helpviewer.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QPushButton>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

#include "base/trail.h"

static void initHelpResources() {
    Q_INIT_RESOURCE(help);
}

namespace czx::ui {

HelpWindow::HelpWindow(QWidget* parent) : QWidget(parent, Qt::Window) {
    initHelpResources();
    setObjectName("frmHelp");
    setWindowTitle(QString::fromStdString(AppIdentity{}.title) + " Help");
    browser_ = new QTextBrowser(this);
    browser_->setObjectName("helpBrowser");
    browser_->setOpenExternalLinks(true);
    auto* back = new QPushButton("&Back", this);
    auto* contents = new QPushButton("C&ontents", this);
    auto* closeButton = new QPushButton("&Close", this);
    connect(back, &QPushButton::clicked, browser_, &QTextBrowser::backward);
    connect(browser_, &QTextBrowser::backwardAvailable, back, &QPushButton::setEnabled);
    connect(contents, &QPushButton::clicked, browser_, &QTextBrowser::home);
    connect(closeButton, &QPushButton::clicked, this, &QWidget::close);
    back->setEnabled(false);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(back);
    buttons->addWidget(contents);
    buttons->addStretch();
    buttons->addWidget(closeButton);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(browser_);
    layout->addLayout(buttons);
    browser_->setSource(QUrl(kUserGuide));
    resize(760, 640);
}

HelpWindow* showHelpContents(QWidget* parent, const std::string& dataPath) {
    HelpWindow* shown = nullptr;
    procedure("Calcform.mnuContents_Click", [&] {
        std::string directory = dataPath;
        if (!directory.empty() && directory.back() != '/') directory += '/';
        QString file = QString::fromStdString(directory) + kHelpFile;
        if (QFileInfo::exists(file) && QDesktopServices::openUrl(QUrl::fromLocalFile(file))) return;
        shown = new HelpWindow(parent);
        shown->setAttribute(Qt::WA_DeleteOnClose);
        shown->show();
    });
    return shown;
}

}  // namespace czx::ui
