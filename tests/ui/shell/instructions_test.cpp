// The IRS instructions: the prompt, the viewer with the publication, and the
// viewer's message when the file is not where it is looked for. Also the help
// command's own user guide when no help file is in the data directory.
#include "ui/shell/instructions.h"

#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QPainter>
#include <QPdfWriter>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBrowser>
#include <memory>

#include "support/uitesting.h"
#include "ui/shell/helpviewer.h"

using namespace czx;
using namespace czx::uitest;

namespace {

void writeOnePagePdf(const QString& file) {
    QPdfWriter writer(file);
    QPainter painter(&writer);
    painter.drawText(QPointF(200, 200), "Publication 946");
}

template <class T>
T* openWindow() {
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* t = qobject_cast<T*>(w); t && t->isVisible()) return t;
    return nullptr;
}

}  // namespace

class InstructionsTest : public QObject {
    Q_OBJECT
    std::unique_ptr<ReportCatcher> errors;

  private Q_SLOTS:
    void initTestCase() { isolateUserFolders(); }
    void init() { errors = std::make_unique<ReportCatcher>(); }
    void cleanup() {
        for (QWidget* w : QApplication::topLevelWidgets()) w->close();
        QVERIFY(errors->reports.empty());
        errors.reset();
    }

    void aMissingDocumentIsNamedWithEveryPlaceLookedIn() {
        QTemporaryDir first, second;
        ui::DocumentViewer viewer("p946.pdf", {first.path(), second.path()});
        QCOMPARE(viewer.windowTitle(), QString("IRS Depreciation Instructions"));
        QVERIFY(!viewer.loaded());
        QString message = viewer.message();
        QVERIFY(message.contains("\"p946.pdf\" was not found"));
        QVERIFY(message.contains(first.path() + "/p946.pdf"));
        QVERIFY(message.contains(second.path() + "/p946.pdf"));
        QVERIFY(viewer.findChild<QLabel*>("lblMissing"));
        QVERIFY(!byName<QPushButton>(&viewer, "Print Form")->isEnabled());
    }

    void theDocumentIsShownFromTheFirstFolderHoldingIt() {
        QTemporaryDir first, second;
        writeOnePagePdf(second.filePath("p946.pdf"));
        ui::DocumentViewer viewer("p946.pdf", {first.path(), second.path()});
        QVERIFY(viewer.loaded());
        QVERIFY(viewer.message().isEmpty());
        QVERIFY(viewer.findChild<QWidget*>("brwWebBrowser"));
        QVERIFY(byName<QPushButton>(&viewer, "Print Form")->isEnabled());
    }

    void aFileThatIsNoPdfIsReported() {
        QTemporaryDir dir;
        QFile f(dir.filePath("p946.pdf"));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("not a publication");
        f.close();
        ui::DocumentViewer viewer("p946.pdf", {dir.path()});
        QVERIFY(!viewer.loaded());
        QVERIFY(viewer.message().contains("could not be read"));
    }

    void startOpensTheViewerAndClosesThePrompt() {
        QTemporaryDir data;
        auto* prompt = ui::showInstructionsPrompt(nullptr, data.path().toStdString());
        QVERIFY(prompt);
        QCOMPARE(prompt->windowTitle(), QString("Start Acrobat Reader And Load The Publication"));
        QVERIFY(prompt->findChild<QLabel*>()->text().startsWith(
            "Clicking on the \"Start\" button will start Adobe Acrobat Reader"));
        QTest::mouseClick(byName<QPushButton>(prompt, "&Start"), Qt::LeftButton);
        auto* viewer = openWindow<ui::DocumentViewer>();
        QVERIFY(viewer);
        QVERIFY(!openWindow<ui::InstructionsPrompt>());
        // The sample data directory holds no publication: the viewer says
        // where it looked, the data directory among them.
        QVERIFY(viewer->message().contains(data.path() + "/p946.pdf"));
    }

    void cancelClosesThePromptOnly() {
        auto* prompt = ui::showInstructionsPrompt(nullptr, "");
        QTest::mouseClick(byName<QPushButton>(prompt, "&Cancel"), Qt::LeftButton);
        QVERIFY(!openWindow<ui::InstructionsPrompt>());
        QVERIFY(!openWindow<ui::DocumentViewer>());
    }

    // Without "CZXHlp.chm" in the data directory the user guide shows; it
    // covers every menu command.
    void helpShowsTheUserGuideCoveringEveryCommand() {
        QTemporaryDir data;
        ui::HelpWindow* help = ui::showHelpContents(nullptr, data.path().toStdString());
        QVERIFY(help);
        QString text = help->browser()->toPlainText();
        for (const char* command : {"Update Company Information",
                                    "Delete All Assets",
                                    "Save Company To Disk",
                                    "Copy Company From Disk",
                                    "Exit",
                                    "Groups",
                                    "Set Drive, Directory and Display Size",
                                    "Turn splash screen on or off",
                                    "Depreciate",
                                    "Tax Depreciation Report",
                                    "Book Depreciation Report",
                                    "Close YR",
                                    "Help Contents",
                                    "IRS Depreciation Instructions",
                                    "About",
                                    "Export PDF",
                                    "Print Form",
                                    "System Defaults",
                                    "Error Report",
                                    "Add Asset",
                                    "Edit Asset",
                                    "Save Asset",
                                    "Delete Asset",
                                    "Refresh",
                                    "Move To Record Number",
                                    "Start Copy",
                                    "Copy Company",
                                    "Edit Company",
                                    "Save Company"})
            QVERIFY2(text.contains(command), command);
    }
};

QTEST_MAIN(InstructionsTest)
#include "instructions_test.moc"
