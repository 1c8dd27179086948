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
    QLineEdit* txtName_ = nullptr;
    QLineEdit* txtYearEnd_ = nullptr;
    QCheckBox* chkTax_ = nullptr;
    QCheckBox* chkBook_ = nullptr;
};

}  // namespace czx::ui
