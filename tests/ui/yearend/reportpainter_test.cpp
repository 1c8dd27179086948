// The depreciation report painted into a PDF file and read back: a report
// longer than a page runs over pages, each with the captions, and ends with
// the grand totals; which lines go on which page. (The report's groups, order
// and sums are the store's tests' business.)
#include "ui/yearend/reportpainter.h"

#include <QPdfDocument>
#include <QPdfSelection>
#include <QTemporaryDir>
#include <QTest>
#include <algorithm>

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
        for (const char* words :
             {"Tool 120", "Total Tools", "Grand total", "12,000.00", "1,200.00"})
            QVERIFY2(last.contains(words), words);
    }

    // A group's totals never open a page: when the group's last asset is the
    // last line the page would hold, it goes over with the totals, under the
    // group's name repeated. Letter landscape inside half-inch margins is
    // 720 x 540 points.
    void aGroupsTotalsTakeItsLastAssetOverThePageBreak() {
        using Kind = ui::PrintedLine::Kind;
        const QSizeF page(720, 540);
        auto report = [](int computers) {
            DepreciationReport r;
            r.captions = reportCaptions(ReportKind::Tax);
            auto group = [](const char* name, int lines) {
                ReportGroup g{name, {}, std::vector<Money>(6, 1.0)};
                for (int i = 0; i < lines; ++i)
                    g.lines.push_back({"Asset " + std::to_string(i),
                                       {},
                                       "MACRS",
                                       "5",
                                       std::vector<Money>(6, 1.0)});
                return g;
            };
            r.groups = {group("Computers", computers), group("Vehicles", 2)};
            r.grandTotals = std::vector<Money>(6, 2.0);
            return r;
        };
        auto assets = [](const ui::PrintedPage& p) {
            return static_cast<int>(std::count_if(p.begin(), p.end(), [](const ui::PrintedLine& l) {
                return l.kind == Kind::Asset;
            }));
        };
        // How many assets of a long group the first page holds.
        const int held = assets(ui::layoutReport(report(500), page).front());
        QVERIFY(held > 10);

        // A group of exactly that many would put its totals first on page 2.
        const auto pages = ui::layoutReport(report(held), page);
        QCOMPARE(pages.size(), size_t(2));
        QCOMPARE(assets(pages[0]), held - 1);
        QCOMPARE(pages[0].back().line, held - 2);
        const ui::PrintedPage& second = pages[1];
        QVERIFY(second.size() >= 3);
        QCOMPARE(second[0].kind, Kind::GroupName);
        QCOMPARE(second[0].group, 0);
        QCOMPARE(second[1].kind, Kind::Asset);
        QCOMPARE(second[1].line, held - 1);
        QCOMPARE(second[2].kind, Kind::GroupTotal);
        QCOMPARE(second.back().kind, Kind::GrandTotal);
    }
};

QTEST_MAIN(ReportPainterTest)
#include "reportpainter_test.moc"
