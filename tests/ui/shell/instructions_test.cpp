// The IRS instructions' viewer: the publication shown, or a message when the
// file is not where it is looked for or is no PDF.
#include "ui/shell/instructions.h"

#include <QFile>
#include <QPainter>
#include <QPdfWriter>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include "support/uitesting.h"

using namespace czx;
using namespace czx::uitest;

namespace {

void writeOnePagePdf(const QString& file) {
    QPdfWriter writer(file);
    QPainter painter(&writer);
    painter.drawText(QPointF(200, 200), "Publication 946");
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

    // The viewer shows the publication from the first folder holding it;
    // a missing one is named with every place looked in, and a file that is
    // no PDF is reported; with nothing shown, nothing prints.
    void theViewerShowsThePublicationOrSaysWhy() {
        QTemporaryDir first, second;
        {
            ui::DocumentViewer viewer("p946.pdf", {first.path(), second.path()});
            QCOMPARE(viewer.windowTitle(), QString("IRS Depreciation Instructions"));
            QVERIFY(!viewer.loaded());
            QVERIFY(viewer.message().contains("\"p946.pdf\" was not found"));
            QVERIFY(viewer.message().contains(first.path() + "/p946.pdf"));
            QVERIFY(viewer.message().contains(second.path() + "/p946.pdf"));
            QVERIFY(!byName<QPushButton>(&viewer, "Print Form")->isEnabled());
        }
        writeOnePagePdf(second.filePath("p946.pdf"));
        {
            ui::DocumentViewer viewer("p946.pdf", {first.path(), second.path()});
            QVERIFY(viewer.loaded());
            QVERIFY(viewer.message().isEmpty());
            QVERIFY(byName<QPushButton>(&viewer, "Print Form")->isEnabled());
        }
        QFile f(first.filePath("p946.pdf"));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("not a publication");
        f.close();
        ui::DocumentViewer viewer("p946.pdf", {first.path(), second.path()});
        QVERIFY(!viewer.loaded());
        QVERIFY(viewer.message().contains("could not be read"));
    }
};

QTEST_MAIN(InstructionsTest)
#include "instructions_test.moc"
