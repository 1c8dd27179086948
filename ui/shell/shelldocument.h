#pragma once
#include <QString>

namespace czx::ui {

// Asks the desktop to perform `verb` ("Open") on a document or address.
// True when the desktop took the request. Callers may ignore the result.
bool openWithShell(const QString& document, const QString& verb = QStringLiteral("Open"),
                   const QString& parameters = {}, const QString& directory = {});

}  // namespace czx::ui
