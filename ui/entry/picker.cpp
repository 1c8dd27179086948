#include "ui/entry/picker.h"

#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "base/trail.h"
#include "store/catalogue.h"

namespace czx::ui {

ListPicker::ListPicker(QWidget* parent, const QString& caption, const QString& databaseFile,
                       const QString& table, const QString& column,
                       std::function<void(const QString&)> onChoice)
    : QDialog(parent),
      databaseFile_(databaseFile),
      table_(table),
      column_(column),
      onChoice_(std::move(onChoice)) {
    setObjectName("ADOSelcMethLife");
    setWindowTitle(caption);
    setModal(true);
    choices_ = new QListWidget(this);
    choices_->setObjectName("DataList1");
    choices_->setAccessibleName(caption);
    auto* close = new QPushButton("Close", this);
    close->setObjectName("cmdClose");
    close->setAccessibleName("Close");
    close->setAutoDefault(false);
    connect(close, &QPushButton::clicked, this, [this] { reject(); });
    connect(choices_, &QListWidget::itemClicked, this,
            [this](QListWidgetItem* item) { choiceClicked(item); });
    // Enter (and a double click) chooses as a click does.
    connect(choices_, &QListWidget::itemActivated, this,
            [this](QListWidgetItem* item) { choiceClicked(item); });
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(choices_, 1);
    layout->addWidget(close, 0, Qt::AlignRight);
    resize(280, 320);
    load();
    selectEntry({});
    choices_->setFocus();
}

void ListPicker::selectEntry(const QString& entry) {
    if (choices_->count() == 0) return;
    auto found =
        entry.isEmpty() ? QList<QListWidgetItem*>{} : choices_->findItems(entry, Qt::MatchExactly);
    choices_->setCurrentItem(found.isEmpty() ? choices_->item(0) : found.first());
}

void ListPicker::load() {
    procedure("ADOSelcMethLife.Form_Load", [&] {
        for (const std::string& entry : catalogueEntries(
                 databaseFile_.toStdString(), table_.toStdString(), column_.toStdString()))
            choices_->addItem(QString::fromStdString(entry));
    });
}

void ListPicker::choiceClicked(QListWidgetItem* item) {
    procedure("ADOSelcMethLife.DataList1_Click", [&] {
        // A style that activates items on a single click reports the click
        // twice: one choice only.
        if (!item || chosen_) return;
        chosen_ = true;
        if (onChoice_) onChoice_(item->text());
        accept();
    });
}

}  // namespace czx::ui
