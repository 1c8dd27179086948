#pragma once
// "Close YR": asks first, then closes the company's fiscal year.
#include <QString>
#include <functional>
#include <optional>

#include "store/close_year.h"

class QWidget;

namespace czx::ui {

// Shows the confirmation box (Yes and No, No the default). On Yes closes the
// year of the company the connection holds, runs `afterClose` (the window
// shows the closed company) and returns what was done; anything else, or a
// failure of the close (reported through the error trail), returns nothing
// and leaves the company as it was. All of it is the one procedure
// "Calcform.mnuCloseYR_Click".
std::optional<CloseYearResult> confirmAndCloseYear(QWidget* parent, Connection& connection,
                                                   const std::function<void()>& afterClose = {});

// The Yes/No question with the exclamation icon and No as the default
// button; true on Yes.
bool askYesNo(QWidget* parent, const QString& title, const QString& text);

}  // namespace czx::ui
