// The Form 4562 options dialog used from the keyboard alone, and the
// worksheet painted on pages: more than one page, no heading left alone at
// the foot of a page, captions again over assets that run over a page. (The figures are the
// engine's tests' business.)
#include "ui/yearend/form4562preview.h"

#include <QDialogButtonBox>
#include <QPdfDocument>
#include <QPrinter>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include "engine/run/run.h"
#include "support/uitesting.h"

using namespace czx;
using namespace czx::uitest;

namespace {

class QuietFeedback : public Feedback {
  public:
    void message(std::string_view) override {}
};

}  // namespace

class Form4562PreviewTest : public QObject {
    Q_OBJECT

  private Q_SLOTS:
    void initTestCase() { isolateUserFolders(); }

    // Carryover typed, "Not limited" cleared with the space bar, the limit
    // typed, Enter for OK; an amount that is no number holds OK back.
    void theOptionsAreEnteredFromTheKeyboard() {
        ui::Form4562OptionsDialog dialog;
        dialog.show();
        QVERIFY(QTest::qWaitForWindowActive(&dialog));
        auto* carryover = byName<QLineEdit>(&dialog, "Carryover from last year (line 10)");
        auto* income = byName<QLineEdit>(&dialog, "Business income limitation (line 11)");
        auto* notLimited = byName<QCheckBox>(&dialog, "Not limited");
        QVERIFY(carryover && income && notLimited);
        QVERIFY(notLimited->isChecked());
        QVERIFY(!income->isEnabled());
        QCOMPARE(dialog.options()->incomeLimit, std::nullopt);

        carryover->setFocus();
        carryover->selectAll();
        QTest::keyClicks(carryover, "1,500");
        QTest::keyClick(carryover, Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), notLimited);
        QTest::keyClick(notLimited, Qt::Key_Space);
        QVERIFY(income->isEnabled());
        QCOMPARE(QApplication::focusWidget(), income);
        QPushButton* ok = dialog.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok);
        QTest::keyClicks(income, "20x");
        QVERIFY(!ok->isEnabled());
        QTest::keyClick(income, Qt::Key_Backspace);
        QVERIFY(ok->isEnabled());
        QTest::keyClick(income, Qt::Key_Return);
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(dialog.options()->carryover, 1500.0);
        QCOMPARE(dialog.options()->incomeLimit, std::optional<double>(20.0));
    }

    // 150 new 7-year machines make line 19c run over pages.
    void theWorksheetRunsOverPagesKeepingHeadingsWithTheirRows() {
        CompanyCopy copy;
        copy.execute(
            "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 150) "
            "INSERT INTO assets (companynumber, [Asset Description], [Date Placed in Service], "
            "YRPIS, [Dprn Method - Tax], [Dprn Life - Tax], [Asset Cost - Tax], "
            "[Business Use Percentage - Tax], [Dprn Method - Book], [Dprn Life - Book], "
            "[Asset Cost - Book], [Business Use Percentage - Book], assetchng) SELECT 1, "
            "'Machine ' || i, '2012-02-01', '2012-12-31', 'MACRS', '7', 1000, 1, 'SL - Book', "
            "'7', 1000, 1, 1 FROM n;");
        Connection c = Connection::open(copy.companyFile());
        QuietFeedback feedback;
        QVERIFY(depreciateAssets(c, feedback, true).completed);
        const Form4562 form = buildForm4562(c, {});

        const auto pages = ui::layoutForm4562(form, QSizeF(720, 540));
        QVERIFY(pages.size() > 2);

        QTemporaryDir out;
        const QString file = out.filePath("4562.pdf");
        auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
        printer->setOutputFormat(QPrinter::PdfFormat);
        printer->setOutputFileName(file);
        printer->setPageOrientation(QPageLayout::Landscape);
        ui::Form4562Preview preview(form, std::move(printer));
        QVERIFY(preview.findChild<QAction*>("actExportPdf"));
        QVERIFY(ui::writeForm4562Pdf(preview.form(), file));
        QPdfDocument pdf;
        QCOMPARE(pdf.load(file), QPdfDocument::Error::None);
        QCOMPARE(pdf.pageCount(), int(pages.size()));
        const QString first = pdf.getAllText(0).text();
        for (const char* words :
             {"Form 4562 Worksheet", "Riverside Machine Works, Inc.", "Part I", "500,000.00"})
            QVERIFY2(first.contains(words), words);
    }

    // Lines of n assets before a line of three, for every n that brings the
    // second line's heading down the page: the heading never ends a page,
    // and assets that run over a page come under their captions again.
    void noHeadingIsLeftAloneAtTheFootOfAPage() {
        using Kind = ui::WorksheetRow::Kind;
        for (int n = 1; n <= 80; ++n) {
            Form4562 form;
            Form4562Part part{"Part III  MACRS Depreciation", {}};
            for (int count : {n, 3}) {
                Form4562Line line;
                line.number = "19c";
                line.text = "7-year property";
                line.kind = ItemKind::Class;
                Form4562Item machine;
                machine.description = "Machine";
                line.items.resize(static_cast<size_t>(count), machine);
                part.lines.push_back(line);
            }
            form.parts = {part, part};
            form.notes = {"A note."};
            for (const auto& page : ui::layoutForm4562(form, QSizeF(720, 540))) {
                QVERIFY(page.front().kind != Kind::Item && page.front().kind != Kind::Total);
                const Kind last = page.back().kind;
                QVERIFY2(last == Kind::Item || last == Kind::Total || last == Kind::Note,
                         qPrintable(QString::number(n)));
            }
        }
    }
};

QTEST_MAIN(Form4562PreviewTest)
#include "form4562preview_test.moc"
