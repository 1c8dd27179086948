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

RecordEditor::RecordEditor(const char* form, QWidget* owner) : OwnedWindow(owner), form_(form) {
    setObjectName(form);
    statusLabel_ = new QLabel(this);
    statusLabel_->setObjectName("lblStatus");
    statusLabel_->setFrameShape(QFrame::Panel);
    statusLabel_->setFrameShadow(QFrame::Sunken);
    auto tool = [this](const QString& text, const char* name, const QString& accessible) {
        auto* b = new QToolButton(this);
        b->setText(text);
        b->setObjectName(name);
        b->setAccessibleName(accessible);
        b->setToolTip(accessible);
        b->setMinimumWidth(30);
        return b;
    };
    firstButton_ = tool("|<", "cmdFirst", "First");
    previousButton_ = tool("<", "cmdPrevious", "Previous");
    nextButton_ = tool(">", "cmdNext", "Next");
    lastButton_ = tool(">|", "cmdLast", "Last");
    connect(firstButton_, &QToolButton::clicked, this, [this] { moveFirst(); });
    connect(previousButton_, &QToolButton::clicked, this, [this] { movePrevious(); });
    connect(nextButton_, &QToolButton::clicked, this, [this] { moveNext(); });
    connect(lastButton_, &QToolButton::clicked, this, [this] { moveLast(); });
}

RecordEditor::~RecordEditor() {
    rows_.moved = nullptr;
}

void RecordEditor::openRows(const std::string& dataPath,
                            const std::function<std::vector<std::int64_t>()>& readKeys) {
    run("Form_Load", [&] {
        std::string path = dataPath;
        if (!path.empty() && path.back() != '/') path += '/';
        connection_ = Connection::open(path + kCompanyFile);
        rows_.setKeys(readKeys());
        rows_.moved = [this] { moved(); };
        presenter_.attach(&rows_);
    });
}

const char* RecordEditor::procedureName(const char* name) const {
    // The trail keeps the names it is given, so each one is made once and
    // lives as long as the program.
    static std::mutex guard;
    static std::set<std::string> names;
    std::lock_guard lock(guard);
    return names.insert(std::string(form_) + "." + name).first->c_str();
}

QPushButton* RecordEditor::makeButton(const QString& caption, const char* name,
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
    for (QPushButton* b :
         {addButton_, editButton_, saveButton_, cancelButton_, deleteButton_, closeButton_})
        if (b) row->addWidget(b);
    row->addStretch();
    for (QToolButton* b : {firstButton_, previousButton_, nextButton_, lastButton_})
        row->addWidget(b);
    if (addButton_) connect(addButton_, &QPushButton::clicked, this, [this] { addRecord(); });
    connect(editButton_, &QPushButton::clicked, this, [this] { editRecord(); });
    connect(saveButton_, &QPushButton::clicked, this, [this] { saveRecord(); });
    connect(cancelButton_, &QPushButton::clicked, this, [this] { cancelChanges(); });
    if (deleteButton_)
        connect(deleteButton_, &QPushButton::clicked, this, [this] { deleteRecord(); });
    connect(closeButton_, &QPushButton::clicked, this, [this] { close(); });
    return row;
}

void RecordEditor::setButtons(bool browsing) {
    for (QPushButton* b : {addButton_, editButton_, deleteButton_, closeButton_})
        if (b) b->setVisible(browsing);
    saveButton_->setVisible(!browsing);
    cancelButton_->setVisible(!browsing);
    for (QToolButton* b : {firstButton_, previousButton_, nextButton_, lastButton_})
        b->setEnabled(browsing);
    setFieldsEditable(!browsing);
}

void RecordEditor::addRecord() {
    run("cmdAdd_Click", [&] {
        if (!open()) return;
        presenter_.beginAdd();
        showRecord();
        statusLabel_->setText("Add record");
        setButtons(false);
    });
}

void RecordEditor::editRecord() {
    run("cmdEdit_Click", [&] {
        if (!open() || !rows_.hasCurrent()) return;
        presenter_.beginEdit();
        if (addButton_) statusLabel_->setText("Edit record");
        setButtons(false);
    });
}

void RecordEditor::saveRecord() {
    run("cmdUpdate_Click", [&] {
        if (!open() || !fieldsAccepted()) return;
        writeRow();
        presenter_.saved();
        setButtons(true);
        showRecord();
        afterMove();
    });
}

void RecordEditor::cancelChanges() {
    run("cmdCancel_Click", [&] {
        if (!open()) return;
        setButtons(true);
        presenter_.cancel();
        showRecord();
    });
}

void RecordEditor::deleteRecord() {
    run("cmdDelete_Click", [&] {
        if (!open() || !rows_.hasCurrent()) return;
        removeRow(rows_.bookmark());
        // The rows then stand on the row that followed the deleted one.
        rows_.eraseCurrent();
        if (rows_.eof()) rows_.moveLast();
    });
}

void RecordEditor::moveFirst() {
    run("cmdFirst_Click", [&] { presenter_.move(RecordMove::First); });
}

void RecordEditor::moveLast() {
    run("cmdLast_Click", [&] { presenter_.move(RecordMove::Last); });
}

void RecordEditor::moveNext() {
    run("cmdNext_Click", [&] { presenter_.move(RecordMove::Next); });
}

void RecordEditor::movePrevious() {
    run("cmdPrevious_Click", [&] { presenter_.move(RecordMove::Previous); });
}

void RecordEditor::moved() {
    showRecord();
    afterMove();
}

void RecordEditor::keyPressEvent(QKeyEvent* event) {
    if (!presenter_.browsing() || !open()) return OwnedWindow::keyPressEvent(event);
    const bool ctrl = event->modifiers() & Qt::ControlModifier;
    switch (event->key()) {
        case Qt::Key_Escape:
            close();
            break;
        case Qt::Key_Home:
            moveFirst();
            break;
        case Qt::Key_End:
            moveLast();
            break;
        case Qt::Key_Up:
        case Qt::Key_PageUp:
            ctrl ? moveFirst() : movePrevious();
            break;
        case Qt::Key_Down:
        case Qt::Key_PageDown:
            ctrl ? moveLast() : moveNext();
            break;
        default:
            OwnedWindow::keyPressEvent(event);
    }
}

void RecordEditor::closeEvent(QCloseEvent* event) {
    run("Form_Unload", [&] {
        rows_.cancelUpdate();
        presenter_.attach(nullptr);
        if (connection_) connection_->close();
    });
    OwnedWindow::closeEvent(event);
}

}  // namespace czx::ui
