#include "ui/shell/windowplacement.h"

#include <QSettings>
#include <QSplitter>
#include <QWidget>

namespace czx::ui {
namespace {

constexpr const char* kGeometry = "Window/geometry";

QString splitterKey(const QSplitter* splitter) {
    return "Window/splitter-" + splitter->objectName();
}

}  // namespace

WindowPlacement::WindowPlacement(const std::filesystem::path& settingsFile)
    : file_(QString::fromStdString((settingsFile.parent_path() / "window.conf").string())) {}

bool WindowPlacement::restore(QWidget* window) const {
    QSettings store(file_, QSettings::IniFormat);
    const QByteArray geometry = store.value(kGeometry).toByteArray();
    // restoreGeometry moves a window saved on a screen that is gone onto one
    // that is there.
    if (geometry.isEmpty() || !window->restoreGeometry(geometry)) return false;
    for (QSplitter* splitter : window->findChildren<QSplitter*>())
        if (!splitter->objectName().isEmpty())
            splitter->restoreState(store.value(splitterKey(splitter)).toByteArray());
    return true;
}

void WindowPlacement::save(const QWidget* window) const {
    QSettings store(file_, QSettings::IniFormat);
    store.setValue(kGeometry, window->saveGeometry());
    for (const QSplitter* splitter : window->findChildren<QSplitter*>())
        if (!splitter->objectName().isEmpty())
            store.setValue(splitterKey(splitter), splitter->saveState());
}

}  // namespace czx::ui
