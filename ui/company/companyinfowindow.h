#pragma once
// The company information window: the company's name, its current fiscal
// year end and which depreciation column sets it computes.
#include "ui/company/recordeditor.h"

class QCheckBox;
class QLineEdit;

namespace czx::ui {

class CompanyInfoWindow : public RecordEditor {
    Q_OBJECT
  public:
    CompanyInfoWindow(const std::string& dataPath, QWidget* owner);

  protected:
    void showRecord() override;
    void storeFields() override;
    void writeRow() override;
    bool fieldsAccepted() override;
    void setFieldsEditable(bool editable) override;
    void afterMove() override;

  private:
    QLineEdit* nameEdit_ = nullptr;
    QLineEdit* yearEndEdit_ = nullptr;
    QCheckBox* taxSetBox_ = nullptr;
    QCheckBox* bookSetBox_ = nullptr;
};

}  // namespace czx::ui
