#pragma once
// The main window's size and place, remembered from one session to the next:
// its geometry (and whether it was maximized) and the state of its
// splitters, in "window.conf" beside the per-user settings file.
#include <QString>
#include <filesystem>

class QWidget;

namespace czx::ui {

class WindowPlacement {
  public:
    // `settingsFile`: the per-user settings file (store/settings.h).
    explicit WindowPlacement(const std::filesystem::path& settingsFile);

    // Puts `window` where it was when last saved, kept on a screen; false
    // when nothing was saved yet.
    bool restore(QWidget* window) const;
    void save(const QWidget* window) const;

    const QString& file() const { return file_; }

  private:
    QString file_;
};

}  // namespace czx::ui
