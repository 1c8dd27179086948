#pragma once
// The groups window: the list of asset group names the group picker offers,
// one name at a time, with Add, Edit, Update, Cancel and Delete.
#include "ui/company/recordeditor.h"

class QLineEdit;

namespace czx::ui {

class GroupWindow : public RecordEditor {
    Q_OBJECT
  public:
    GroupWindow(const std::string& dataPath, QWidget* owner);

  protected:
    void showRecord() override;
    void storeFields() override;
    void setFieldsEditable(bool editable) override;
    void afterMove() override;

  private:
    QLineEdit* groupEdit_ = nullptr;
};

}  // namespace czx::ui
