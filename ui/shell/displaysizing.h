#pragma once
// The main window's size and place on the screen, worked in twips (1440 to
// the inch) and converted to pixels through the screen's logical DPI.
#include <QRect>
#include <QSize>
#include <QString>

class QWidget;

namespace czx::ui {

inline constexpr double kTwipsPerInch = 1440.0;

struct ScreenMetrics {
    int widthPx = 0;
    int heightPx = 0;
    double dpiX = 96;
    double dpiY = 96;
};

double twipsToPixelsX(double twips, const ScreenMetrics& screen);
double twipsToPixelsY(double twips, const ScreenMetrics& screen);
double pixelsToTwipsX(double pixels, const ScreenMetrics& screen);
double pixelsToTwipsY(double pixels, const ScreenMetrics& screen);

// The window's geometry in pixels for the "UpdateScreenHeight" text
// `heightSetting` (twips; empty means automatic), given the window's
// designed size. A setting that is not a number throws.
//  - a height set: that height, width = height x 1.0309, centred;
//  - automatic on a 768-pixel screen: 9000 x 8730 twips, centred;
//  - automatic on a 480-pixel screen: designed size, 300 twips above centre;
//  - automatic otherwise: designed size, centred.
QRect windowGeometry(const ScreenMetrics& screen, const QString& heightSetting, QSize designedPx);

ScreenMetrics metricsOf(const QWidget* window);

}  // namespace czx::ui
