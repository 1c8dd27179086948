// The IRS instructions prompt when the program has no copy of them: it says
// where the IRS publishes them, lets the user choose a downloaded copy,
// remembers it and opens it from then on, and asks again once it is gone.
#include "ui/shell/instructions.h"

#include <QFile>
#include <QPainter>
#include <QPdfWriter>
#include <QTest>

#include "store/settings.h"
#include "support/uitesting.h"

using namespace czx;
using namespace czx::uitest;

class InstructionsTest : public QObject {
    Q_OBJECT

  private Q_SLOTS:
    void initTestCase() { isolateUserFolders(); }

    void aChosenCopyIsRememberedAndAskedForAgainWhenGone() {
        QTemporaryDir dir;
        const QString downloaded = dir.filePath("i4562.pdf");
        {
            QPdfWriter pdf(downloaded);
            QPainter(&pdf).drawText(100, 100, "Instructions for Form 4562");
        }
        Settings settings((dir.path() + "/CZXDprn.conf").toStdString());
        int asked = 0;
        auto prompt = [&] {
            auto p = std::make_unique<ui::InstructionsPrompt>(
                "p946.pdf", QStringList{dir.filePath("program")}, nullptr, &settings,
                [&](QWidget*) { return ++asked, downloaded; });
            p->show();
            return p;
        };
        // A viewer the prompt opened has loaded its document; it is closed.
        auto viewerLoaded = [] {
            bool loaded = false;
            for (QWidget* w : QApplication::topLevelWidgets())
                if (auto* v = qobject_cast<ui::DocumentViewer*>(w); v && v->isVisible()) {
                    loaded = v->loaded();
                    v->close();
                }
            // The viewer deletes itself on close: let it go now, not at exit.
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
            return loaded;
        };

        // No copy anywhere: the prompt names both IRS pages and offers to choose one.
        auto first = prompt();
        QVERIFY(first->asksForCopy());
        for (const char* url : {ui::kForm4562InstructionsUrl, ui::kPublication946Url})
            QVERIFY2(first->message().contains(url), url);
        press(first.get(), "Choose a Downloaded Copy...");
        QCOMPARE(QString::fromStdString(settings.get(setting::kInstructionsCopy)), downloaded);
        QVERIFY(viewerLoaded());

        // Then Start opens the remembered copy without asking.
        auto second = prompt();
        QVERIFY(!second->asksForCopy());
        press(second.get(), "Start");
        QVERIFY(viewerLoaded());
        QCOMPARE(asked, 1);

        // The copy deleted: the prompt says so and asks again.
        QVERIFY(QFile::remove(downloaded));
        auto third = prompt();
        QVERIFY(third->asksForCopy());
        QVERIFY(third->message().contains("no longer at " + downloaded));
    }
};

QTEST_MAIN(InstructionsTest)
#include "instructions_test.moc"
