// czxdprn: the desktop program. Reads the settings (setting up the data
// directory on first start), shows the splash window when "ShowSplash" is
// "True", and opens the company of the data directory in the main window.
//
//     czxdprn [--data DIR]
//
// --data opens the company in DIR and leaves the settings alone (for trying
// out a copy of a company, and for the tests).
#include <QApplication>
#include <QCommandLineParser>

#include "base/trail.h"
#include "store/settings.h"
#include "ui/entry/mainwindow.h"
#include "ui/shell/errordialog.h"
#include "ui/shell/guifeedback.h"
#include "ui/shell/splash.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName("CZXDprn");
    QApplication::setApplicationDisplayName(czx::ui::programTitle());

    QCommandLineParser parser;
    parser.setApplicationDescription(czx::ui::programTitle());
    parser.addHelpOption();
    QCommandLineOption dataOption("data", "Open the company in DIR; the settings stay untouched.",
                                  "DIR");
    parser.addOption(dataOption);
    parser.process(app);

    czx::ui::ErrorDialog errors;
    czx::trail::setReporter(&errors);

    czx::Settings settings = czx::Settings::forUser();
    std::string dataPath;
    bool splash = false;
    if (parser.isSet(dataOption)) {
        dataPath = parser.value(dataOption).toStdString();
    } else {
        czx::procedure("frmSplash.Form_Load", [&] {
            dataPath = czx::prepareDataDirectory(settings);
            splash = settings.get(czx::setting::kShowSplash) == "True";
        });
    }

    czx::ui::MainWindow window(dataPath, &settings);
    if (parser.isSet(dataOption)) window.keepDataPath();
    if (splash) {
        auto* splashWindow = new czx::ui::SplashWindow(&window);
        splashWindow->show();
    } else {
        window.show();
    }
    int result = app.exec();
    czx::trail::setReporter(nullptr);
    return result;
}
