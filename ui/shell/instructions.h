#pragma once
// "I&RS Depreciation Instructions": a prompt, then the document viewer
// showing IRS Publication 946 ("p946.pdf"), with "Print Form".
#include <QDialog>
#include <QString>
#include <QStringList>
#include <QWidget>

class QLabel;
class QPdfDocument;
class QPdfView;
class QPushButton;

namespace czx::ui {

inline constexpr const char* kInstructionsDocument = "p946.pdf";

// Where the viewer looks for a document, in order: the program's own
// directory, then the data directory.
QStringList documentFolders(const std::string& dataPath);

// frmStartAdobeAcRdr: "&Start" opens the viewer and closes the prompt.
class InstructionsPrompt : public QDialog {
    Q_OBJECT
  public:
    InstructionsPrompt(QString document, QStringList folders, QWidget* parent = nullptr);

  private:
    void openInstructions();
    QString document_;
    QStringList folders_;
};

// frmBrowser: the document filling the window, sized to the screen. When the
// document is in none of the folders, the window says so and names them.
class DocumentViewer : public QWidget {
    Q_OBJECT
  public:
    DocumentViewer(const QString& document, const QStringList& folders, QWidget* parent = nullptr);
    bool loaded() const { return loaded_; }
    QString message() const;
    // Prints every page of the document through the print dialog.
    void printClicked();

  private:
    QPdfDocument* pdf_ = nullptr;
    QPdfView* view_ = nullptr;
    QLabel* missing_ = nullptr;
    QPushButton* printButton_ = nullptr;
    bool loaded_ = false;
};

// mnuIRSInstructions_Click: shows the prompt (non-modal, centred).
InstructionsPrompt* showInstructionsPrompt(QWidget* parent, const std::string& dataPath);

}  // namespace czx::ui
