// The settings dialog writes "Newpath" and "UpdateScreenHeight" to the
// per-user settings; the splash switch flips "ShowSplash" between "True"
// and "False" and leaves any other value alone.
#include "ui/shell/sysfrm.h"

#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <memory>

#include "store/settings.h"
#include "support/uitesting.h"

using namespace czx;
using namespace czx::uitest;
using czx::ui::Sysfrm;

class SysfrmTest : public QObject {
    Q_OBJECT

    std::unique_ptr<QWidget> owner;
    std::unique_ptr<Sysfrm> dialog;
    std::unique_ptr<ReportCatcher> errors;

    // What the next start reads: the settings file read afresh.
    static std::string stored(const char* key) { return Settings::forUser().get(key); }
    void open() {
        static Settings settings = Settings::forUser();
        settings = Settings::forUser();
        dialog = std::make_unique<Sysfrm>(settings, owner.get());
        owner->show();
        dialog->show();
        QVERIFY(QTest::qWaitForWindowExposed(dialog.get()));
    }
    QLineEdit* field(const char* name) { return byName<QLineEdit>(dialog.get(), name); }
    QRadioButton* option(const char* name) { return byName<QRadioButton>(dialog.get(), name); }
    void save() {
        QTest::mouseClick(byName<QPushButton>(dialog.get(), "Save Changes"), Qt::LeftButton);
    }

  private Q_SLOTS:
    void initTestCase() {
        // XDG_CONFIG_HOME points into a temporary folder for the whole run.
        isolateUserFolders();
        QVERIFY(Settings::forUser().file().string().find(
                    qgetenv("XDG_CONFIG_HOME").toStdString()) == 0);
    }
    void init() {
        owner = std::make_unique<QWidget>();
        errors = std::make_unique<ReportCatcher>();
        Settings s = Settings::forUser();
        s.set(setting::kNewpath, "/srv/czx/riverside/");
        s.set(setting::kUpdateScreenHeight, "8000");
    }
    void cleanup() {
        dialog.reset();
        owner.reset();
        QVERIFY(errors->reports.empty());
        errors.reset();
    }

    void opensWithTheStoredValues() {
        open();
        QCOMPARE(dialog->windowTitle(), QString("System Defaults"));
        QCOMPARE(field("Data Directory")->text(), QString("/srv/czx/riverside/"));
        QCOMPARE(field("Manual Height Setting")->text(), QString("8000"));
        QVERIFY(field("Manual Height Setting")->isEnabled());
        QCOMPARE(field("Manual Height Setting")->toolTip(),
                 QString("Typical settings are from 7000 to 10000"));
        QVERIFY(option("Set main display size manually")->isChecked());
        QVERIFY(!option("Set main display size automatically")->isChecked());
        QVERIFY(!owner->isEnabled());
    }

    void automaticSizingOpensWithTheHeightFieldOff() {
        Settings::forUser().set(setting::kUpdateScreenHeight, "");
        open();
        QVERIFY(option("Set main display size automatically")->isChecked());
        QVERIFY(!field("Manual Height Setting")->isEnabled());
        QTest::mouseClick(option("Set main display size manually"), Qt::LeftButton, {},
                          QPoint(8, 8));
        QVERIFY(field("Manual Height Setting")->isEnabled());
    }

    void saveChangesWritesBothSettingsAndStaysOpen() {
        open();
        typeInto(field("Data Directory"), "/home/me/other company/");
        typeInto(field("Manual Height Setting"), "9500");
        save();
        QCOMPARE(stored(setting::kNewpath), std::string("/home/me/other company/"));
        QCOMPARE(stored(setting::kUpdateScreenHeight), std::string("9500"));
        QVERIFY(dialog->isVisible());
    }

    // Letters as a height are a typo: a plain message naming the field and
    // what it takes, the focus back in it, and nothing stored.
    void aHeightThatIsNoNumberIsRefusedPlainly_data() {
        QTest::addColumn<QString>("typed");
        QTest::newRow("letters") << "tall";
        QTest::newRow("digits and letters") << "8000px";
    }

    void aHeightThatIsNoNumberIsRefusedPlainly() {
        QFETCH(QString, typed);
        open();
        typeInto(field("Data Directory"), "/home/me/other company/");
        typeInto(field("Manual Height Setting"), typed);
        MessageCatcher messages;
        save();
        QCOMPARE(messages.texts,
                 QStringList{QString("Manual Height Setting takes a height in twips, such as 8000; "
                                     "typical settings are from 7000 to 10000. \"%1\" is not a "
                                     "number.")
                                 .arg(typed)});
        QCOMPARE(dialog->focusWidget(), static_cast<QWidget*>(field("Manual Height Setting")));
        QCOMPARE(stored(setting::kUpdateScreenHeight), std::string("8000"));
        QCOMPARE(stored(setting::kNewpath), std::string("/srv/czx/riverside/"));
        QVERIFY(dialog->isVisible());
    }

    void automaticSizingStoresAnEmptyHeight() {
        open();
        QTest::mouseClick(option("Set main display size automatically"), Qt::LeftButton, {},
                          QPoint(8, 8));
        QVERIFY(field("Manual Height Setting")->text().isEmpty());
        save();
        QCOMPARE(stored(setting::kUpdateScreenHeight), std::string());
        QVERIFY(Settings::forUser().has(setting::kUpdateScreenHeight));
        QCOMPARE(stored(setting::kNewpath), std::string("/srv/czx/riverside/"));
    }

    void closingEnablesTheMainWindowAndSignalsIt() {
        open();
        bool closed = false;
        connect(dialog.get(), &ui::OwnedWindow::closed, [&] { closed = true; });
        dialog->close();
        QVERIFY(closed);
        QVERIFY(owner->isEnabled());
        // Closing without saving stores nothing.
        QCOMPARE(stored(setting::kUpdateScreenHeight), std::string("8000"));
    }

    void splashSwitch_data() {
        QTest::addColumn<QString>("before");
        QTest::addColumn<bool>("present");
        QTest::addColumn<QString>("after");
        QTest::newRow("on to off") << "True" << true << "False";
        QTest::newRow("off to on") << "False" << true << "True";
        QTest::newRow("other text stays") << "yes" << true << "yes";
        QTest::newRow("lower case stays") << "true" << true << "true";
        QTest::newRow("absent stays absent") << "" << false << "";
    }
    void splashSwitch() {
        QFETCH(QString, before);
        QFETCH(bool, present);
        QFETCH(QString, after);
        // A fresh settings file for each row.
        QTemporaryDir dir;
        Settings settings((dir.path() + "/CZXDprn.conf").toStdString());
        if (present) settings.set(setting::kShowSplash, before.toStdString());
        ui::toggleSplash(settings);
        Settings reread((dir.path() + "/CZXDprn.conf").toStdString());
        QCOMPARE(QString::fromStdString(reread.get(setting::kShowSplash)), after);
        QCOMPARE(reread.has(setting::kShowSplash), present);
    }
};

QTEST_MAIN(SysfrmTest)
#include "sysfrm_test.moc"
