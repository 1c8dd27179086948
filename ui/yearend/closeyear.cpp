#include "ui/yearend/closeyear.h"

#include <QMessageBox>

#include "base/trail.h"

namespace czx::ui {

bool askYesNo(QWidget* parent, const QString& title, const QString& text) {
    QMessageBox box(QMessageBox::Warning, title, text, QMessageBox::Yes | QMessageBox::No, parent);
    box.setDefaultButton(QMessageBox::No);
    box.setEscapeButton(QMessageBox::No);
    return box.exec() == QMessageBox::Yes;
}

std::optional<CloseYearResult> confirmAndCloseYear(QWidget* parent, Connection& connection,
                                                   const std::function<void()>& afterClose) {
    std::optional<CloseYearResult> result;
    procedure("Calcform.mnuCloseYR_Click", [&] {
        if (!askYesNo(parent, kCloseYearTitle, kCloseYearQuestion)) return;
        result = closeYear(connection);
        if (afterClose) afterClose();
    });
    return result;
}

}  // namespace czx::ui
