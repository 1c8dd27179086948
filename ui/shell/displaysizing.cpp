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

QRect fitToArea(QRect window, const QRect& area) {
    if (area.isEmpty()) return window;
    window.setWidth(std::min(window.width(), area.width()));
    window.setHeight(std::min(window.height(), area.height()));
    if (window.left() < area.left() || window.right() > area.right())
        window.moveLeft(area.left() + (area.width() - window.width()) / 2);
    if (window.top() < area.top() || window.bottom() > area.bottom())
        window.moveTop(area.top() + (area.height() - window.height()) / 2);
    return window;
}

QSize grownSize(QSize designed, QSize available) {
    if (available.isEmpty()) return designed;
    const QSize nineTenths(available.width() * 9 / 10, available.height() * 9 / 10);
    return designed.expandedTo(nineTenths).boundedTo(QSize(1400, 1050)).boundedTo(available);
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
