#pragma once
// The main window: the open company's asset register, one asset at a time,
// with the tax and book column sets side by side, the buttons that add,
// edit, save, cancel, delete and page through the assets, the pickers, the
// bonus calculator and flags, and the main menu.
//
// One class in several files: mainwindow.cpp (start-up, the company, the
// asset buttons), mainwindow_layout.cpp (the widgets and their places),
// mainwindow_fields.cpp (the fields bound to the asset, the record check,
// the field events), mainwindow_pickers.cpp (pickers, flags, bonus) and
// mainwindow_commands.cpp (the menu). The fields are a table
// (entryfields.h); the moves and the browse, edit and add states are the
// presenter's (recordpresenter.h).
#include <QMainWindow>
#include <QPointer>
#include <QString>
#include <array>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "base/dates.h"
#include "engine/rules/record_check.h"
#include "store/asset_source.h"
#include "store/company_repository.h"
#include "store/database.h"
#include "ui/entry/entryfields.h"
#include "ui/entry/fieldformat.h"
#include "ui/entry/recordpresenter.h"
#include "ui/shell/guifeedback.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QToolButton;
class QAction;
class QBoxLayout;
class QScrollArea;

namespace czx {
class Settings;
}

namespace czx::ui {

class AssetListPanel;
class ScheduleWindow;

// The delays of the one-shot steps, in milliseconds (Overview, "How the
// subsystems meet"); tests shorten them.
struct StepDelays {
    int sizing = 10;           // the display sizing step after loading
    int pickerFollowUp = 150;  // the after-choice, automobile and field-lock steps
    int addFollowUp = 250;     // the year end put into a new asset
    int maintenance = 5000;    // the reopen and company refresh steps
};

class MainWindow : public QMainWindow {
    Q_OBJECT
  public:
    // `dataPath` is the company's data directory (ending with "/");
    // `settings` supplies the window height, and may be null (automatic).
    explicit MainWindow(std::string dataPath, Settings* settings = nullptr,
                        QWidget* parent = nullptr);
    ~MainWindow() override;

    // The steps that follow company maintenance: "Working. Please Wait."
    // shows, and 5000 ms later the company is reopened from the data
    // directory (after a company was copied in) or its record refreshed
    // (after its information changed); then the window is enabled again.
    void startReopenStep();
    // The company was named on the command line: the reopen step keeps it
    // instead of reading "Newpath" again.
    void keepDataPath() { dataPathKept_ = true; }
    void startCompanyRefreshStep();
    void setStepDelays(const StepDelays& delays) { delays_ = delays; }

    // The size the screen was laid out for, before the sizing step.
    static QSize designedSize() { return QSize(980, 720); }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void fitForm();
    void closeEvent(QCloseEvent* event) override;

  private:
    // Building the window.
    void buildFields();
    void buildLayout();
    void buildMenu();
    QPushButton* makeButton(const QString& caption, const QString& name, const QString& toolTip);
    QToolButton* makeToolButton(const QString& text, const QString& name, const QString& accessible,
                                const QString& toolTip);

    // Start-up and company.
    void load();
    void openCompany();
    void reopenCompany();
    void beginWaiting();
    void endWaiting();
    void openAssets();
    void showCompanyHeader();
    void applyDisplaySizing();
    void refreshCompany();
    bool companyFlag(std::string_view column) const;
    std::optional<Date> companyYearEnd() const;

    // Binding between the fields and the current row.
    bool hasRow() const;
    void showRecord();
    void pushField(int field);
    void pushAll();
    void setFieldValue(int field, const QString& text);
    void writeCheck(int check, bool value);
    void setColumn(std::string_view column, const Value& value);
    void assetMoved();
    void showStatus(const QString& text);
    void showEmptyState();
    // The asset list: the form's asset, re-reading the rows, a chosen row.
    std::optional<Bookmark> shownAsset() const;
    void refreshAssetList();
    void showChosenAsset(Bookmark key);
    // The asset schedule window, opened beside the screen and following it.
    void showSchedule();
    void refreshSchedule();

    // Form rules.
    void enableColumns();
    void disableAll();
    void setButtons(bool browsing);
    bool passesRecordCheck();
    bool saveRecord();
    bool typedValuesAccepted();
    bool fieldAccepts(int field, bool required = false);
    void reportTypo(int field, const QString& message);
    QString fieldName(int field) const;
    bool settleRecord();
    void discardRecord();
    bool typedSinceShown() const;
    void showWarning(RecordWarning warning);
    void hideWarnings();
    void showYrpisAdvice();

    // Buttons and menu commands.
    void addAsset();
    void fillNewAssetYearEnd();
    void editAsset();
    void saveAsset();
    void cancelChanges();
    void deleteAsset();
    void refreshAssets();
    void closeScreen();
    void moveFirst();
    void movePrevious();
    void moveNext();
    void moveLast();
    void moveToRecordNumber();
    void depreciate(bool allAssets);
    void showDateAdvice();

    // Company maintenance, year end, reports and the shell's services.
    void openMaintenanceWindow(QWidget* window);
    void closeYear();
    void saveCompany();
    void deleteEveryAsset();
    void reloadAssets();

    // Pickers, flags and bonus.
    void openPicker(int field);
    void pickerChoice(const QString& entry);
    void afterChoice(int field);
    void automobileStep();
    void lockField(int field);
    void clearLife(int field);
    void flagButton(int check, const char* procedureName);
    void calculateBonus();
    void updateSection179Reminder();

    // Field events.
    void fieldEntered(int field);
    void fieldLeft(int field);
    void checkBoxEntered(int check);
    bool navigationKey(QKeyEvent* event);
    bool filterKey(int field, QKeyEvent* event);

    std::string dataPath_;
    Settings* settings_;
    bool dataPathKept_ = false;
    std::optional<Connection> connection_;
    std::optional<CompanyRecord> company_;
    std::unique_ptr<AssetSource> assets_;

    std::array<EntryField, FieldCount> fields_;
    std::array<EntryCheck, CheckCount> checks_;

    // Browse, edit or add, and the moves between assets.
    RecordPresenter presenter_;
    std::unique_ptr<AssetRecordSource> assetSource_;
    bool runInProgress_ = false;
    StepDelays delays_;
    int waitingSteps_ = 0;  // reopen or refresh steps pending
    bool bound_ = true;

    // Picker request.
    int pickerField_ = -1;
    // A field left holding text it cannot take, to be reported once the
    // focus has settled (-1: none).
    int typoPending_ = -1;
    int pickerCheckBox_ = -1;
    QString pickerColumn_;
    QString pickerTable_;

    // Header.
    QLineEdit* companyNameEdit_ = nullptr;
    QLineEdit* yearEndEdit_ = nullptr;
    QLineEdit* companyNumberEdit_ = nullptr;
    QLineEdit* recordNumberEdit_ = nullptr;
    QPushButton* moveToRecordButton_ = nullptr;
    QLabel* statusLabel_ = nullptr;
    QLabel* workingLabel_ = nullptr;
    QLabel* datesNoteLabel_ = nullptr;
    QLabel* useOver100Label_ = nullptr;
    QLabel* useSlppLabel_ = nullptr;
    QLabel* noSection179Label_ = nullptr;
    QLabel* lifeMissingLabel_ = nullptr;
    QLabel* methodMissingLabel_ = nullptr;
    QLabel* useMissingLabel_ = nullptr;  // a blank business use, named by side
    QLabel* yrpisAdviceLabel_ = nullptr;
    QProgressBar* progressBar_ = nullptr;
    QBoxLayout* formRow_ = nullptr;
    QScrollArea* formScroll_ = nullptr;

    // Buttons.
    QPushButton *addButton_ = nullptr, *editButton_ = nullptr, *saveButton_ = nullptr,
                *cancelButton_ = nullptr, *deleteButton_ = nullptr, *refreshButton_ = nullptr,
                *closeButton_ = nullptr;
    QToolButton *firstButton_ = nullptr, *previousButton_ = nullptr, *nextButton_ = nullptr,
                *lastButton_ = nullptr, *saveCompanyButton_ = nullptr;
    // Pickers: tax method, tax life, group, book method, book life.
    QToolButton *taxMethodButton_ = nullptr, *taxLifeButton_ = nullptr, *groupButton_ = nullptr,
                *bookMethodButton_ = nullptr, *bookLifeButton_ = nullptr;
    // Flags (automobile, listed, truck and van) and the bonus calculator.
    QToolButton *autoFlagButton_ = nullptr, *listedFlagButton_ = nullptr,
                *truckFlagButton_ = nullptr, *bonusButton_ = nullptr;

    AssetListPanel* assetList_ = nullptr;
    bool listStale_ = false;  // the move under way stores the row it leaves
    QPointer<ScheduleWindow> schedule_;

    std::unique_ptr<GuiFeedback> feedback_;
};

}  // namespace czx::ui
