#pragma once
// Questions the windows ask before they go on.
#include <QString>

class QWidget;

namespace czx::ui {

enum class SaveAnswer { Save, Discard, Cancel };

// "Save the changes to 'what'?" with Save (the default), Discard and Cancel
// (Escape); the program's title.
SaveAnswer askToSave(QWidget* parent, const QString& what);

}  // namespace czx::ui
