#pragma once
// "System Defaults": the data directory used from the next start, and the
// main window's height (automatic, or set by hand in twips). Also the splash
// switch of the System menu.
#include <optional>

#include "ui/shell/ownedwindow.h"

class QLineEdit;
class QPushButton;
class QRadioButton;

namespace czx {
class Settings;
}

namespace czx::ui {

class SystemSettingsWindow : public OwnedWindow {
    Q_OBJECT
  public:
    SystemSettingsWindow(Settings& settings, QWidget* owner);
    void saveSettings();

  private:
    void automaticSizeClicked();
    void manualSizeClicked();

    Settings& settings_;
    QLineEdit* dataDirectoryEdit_ = nullptr;
    QLineEdit* heightEdit_ = nullptr;
    QRadioButton* automaticSizeOption_ = nullptr;
    QRadioButton* manualSizeOption_ = nullptr;
    QPushButton* saveButton_ = nullptr;
};

// mnusplashoff_Click: "True" becomes "False" and "False" becomes "True";
// any other value (or none) is left alone. Returns the stored value, or
// nothing when nothing was stored.
std::optional<bool> toggleSplash(Settings& settings);

}  // namespace czx::ui
