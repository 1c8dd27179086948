#include "ui/shell/questions.h"

#include <QMessageBox>

#include "ui/shell/guifeedback.h"

namespace czx::ui {

SaveAnswer askToSave(QWidget* parent, const QString& what) {
    QMessageBox box(QMessageBox::Question, programTitle(),
                    QString("Save the changes to %1?").arg(what),
                    QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, parent);
    box.setDefaultButton(QMessageBox::Save);
    box.setEscapeButton(QMessageBox::Cancel);
    switch (box.exec()) {
        case QMessageBox::Save:
            return SaveAnswer::Save;
        case QMessageBox::Discard:
            return SaveAnswer::Discard;
        default:
            return SaveAnswer::Cancel;
    }
}

}  // namespace czx::ui
