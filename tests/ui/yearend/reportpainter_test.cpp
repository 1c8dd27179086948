// The depreciation reports painted into PDF files and read back: the file is
// a PDF, and its text carries the title, the captions, the groups in order,
// the assets by date placed in service and the hand-added totals.
#include "ui/yearend/reportpainter.h"

#include <QPdfDocument>
#include <QPdfSelection>
#include <QTemporaryDir>
#include <QTest>

#include "store/report.h"
#include "support/uitesting.h"

using namespace czx;
using namespace czx::uitest;

namespace {

const Date kPrinted{std::chrono::year(2013), std::chrono::month(1), std::chrono::day(15)};

// Two groups. Computers: the server (placed 6/15/2011) before the laptop
// (3/1/2012). Hand sums, tax: cost 4,000.00 + 1,500.00 = 5,500.00; prior
// 800.00 + 0.00 = 800.00; current 1,280.00 + 300.00 = 1,580.00; total
// (prior + current) 2,080.00 + 300.00 = 2,380.00. Vehicles: one truck,
// cost 30,000.00, prior 6,000.00, current 9,600.00, total 15,600.00.
// Grand: cost 35,500.00, prior 6,800.00, current 11,180.00, total 17,980.00.
// Book: the laptop carries no book amounts, so its total is empty and the
// sums skip it: Computers book cost 4,000.00, current 640.00, total 1,040.00.
const char* kAssets =
    "DELETE FROM assets;"
    "INSERT INTO assets (companynumber, groupname, [Asset Description], [Date Placed in Service],"
    " [Dprn Method - Tax], [Dprn Life - Tax], [Dprn Method - Book], [Dprn Life - Book],"
    " [Asset Cost - Tax], [Prior Accumulated Dprn - Tax], [Current Dprn - Tax],"
    " [Asset Cost - Book], [Prior Accumulated Dprn - Book], [Current Dprn - Book],"
    " SecOneSevenNine, [FirstYR30%Deduction]) VALUES"
    " (1, 'Computers', 'Laptop', '2012-03-01', 'MACRS', '5', 'SL - Book', '5',"
    "  1500, 0, 300, NULL, NULL, NULL, 0, 0),"
    " (1, 'Computers', 'File server', '2011-06-15', 'MACRS', '5', 'SL - Book', '5',"
    "  4000, 800, 1280, 4000, 400, 640, 0, 0),"
    " (1, 'Vehicles', 'Box truck', '2011-02-01', 'MACRS', '5', 'SL - Book', '5',"
    "  30000, 6000, 9600, 30000, 3000, 6000, 0, 0);";

QString allText(const QString& file, int* pages = nullptr) {
    QPdfDocument pdf;
    if (pdf.load(file) != QPdfDocument::Error::None) return {};
    if (pages) *pages = pdf.pageCount();
    QString text;
    for (int p = 0; p < pdf.pageCount(); ++p) text += pdf.getAllText(p).text() + "\n";
    return text;
}

}  // namespace

class ReportPainterTest : public QObject {
    Q_OBJECT
    QTemporaryDir out;

    QString render(CompanyCopy& copy, ReportKind kind, const QString& name) {
        Connection c = Connection::open(copy.companyFile());
        DepreciationReport report = buildDepreciationReport(c, kind, kPrinted);
        QString file = out.filePath(name);
        if (!ui::writeReportPdf(report, file)) return {};
        return file;
    }

  private Q_SLOTS:
    void initTestCase() {
        isolateUserFolders();
        // Kept for a look at the pages when asked for.
        if (qEnvironmentVariableIsSet("CZX_KEEP_REPORTS")) out.setAutoRemove(false);
        qInfo("reports in %s", qPrintable(out.path()));
    }

    void taxReportIsAPdfWithGroupsOrderAndTotals() {
        CompanyCopy copy;
        copy.execute(kAssets);
        QString file = render(copy, ReportKind::Tax, "tax.pdf");
        QVERIFY(!file.isEmpty());
        int pages = 0;
        QString text = allText(file, &pages);
        QCOMPARE(pages, 1);
        for (const char* words : {"Riverside Machine Works, Inc.", "for the year ending",
                                  "As of 01/15/2013", "Tax Depreciation", "Sec. 179",
                                  "Asset Description", "06/15/2011"})
            QVERIFY2(text.contains(words), words);
        // Groups by name, assets by date placed in service.
        QVERIFY(text.indexOf("Computers") < text.indexOf("Vehicles"));
        QVERIFY(text.indexOf("File server") < text.indexOf("Laptop"));
        for (const char* sum : {"5,500.00", "1,580.00", "2,380.00", "15,600.00", "35,500.00",
                                "6,800.00", "11,180.00", "17,980.00"})
            QVERIFY2(text.contains(sum), sum);
    }

    void bookReportSkipsEmptyAmounts() {
        CompanyCopy copy;
        copy.execute(kAssets);
        QString text = allText(render(copy, ReportKind::Book, "book.pdf"));
        QVERIFY(text.contains("Book Depreciation"));
        QVERIFY(!text.contains("Sec. 179"));
        // Group Computers: only the server has book amounts.
        QVERIFY(text.contains("1,040.00"));
        // Grand totals: cost 34,000.00, prior 3,400.00, current 6,640.00,
        // total 10,040.00.
        for (const char* sum : {"34,000.00", "3,400.00", "6,640.00", "10,040.00"})
            QVERIFY2(text.contains(sum), sum);
    }

    void longReportRunsOverPagesWithCaptionsOnEach() {
        CompanyCopy copy;
        copy.execute(
            "DELETE FROM assets; WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 "
            "FROM n WHERE i < 120) INSERT INTO assets (companynumber, groupname, "
            "[Asset Description], [Date Placed in Service], [Asset Cost - Tax], "
            "[Prior Accumulated Dprn - Tax], [Current Dprn - Tax]) SELECT 1, "
            "'Tools', 'Tool ' || i, '2012-01-01', 100, 0, 10 FROM n;");
        QString file = render(copy, ReportKind::Tax, "long.pdf");
        QPdfDocument pdf;
        QCOMPARE(pdf.load(file), QPdfDocument::Error::None);
        QVERIFY(pdf.pageCount() > 1);
        for (int p = 0; p < pdf.pageCount(); ++p)
            QVERIFY(pdf.getAllText(p).text().contains("Asset Description"));
        // 120 tools of 100.00 cost and 10.00 current.
        QString last = pdf.getAllText(pdf.pageCount() - 1).text();
        QVERIFY(last.contains("12,000.00"));
        QVERIFY(last.contains("1,200.00"));
    }
};

QTEST_MAIN(ReportPainterTest)
#include "reportpainter_test.moc"
