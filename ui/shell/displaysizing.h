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

// `window` made to fit `area` (the screen less its panels): no larger than
// it, and moved inside it, centred where it stood out.
QRect fitToArea(QRect window, const QRect& area);

// The size a window designed at `designed` opens at on a screen whose free
// area is `available`: grown on a large screen to nine tenths of it, at most
// 1400 x 1050, and never larger than the screen.
QSize grownSize(QSize designed, QSize available);

}  // namespace czx::ui
