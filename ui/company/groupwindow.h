#pragma once
// The groups window: the list of asset group names the group picker offers,
// one name at a time, with Add, Edit, Update, Cancel and Delete.
#include <map>
#include <string>

#include "ui/company/recordeditor.h"

class QLineEdit;

namespace czx::ui {

class GroupWindow : public RecordEditor {
    Q_OBJECT
  public:
    GroupWindow(const std::string& dataPath, QWidget* owner);

  protected:
    void showRecord() override;
    void writeRow() override;
    void removeRow(std::int64_t key) override;
    void setFieldsEditable(bool editable) override;
    void afterMove() override;

  private:
    QLineEdit* groupEdit_ = nullptr;
    // The name of each group by its key, as the file holds it.
    std::map<std::int64_t, std::string> names_;
};

}  // namespace czx::ui
