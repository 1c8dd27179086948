#include "ui/shell/shelldocument.h"

#include <QDesktopServices>
#include <QDir>
#include <QUrl>

namespace czx::ui {

bool openWithShell(const QString& document, const QString& verb, const QString& parameters,
                   const QString& directory) {
    // The desktop's open service knows one verb; parameters and the working
    // directory only matter for programs, which this program never starts.
    Q_UNUSED(parameters);
    if (verb.compare(QStringLiteral("Open"), Qt::CaseInsensitive) != 0) return false;
    QUrl url(document);
    if (url.scheme().isEmpty()) {
        QString path = directory.isEmpty() ? document : QDir(directory).filePath(document);
        url = QUrl::fromLocalFile(path);
    }
    return QDesktopServices::openUrl(url);
}

}  // namespace czx::ui
