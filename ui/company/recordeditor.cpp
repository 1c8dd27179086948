#include "ui/company/recordeditor.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QToolButton>
#include <mutex>
#include <set>

#include "store/settings.h"

namespace czx::ui {

RecordEditor::RecordEditor(const char* form, const std::string& dataPath, const std::string& sql,
                           QWidget* owner)
    : OwnedWindow(owner), form_(form) {
    setObjectName(form);
    lblStatus_ = new QLabel(this);
    lblStatus_->setObjectName("lblStatus");
    lblStatus_->setFrameShape(QFrame::Panel);
    lblStatus_->setFrameShadow(QFrame::Sunken);
    run("Form_Load", [&] {
        std::string path = dataPath;
        if (!path.empty() && path.back() != '/') path += '/';
        connection_ = Connection::open(path + kCompanyFile);
        records_ = std::make_unique<RecordSet>(*connection_, sql);
        records_->moved = [this] { moved(); };
        source_ = std::make_unique<RecordSetSource>(*records_);
        presenter_.attach(source_.get());
    });
    auto tool = [this](const QString& text, const char* name, const QString& accessible) {
        auto* b = new QToolButton(this);
        b->setText(text);
        b->setObjectName(name);
        b->setAccessibleName(accessible);
        b->setToolTip(accessible);
        b->setMinimumWidth(30);
        return b;
    };
    cmdFirst_ = tool("|<", "cmdFirst", "First");
    cmdPrevious_ = tool("<", "cmdPrevious", "Previous");
    cmdNext_ = tool(">", "cmdNext", "Next");
    cmdLast_ = tool(">|", "cmdLast", "Last");
    connect(cmdFirst_, &QToolButton::clicked, this, [this] { cmdFirst_Click(); });
    connect(cmdPrevious_, &QToolButton::clicked, this, [this] { cmdPrevious_Click(); });
    connect(cmdNext_, &QToolButton::clicked, this, [this] { cmdNext_Click(); });
    connect(cmdLast_, &QToolButton::clicked, this, [this] { cmdLast_Click(); });
}

RecordEditor::~RecordEditor() {
    if (records_) records_->moved = nullptr;
}

const char* RecordEditor::procedureName(const char* name) const {
    // The trail keeps the names it is given, so each one is made once and
    // lives as long as the program.
    static std::mutex guard;
    static std::set<std::string> names;
    std::lock_guard lock(guard);
    return names.insert(std::string(form_) + "." + name).first->c_str();
}

QPushButton* RecordEditor::addButton(const QString& caption, const char* name,
                                     const QString& toolTip) {
    auto* b = new QPushButton(caption, this);
    b->setObjectName(name);
    b->setAccessibleName(QString(caption).remove('&'));
    b->setAutoDefault(false);
    if (!toolTip.isEmpty()) b->setToolTip(toolTip);
    return b;
}

QHBoxLayout* RecordEditor::buttonRow() {
    auto* row = new QHBoxLayout;
    for (QPushButton* b : {cmdAdd_, cmdEdit_, cmdUpdate_, cmdCancel_, cmdDelete_, cmdClose_})
        if (b) row->addWidget(b);
    row->addStretch();
    for (QToolButton* b : {cmdFirst_, cmdPrevious_, cmdNext_, cmdLast_}) row->addWidget(b);
    if (cmdAdd_) connect(cmdAdd_, &QPushButton::clicked, this, [this] { cmdAdd_Click(); });
    connect(cmdEdit_, &QPushButton::clicked, this, [this] { cmdEdit_Click(); });
    connect(cmdUpdate_, &QPushButton::clicked, this, [this] { cmdUpdate_Click(); });
    connect(cmdCancel_, &QPushButton::clicked, this, [this] { cmdCancel_Click(); });
    if (cmdDelete_) connect(cmdDelete_, &QPushButton::clicked, this, [this] { cmdDelete_Click(); });
    connect(cmdClose_, &QPushButton::clicked, this, [this] { close(); });
    return row;
}

void RecordEditor::SetButtons(bool browsing) {
    for (QPushButton* b : {cmdAdd_, cmdEdit_, cmdDelete_, cmdClose_})
        if (b) b->setVisible(browsing);
    cmdUpdate_->setVisible(!browsing);
    cmdCancel_->setVisible(!browsing);
    for (QToolButton* b : {cmdFirst_, cmdPrevious_, cmdNext_, cmdLast_}) b->setEnabled(browsing);
    setFieldsEditable(!browsing);
}

void RecordEditor::cmdAdd_Click() {
    run("cmdAdd_Click", [&] {
        if (!records_) return;
        presenter_.beginAdd();
        showRecord();
        lblStatus_->setText("Add record");
        SetButtons(false);
    });
}

void RecordEditor::cmdEdit_Click() {
    run("cmdEdit_Click", [&] {
        if (!records_ || !records_->hasCurrent()) return;
        presenter_.beginEdit();
        if (cmdAdd_) lblStatus_->setText("Edit record");
        SetButtons(false);
    });
}

void RecordEditor::cmdUpdate_Click() {
    run("cmdUpdate_Click", [&] {
        if (!records_ || !fieldsAccepted()) return;
        writeRow();
        presenter_.saved();
        SetButtons(true);
        showRecord();
        afterMove();
    });
}

void RecordEditor::writeRow() {
    storeFields();
    records_->update();
}

void RecordEditor::cmdCancel_Click() {
    run("cmdCancel_Click", [&] {
        if (!records_) return;
        SetButtons(true);
        presenter_.cancel();
        showRecord();
    });
}

void RecordEditor::cmdDelete_Click() {
    run("cmdDelete_Click", [&] {
        if (!records_) return;
        if (!records_->hasCurrent()) return;
        records_->deleteCurrent();
        // The set already stands on the row that followed the deleted one.
        if (records_->eof()) records_->moveLast();
    });
}

void RecordEditor::cmdFirst_Click() {
    run("cmdFirst_Click", [&] { presenter_.move(RecordMove::First); });
}

void RecordEditor::cmdLast_Click() {
    run("cmdLast_Click", [&] { presenter_.move(RecordMove::Last); });
}

void RecordEditor::cmdNext_Click() {
    run("cmdNext_Click", [&] { presenter_.move(RecordMove::Next); });
}

void RecordEditor::cmdPrevious_Click() {
    run("cmdPrevious_Click", [&] { presenter_.move(RecordMove::Previous); });
}

void RecordEditor::moved() {
    showRecord();
    afterMove();
}

void RecordEditor::keyPressEvent(QKeyEvent* event) {
    if (!presenter_.browsing() || !records_) return OwnedWindow::keyPressEvent(event);
    const bool ctrl = event->modifiers() & Qt::ControlModifier;
    switch (event->key()) {
        case Qt::Key_Escape:
            close();
            break;
        case Qt::Key_Home:
            cmdFirst_Click();
            break;
        case Qt::Key_End:
            cmdLast_Click();
            break;
        case Qt::Key_Up:
        case Qt::Key_PageUp:
            ctrl ? cmdFirst_Click() : cmdPrevious_Click();
            break;
        case Qt::Key_Down:
        case Qt::Key_PageDown:
            ctrl ? cmdLast_Click() : cmdNext_Click();
            break;
        default:
            OwnedWindow::keyPressEvent(event);
    }
}

void RecordEditor::closeEvent(QCloseEvent* event) {
    run("Form_Unload", [&] {
        if (records_) records_->cancelUpdate();
        presenter_.attach(nullptr);
        source_.reset();
        records_.reset();
        if (connection_) connection_->close();
    });
    OwnedWindow::closeEvent(event);
}

}  // namespace czx::ui
