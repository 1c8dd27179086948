// The IRS instructions prompt when the program has no copy of them: it says
// where the IRS publishes them, lets the user choose a downloaded copy,
// remembers it and opens it from then on, and asks again once it is gone.
#include "ui/shell/instructions.h"

#include <QApplication>
#include <QFile>
#include <QPainter>
#include <QPdfWriter>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include "store/settings.h"
#include "support/uitesting.h"

using namespace czx;
using namespace czx::uitest;

namespace {

// The document viewers open now.
QList<ui::DocumentViewer*> viewers() {
    QList<ui::DocumentViewer*> shown;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* v = qobject_cast<ui::DocumentViewer*>(w); v && v->isVisible()) shown << v;
    return shown;
}

}  // namespace

class InstructionsTest : public QObject {
    Q_OBJECT

  private Q_SLOTS:
    void initTestCase() { isolateUserFolders(); }

    void aChosenCopyIsRememberedAndAskedForAgainWhenGone() {
        QTemporaryDir dir;
        const QString downloaded = dir.filePath("Downloads/i4562.pdf");
        QVERIFY(QDir(dir.path()).mkpath("Downloads"));
        {
            QPdfWriter pdf(downloaded);
            QPainter painter(&pdf);
            painter.drawText(100, 100, "Instructions for Form 4562");
        }
        Settings settings((dir.path() + "/CZXDprn.conf").toStdString());
        const QStringList noCopyHere{dir.filePath("program")};
        int asked = 0;
        auto chooser = [&](QWidget*) {
            ++asked;
            return downloaded;
        };

        // No copy anywhere: the prompt names both IRS pages and offers to choose one.
        auto prompt = std::make_unique<ui::InstructionsPrompt>("p946.pdf", noCopyHere, nullptr,
                                                               &settings, chooser);
        prompt->show();
        QVERIFY(prompt->asksForCopy());
        for (const char* url : {ui::kForm4562InstructionsUrl, ui::kPublication946Url})
            QVERIFY2(prompt->message().contains(url), url);
        QVERIFY(!byName<QPushButton>(prompt.get(), "Start"));
        press(prompt.get(), "Choose a Downloaded Copy...");
        QCOMPARE(asked, 1);
        QCOMPARE(QString::fromStdString(settings.get(setting::kInstructionsCopy)), downloaded);
        QCOMPARE(viewers().size(), 1);
        QVERIFY(viewers().first()->loaded());
        QVERIFY(!prompt->isVisible());
        viewers().first()->close();
        QTRY_COMPARE(viewers().size(), 0);

        // The next time the remembered copy opens with Start, nothing asked.
        prompt = std::make_unique<ui::InstructionsPrompt>("p946.pdf", noCopyHere, nullptr,
                                                          &settings, chooser);
        prompt->show();
        QVERIFY(!prompt->asksForCopy());
        press(prompt.get(), "Start");
        QCOMPARE(asked, 1);
        QCOMPARE(viewers().size(), 1);
        QVERIFY(viewers().first()->loaded());
        viewers().first()->close();
        QTRY_COMPARE(viewers().size(), 0);

        // The copy deleted: the prompt says so and asks again.
        QVERIFY(QFile::remove(downloaded));
        prompt = std::make_unique<ui::InstructionsPrompt>("p946.pdf", noCopyHere, nullptr,
                                                          &settings, chooser);
        QVERIFY(prompt->asksForCopy());
        QVERIFY(prompt->message().contains("no longer at " + downloaded));
    }
};

QTEST_MAIN(InstructionsTest)
#include "instructions_test.moc"
