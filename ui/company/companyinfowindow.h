#pragma once
// The company information window: the company's name, its current fiscal
// year end and which depreciation column sets it computes.
#include <optional>

#include "store/company_repository.h"
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
    void writeRow() override;
    void removeRow(std::int64_t) override {}
    bool fieldsAccepted() override;
    void setFieldsEditable(bool editable) override;
    void afterMove() override;

  private:
    // The company as it was read; empty in a file without one.
    std::optional<CompanyRecord> record_;
    QLineEdit* nameEdit_ = nullptr;
    QLineEdit* yearEndEdit_ = nullptr;
    QCheckBox* taxSetBox_ = nullptr;
    QCheckBox* bookSetBox_ = nullptr;
};

}  // namespace czx::ui
