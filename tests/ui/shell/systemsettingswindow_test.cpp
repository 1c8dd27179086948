// The settings dialog writes "Newpath" and "UpdateScreenHeight" to the
// per-user settings.
#include "ui/shell/systemsettingswindow.h"

#include <QRadioButton>
#include <QTest>

#include "store/settings.h"
#include "support/uitesting.h"

using namespace czx;
using namespace czx::uitest;
using czx::ui::SystemSettingsWindow;

class SystemSettingsWindowTest : public QObject, protected MainWindowFixture {
    Q_OBJECT

    std::unique_ptr<SystemSettingsWindow> dialog;

    // What the next start reads: the settings file read afresh.
    static std::string stored(const char* key) { return Settings::forUser().get(key); }
    void open() {
        static Settings settings = Settings::forUser();
        settings = Settings::forUser();
        dialog = std::make_unique<SystemSettingsWindow>(settings, owner.get());
        owner->show();
        dialog->show();
        QVERIFY(QTest::qWaitForWindowExposed(dialog.get()));
    }
    QLineEdit* field(const char* name) { return byName<QLineEdit>(dialog.get(), name); }
    QRadioButton* option(const char* name) { return byName<QRadioButton>(dialog.get(), name); }
    void save() { press(dialog.get(), "Save Changes"); }

  private Q_SLOTS:
    void initTestCase() {
        // XDG_CONFIG_HOME points into a temporary folder for the whole run.
        isolateUserFolders();
        QVERIFY(Settings::forUser().file().string().find(
                    qgetenv("XDG_CONFIG_HOME").toStdString()) == 0);
    }
    void init() {
        setUp();
        Settings s = Settings::forUser();
        s.set(setting::kNewpath, "/srv/czx/riverside/");
        s.set(setting::kUpdateScreenHeight, "8000");
    }
    void cleanup() {
        dialog.reset();
        tearDown();
    }

    // The dialog opens on the stored values; Save Changes writes both
    // settings and stays open; automatic sizing stores an empty height and
    // turns the height field off until a manual size is chosen again.
    void storesTheFolderAndTheHeight() {
        open();
        QCOMPARE(dialog->windowTitle(), QString("System Defaults"));
        QCOMPARE(field("Data Directory")->text(), QString("/srv/czx/riverside/"));
        QCOMPARE(field("Manual Height Setting")->text(), QString("8000"));
        QVERIFY(option("Set main display size manually")->isChecked());
        QVERIFY(!owner->isEnabled());
        typeInto(field("Data Directory"), "/home/me/other company/");
        typeInto(field("Manual Height Setting"), "9500");
        save();
        QCOMPARE(stored(setting::kNewpath), std::string("/home/me/other company/"));
        QCOMPARE(stored(setting::kUpdateScreenHeight), std::string("9500"));
        QVERIFY(dialog->isVisible());

        QTest::mouseClick(option("Set main display size automatically"), Qt::LeftButton, {},
                          QPoint(8, 8));
        QVERIFY(field("Manual Height Setting")->text().isEmpty());
        QVERIFY(!field("Manual Height Setting")->isEnabled());
        save();
        QCOMPARE(stored(setting::kUpdateScreenHeight), std::string());
        QVERIFY(Settings::forUser().has(setting::kUpdateScreenHeight));
        QTest::mouseClick(option("Set main display size manually"), Qt::LeftButton, {},
                          QPoint(8, 8));
        QVERIFY(field("Manual Height Setting")->isEnabled());
    }
};

QTEST_MAIN(SystemSettingsWindowTest)
#include "systemsettingswindow_test.moc"
