#pragma once
// "Help &Contents": the help file "CZXHlp.chm" of the data directory, opened
// with the desktop's viewer for it when the file is there; otherwise the
// program's own user guide, shipped inside the program, in a help window.
#include <QString>
#include <QWidget>
#include <string>

class QTextBrowser;

namespace czx::ui {

inline constexpr const char* kHelpFile = "CZXHlp.chm";
// The user guide inside the program.
inline constexpr const char* kUserGuide = "qrc:/help/userguide.html";

class HelpWindow : public QWidget {
    Q_OBJECT
  public:
    explicit HelpWindow(QWidget* parent = nullptr);
    QTextBrowser* browser() const { return browser_; }

  private:
    QTextBrowser* browser_;
};

// mnuContents_Click. Returns the window showing the user guide, or null when
// the help file was handed to the desktop.
HelpWindow* showHelpContents(QWidget* parent, const std::string& dataPath);

}  // namespace czx::ui
