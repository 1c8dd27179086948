#include "ui/shell/displaysizing.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <cmath>

#include "base/trail.h"

namespace czx::ui {

double twipsToPixelsX(double twips, const ScreenMetrics& s) {
    return twips * s.dpiX / kTwipsPerInch;
}
double twipsToPixelsY(double twips, const ScreenMetrics& s) {
    return twips * s.dpiY / kTwipsPerInch;
}
double pixelsToTwipsX(double pixels, const ScreenMetrics& s) {
    return pixels * kTwipsPerInch / s.dpiX;
}
double pixelsToTwipsY(double pixels, const ScreenMetrics& s) {
    return pixels * kTwipsPerInch / s.dpiY;
}

QRect windowGeometry(const ScreenMetrics& screen, const QString& heightSetting, QSize designedPx) {
    // The screen's height in pixels, from whole twips and whole twips per
    // pixel by integer division.
    const long twipsPerPixelY = std::lround(kTwipsPerInch / screen.dpiY);
    const long screenTwipsY = std::lround(pixelsToTwipsY(screen.heightPx, screen));
    const long screenPixels = twipsPerPixelY > 0 ? screenTwipsY / twipsPerPixelY : screen.heightPx;

    const double screenW = pixelsToTwipsX(screen.widthPx, screen);
    const double screenH = pixelsToTwipsY(screen.heightPx, screen);
    double width = pixelsToTwipsX(designedPx.width(), screen);
    double height = pixelsToTwipsY(designedPx.height(), screen);
    double top;

    if (!heightSetting.trimmed().isEmpty()) {
        bool ok = false;
        height = heightSetting.trimmed().toDouble(&ok);
        if (!ok) throw Error(errors::kTypeMismatch, "Type mismatch");
        width = height * 1.0309;
        top = (screenH - height) / 2;
    } else if (screenPixels == 768) {
        height = 8730;
        width = 9000;
        top = (screenH - height) / 2;
    } else if (screenPixels == 480) {
        top = (screenH - height) / 2 - 300;
    } else {
        top = (screenH - height) / 2;
    }
    const double left = (screenW - width) / 2;
    return QRect(static_cast<int>(std::lround(twipsToPixelsX(left, screen))),
                 static_cast<int>(std::lround(twipsToPixelsY(top, screen))),
                 static_cast<int>(std::lround(twipsToPixelsX(width, screen))),
                 static_cast<int>(std::lround(twipsToPixelsY(height, screen))));
}

ScreenMetrics metricsOf(const QWidget* window) {
    QScreen* screen =
        window && window->screen() ? window->screen() : QGuiApplication::primaryScreen();
    ScreenMetrics m;
    if (!screen) return m;
    m.widthPx = screen->geometry().width();
    m.heightPx = screen->geometry().height();
    m.dpiX = screen->logicalDotsPerInchX();
    m.dpiY = screen->logicalDotsPerInchY();
    return m;
}

}  // namespace czx::ui
