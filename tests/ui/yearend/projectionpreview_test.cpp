// Reports > Projection: the years asked from the keyboard, the pages laid out
// as data (a group's name never last on a page, a total never first), and
// the sample company's projection painted into a PDF and read back. (The
// projected figures are the projection's tests' business.)
#include "ui/yearend/projectionpreview.h"

#include <QPdfDocument>
#include <QPdfSelection>
#include <QPdfWriter>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>

#include "support/uitesting.h"

using namespace czx;
using namespace czx::uitest;
using Kind = ui::ProjectionRowKind;

class ProjectionPreviewTest : public QObject {
    Q_OBJECT

  private Q_SLOTS:
    void initTestCase() { isolateUserFolders(); }

    // The years field has the focus and 5 selected: typing replaces it,
    // Enter is OK; Escape is Cancel.
    void theOptionsTakeTheKeyboard() {
        for (bool enter : {true, false}) {
            ui::ProjectionOptions options;
            options.show();
            QVERIFY(QTest::qWaitForWindowActive(&options));
            auto* years = byName<QSpinBox>(&options, "Years to project");
            QVERIFY(years);
            QCOMPARE(years->value(), 5);
            QCOMPARE(QApplication::focusWidget(), years);
            QTest::keyClicks(QApplication::focusWidget(), "12");
            QTest::keyClick(QApplication::focusWidget(), enter ? Qt::Key_Return : Qt::Key_Escape);
            QCOMPARE(options.result(), enter ? QDialog::Accepted : QDialog::Rejected);
            QCOMPARE(options.years(), 12);
            QCOMPARE(years->maximum(), 50);
        }
    }

    // Groups A (3 assets) and B (2), 4 rows a page, 3 years 2 a page:
    //   page 1  A a1 a2          a3 would leave "Total A" to open page 2
    //   page 2  (A) a3 "Total A" B would stand last
    //   page 3  B b1             b2 goes over with "Total B", "Grand total"
    //   page 4  (B) b2 "Total B" "Grand total"
    // for years 1-2, then the same for year 3; tax, then book.
    void pagesKeepNamesAndTotalsWithTheirLines() {
        ui::ProjectionReport report;
        report.yearEnds.assign(3, Date{});
        auto row = [&](Kind kind, const char* text) {
            report.rows.push_back({kind, text, std::nullopt, {1, 2, 3}, {4, 5, 6}});
        };
        row(Kind::Group, "A");
        for (const char* a : {"a1", "a2", "a3"}) row(Kind::Asset, a);
        row(Kind::GroupTotal, "Total A");
        row(Kind::Group, "B");
        for (const char* b : {"b1", "b2"}) row(Kind::Asset, b);
        row(Kind::GroupTotal, "Total B");
        row(Kind::GrandTotal, "Grand total");

        const auto pages = ui::layoutProjection(report, 4, 2);
        QCOMPARE(pages.size(), size_t(16));
        const std::vector<std::vector<int>> rows = {{0, 1, 2}, {3, 4}, {5, 6}, {7, 8, 9}};
        const char* continued[] = {"", "A", "", "B"};
        for (size_t p = 0; p < pages.size(); ++p) {
            QCOMPARE(pages[p].rows, rows[p % 4]);
            QCOMPARE(pages[p].continuedGroup, std::string(continued[p % 4]));
            QCOMPARE(pages[p].firstYear, p % 8 < 4 ? 0 : 2);
            QCOMPARE(pages[p].yearCount, p % 8 < 4 ? 2 : 1);
            QCOMPARE(pages[p].part, p < 8 ? ui::ProjectionPart::Tax : ui::ProjectionPart::Book);
        }
        report.book = false;
        QCOMPARE(ui::layoutProjection(report, 4, 2).size(), size_t(8));
    }

    // The sample company five years on (2013 to 2017): the tax part, then
    // the book part, each ending with the grand total; every page the
    // layout counts is painted.
    void theSampleCompanyPrintsByGroup() {
        CompanyCopy copy;
        Connection c = Connection::open(copy.companyFile());
        const ui::ProjectionReport report = ui::collectProjection(c, 5);
        QCOMPARE(report.yearEnds.size(), size_t(5));
        QTemporaryDir out;
        const QString file = out.filePath("projection.pdf");
        QVERIFY(ui::writeProjectionPdf(report, file));
        QPdfDocument pdf;
        QCOMPARE(pdf.load(file), QPdfDocument::Error::None);
        QPdfWriter probe(out.filePath("probe.pdf"));
        probe.setPageLayout(QPageLayout(QPageSize(QPageSize::Letter), QPageLayout::Landscape,
                                        QMarginsF(36, 36, 36, 36), QPageLayout::Point));
        probe.setResolution(300);
        QCOMPARE(pdf.pageCount(), static_cast<int>(ui::projectionPages(report, probe).size()));
        QVERIFY(pdf.pageCount() >= 2);
        const QString first = pdf.getAllText(0).text();
        for (const char* words : {"Riverside Machine Works, Inc.", "Tax depreciation", "12/31/2013",
                                  "12/31/2017", "Buildings", "Total Buildings"})
            QVERIFY2(first.contains(words), words);
        const QString last = pdf.getAllText(pdf.pageCount() - 1).text();
        QVERIFY(last.contains("Book depreciation"));
        QVERIFY(last.contains("Grand total"));
    }
};

QTEST_MAIN(ProjectionPreviewTest)
#include "projectionpreview_test.moc"
