#pragma once
// The pattern both company maintenance windows follow: the keys of the rows
// a repository reads, one row at a time in the window's fields, a browse state with the navigation
// buttons, and an edit state entered by Add or Edit and left by Update or Cancel.
#include <QString>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "store/database.h"
#include "ui/entry/recordpresenter.h"
#include "ui/shell/ownedwindow.h"

class QHBoxLayout;
class QLabel;
class QPushButton;
class QToolButton;

namespace czx::ui {

class RecordEditor : public OwnedWindow {
    Q_OBJECT
  public:
    // `form` names the window in the error trail ("frmGroup", "UpdateCoInfo").
    RecordEditor(const char* form, QWidget* owner);
    ~RecordEditor() override;

    bool adding() const { return presenter_.adding(); }
    bool editing() const { return presenter_.editing(); }

  protected:
    // Opens the window's own connection on the company database of
    // `dataPath` and walks the keys `readKeys` reads through it (the
    // procedure Form_Load).
    void openRows(const std::string& dataPath,
                  const std::function<std::vector<std::int64_t>()>& readKeys);
    bool open() const { return presenter_.attached(); }

    // The fields show the current row (or an empty one while adding).
    virtual void showRecord() = 0;
    // Update's write: the fields into the file, as a new row while adding.
    virtual void writeRow() = 0;
    // Delete's write: row `key` out of the file.
    virtual void removeRow(std::int64_t key) = 0;
    // Before Update writes: false, after a plain message naming the field
    // and what it takes, when a field holds text it cannot take.
    virtual bool fieldsAccepted() { return true; }
    virtual void setFieldsEditable(bool editable) = 0;
    // After every move (the groups window shows the position).
    virtual void afterMove() {}

    QPushButton* makeButton(const QString& caption, const char* name, const QString& toolTip = {});
    // The button row: the given buttons, then the navigation buttons.
    QHBoxLayout* buttonRow();
    // Browse state: Add, Edit, Delete and Close show and the navigation is
    // enabled; edit state: Update and Cancel show instead.
    void setButtons(bool browsing);
    // Runs `body` as the procedure <form>.<name>.
    template <class Body>
    bool run(const char* name, Body&& body) {
        return procedure(procedureName(name), std::forward<Body>(body));
    }
    const char* procedureName(const char* name) const;

    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

    void addRecord();
    void editRecord();
    void saveRecord();
    void cancelChanges();
    void deleteRecord();
    void moveFirst();
    void movePrevious();
    void moveNext();
    void moveLast();
    void moved();

    const char* form_;
    std::optional<Connection> connection_;
    KeyListSource rows_;
    // Browse, edit or add, and the moves: the company windows settle
    // nothing before a move, since they move only while browsing.
    RecordPresenter presenter_;
    QLabel* statusLabel_ = nullptr;
    QPushButton *addButton_ = nullptr, *editButton_ = nullptr, *saveButton_ = nullptr,
                *cancelButton_ = nullptr, *deleteButton_ = nullptr, *closeButton_ = nullptr;
    QToolButton *firstButton_ = nullptr, *previousButton_ = nullptr, *nextButton_ = nullptr,
                *lastButton_ = nullptr;
};

}  // namespace czx::ui
