#pragma once
// "I&RS Depreciation Instructions": a prompt, then the document viewer
// showing IRS Publication 946 ("p946.pdf"), with "Print Form". The program
// does not ship the publication: when no copy is found, the prompt says where
// the IRS publishes it and lets the user choose a downloaded copy, which the
// settings remember.
#include <QDialog>
#include <QString>
#include <QStringList>
#include <QWidget>
#include <functional>

class QLabel;
class QPdfDocument;
class QPdfView;
class QPushButton;

namespace czx {
class Settings;
}

namespace czx::ui {

inline constexpr const char* kInstructionsDocument = "p946.pdf";
inline constexpr const char* kForm4562InstructionsUrl =
    "https://www.irs.gov/forms-pubs/about-form-4562";
inline constexpr const char* kPublication946Url = "https://www.irs.gov/publications/p946";

// Where the viewer looks for a document, in order: the program's own
// directory, then the data directory.
QStringList documentFolders(const std::string& dataPath);

// frmStartAdobeAcRdr: "&Start" opens the viewer and closes the prompt. The
// document is the copy the settings remember, when it is still there, else
// the first found in the folders. When there is none the prompt says where to
// download it and offers "Choose a &Downloaded Copy...": the PDF file chosen
// is remembered and shown.
class InstructionsPrompt : public QDialog {
    Q_OBJECT
  public:
    // Asks for a PDF file; an empty answer means none was chosen.
    using FileChooser = std::function<QString(QWidget* parent)>;
    InstructionsPrompt(QString document, QStringList folders, QWidget* parent = nullptr,
                       Settings* settings = nullptr, FileChooser chooser = {});
    // Whether no copy was found, so that the prompt asks for one.
    bool asksForCopy() const { return missing_; }
    QString message() const;

  private:
    void openInstructions();
    void chooseCopy();
    void openViewer(const QString& document, const QStringList& folders);
    QString document_;
    QStringList folders_;
    Settings* settings_;
    FileChooser chooser_;
    QString found_;
    bool missing_ = false;
    QLabel* text_ = nullptr;
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

// mnuIRSInstructions_Click: shows the prompt (non-modal, centred). The
// chosen copy is remembered in `settings` when given.
InstructionsPrompt* showInstructionsPrompt(QWidget* parent, const std::string& dataPath,
                                           Settings* settings = nullptr);

}  // namespace czx::ui
