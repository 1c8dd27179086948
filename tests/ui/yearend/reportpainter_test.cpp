// The depreciation report painted into a PDF file and read back: a report
// longer than a page runs over pages, each with the captions, and ends with
// the grand totals. (The report's groups, order and sums are the store's
// tests' business.)
#include "ui/yearend/reportpainter.h"

#include <QPdfDocument>
#include <QPdfSelection>
#include <QTemporaryDir>
#include <QTest>

#include "store/report.h"
#include "support/uitesting.h"

using namespace czx;
using namespace czx::uitest;

class ReportPainterTest : public QObject {
    Q_OBJECT

  private Q_SLOTS:
    void initTestCase() { isolateUserFolders(); }

    void aLongReportRunsOverPagesWithCaptionsOnEach() {
        CompanyCopy copy;
        copy.execute(
            "DELETE FROM assets; WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 "
            "FROM n WHERE i < 120) INSERT INTO assets (companynumber, groupname, "
            "[Asset Description], [Date Placed in Service], [Asset Cost - Tax], "
            "[Prior Accumulated Dprn - Tax], [Current Dprn - Tax]) SELECT 1, "
            "'Tools', 'Tool ' || i, '2012-01-01', 100, 0, 10 FROM n;");
        QTemporaryDir out;
        const QString file = out.filePath("tax.pdf");
        Connection c = Connection::open(copy.companyFile());
        const Date printed{std::chrono::year(2013), std::chrono::month(1), std::chrono::day(15)};
        QVERIFY(ui::writeReportPdf(buildDepreciationReport(c, ReportKind::Tax, printed), file));
        QPdfDocument pdf;
        QCOMPARE(pdf.load(file), QPdfDocument::Error::None);
        QVERIFY(pdf.pageCount() > 1);
        const QString first = pdf.getAllText(0).text();
        for (const char* words :
             {"Riverside Machine Works, Inc.", "for the year ending", "As of 01/15/2013",
              "Tax Depreciation", "Sec. 179", "Tools", "Tool 1", "01/01/2012"})
            QVERIFY2(first.contains(words), words);
        for (int p = 0; p < pdf.pageCount(); ++p)
            QVERIFY(pdf.getAllText(p).text().contains("Asset Description"));
        // 120 tools of 100.00 cost and 10.00 current.
        const QString last = pdf.getAllText(pdf.pageCount() - 1).text();
        QVERIFY(last.contains("Tool 120"));
        QVERIFY(last.contains("12,000.00"));
        QVERIFY(last.contains("1,200.00"));
    }
};

QTEST_MAIN(ReportPainterTest)
#include "reportpainter_test.moc"
