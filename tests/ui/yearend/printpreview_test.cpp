// The preview the printed reports share, as a user meets it: the window named
// for its report, "Export PDF" and "Close" on the toolbar with tool tips that
// say what they act on, Close closing the window; and a PDF that cannot be
// written reported as a failure.
#include "ui/yearend/printpreview.h"

#include <QPointer>
#include <QPrinter>
#include <QTemporaryDir>
#include <QTest>
#include <QToolBar>

#include "store/report.h"
#include "support/uitesting.h"
#include "ui/yearend/form4562preview.h"
#include "ui/yearend/reportpainter.h"
#include "ui/yearend/reportpreview.h"

using namespace czx;
using namespace czx::uitest;

namespace {

// Both actions stand on the preview's toolbar, their tool tips naming `noun`.
void checkActions(QWidget* preview, const QString& noun) {
    auto* bar = preview->findChild<QToolBar*>();
    QVERIFY(bar);
    auto* exportPdf = preview->findChild<QAction*>("actExportPdf");
    auto* close = preview->findChild<QAction*>("actClose");
    QVERIFY(exportPdf && close);
    QVERIFY(bar->actions().contains(exportPdf) && bar->actions().contains(close));
    QCOMPARE(exportPdf->text(), "Export PDF");
    QCOMPARE(exportPdf->toolTip(), "Write the " + noun + " to a PDF file");
    QCOMPARE(close->toolTip(), "Close the " + noun);
}

}  // namespace

class PrintPreviewTest : public QObject {
    Q_OBJECT

  private Q_SLOTS:
    void initTestCase() { isolateUserFolders(); }

    // Reports > Tax and Reports > Book open beside the window, titled with
    // the report's heading; Close closes and frees the window.
    void theReportsOpenInTheSharedPreview() {
        CompanyCopy copy;
        Connection c = Connection::open(copy.companyFile());
        QWidget owner;
        const Date today{std::chrono::year(2013), std::chrono::month(1), std::chrono::day(15)};
        for (auto [kind, name] : {std::pair{ReportKind::Tax, "DataReport1"},
                                  std::pair{ReportKind::Book, "DataReport2"}}) {
            ui::showDepreciationReport(&owner, c, kind);
            QPointer<QPrintPreviewDialog> preview = owner.findChild<QPrintPreviewDialog*>(name);
            QVERIFY2(preview, name);
            QVERIFY(preview->isVisible());
            QCOMPARE(preview->windowModality(), Qt::NonModal);
            QCOMPARE(preview->windowTitle(),
                     QString::fromStdString(buildDepreciationReport(c, kind, today).heading));
            checkActions(preview, "report");
            preview->findChild<QAction*>("actClose")->trigger();
            QTRY_VERIFY(preview.isNull());
        }
        ui::Form4562Preview worksheet(Form4562{}, ui::reportPrinter());
        QCOMPARE(worksheet.objectName(), "Form4562Preview");
        QCOMPARE(worksheet.windowTitle(), "Form 4562 Worksheet");
        checkActions(&worksheet, "worksheet");
    }

    // A folder that is not there: nothing is painted and the export says so
    // (the preview then reports "Path/File access error").
    void aFileThatCannotBeWrittenFails() {
        QTemporaryDir out;
        DepreciationReport report;
        report.captions = reportCaptions(ReportKind::Tax);
        QVERIFY(ui::writeReportPdf(report, out.filePath("tax.pdf")));
        QVERIFY(!ui::writeReportPdf(report, out.filePath("missing/tax.pdf")));
    }
};

QTEST_MAIN(PrintPreviewTest)
#include "printpreview_test.moc"
