#include "store/close_year.h"

#include <vector>

#include "base/money.h"
#include "store/assets.h"
#include "store/records.h"

namespace czx {
namespace {

Money readAmount(const Statement& s, int i) {
    if (s.isNull(i)) return std::nullopt;
    return asNumber(s.column(i));
}

double rolled(const Money& prior, const Money& current) {
    return money::roundCents(money::value(prior) + money::value(current));
}

std::int64_t flag(bool on) {
    return on ? 1 : 0;
}

}  // namespace

void closeAssetRow(Asset& a) {
    a.priorAccumTax = rolled(a.priorAccumTax, a.currentTax);
    a.currentTax = 0.0;
    a.priorNonBusAccum = rolled(a.priorNonBusAccum, a.nonBusDprn);
    a.nonBusDprn = 0.0;
    a.priorAccumBook = rolled(a.priorAccumBook, a.currentBook);
    a.currentBook = 0.0;
    a.taxOverride = false;
    a.bookOverride = false;
    a.assetChanged = true;
}

Date nextYearEnd(const Date& yearEnd) {
    return addYearsClamped(yearEnd, 1);
}

CloseYearResult closeYear(Connection& connection) {
    // The company row is read inside the write transaction: a close that
    // another program commits first is then seen here, and the year moves
    // on from where that close left it.
    Transaction transaction(connection);
    Company company = readCompany(connection);
    if (!company.yearEnd)
        throw Error(errors::kInvalidUseOfNull, "The company has no year end to close.");

    CloseYearResult result;
    result.newYearEnd = nextYearEnd(*company.yearEnd);

    // Rows are read a page at a time and written after the page is read, so
    // that no statement walks the table while it is being changed.
    Statement read(connection,
                   "SELECT rowid, [Prior Accumulated Dprn - Tax], [Current Dprn - Tax], "
                   "[Prior Non Bus Accm Dprn], [Non Bus Dprn], "
                   "[Prior Accumulated Dprn - Book], [Current Dprn - Book] "
                   "FROM assets WHERE companynumber = ? AND rowid > ? ORDER BY rowid LIMIT 4096");
    Statement write(connection,
                    "UPDATE assets SET [assetchng] = ?, "
                    "[Prior Accumulated Dprn - Tax] = ?, [Current Dprn - Tax] = ?, "
                    "[Prior Non Bus Accm Dprn] = ?, [Non Bus Dprn] = ?, "
                    "[Prior Accumulated Dprn - Book] = ?, [Current Dprn - Book] = ?, "
                    "[Tax Dprn Override] = ?, [Book Dprn Override] = ? WHERE rowid = ?");
    std::vector<Asset> page;
    std::int64_t lastKey = -1;
    for (;;) {
        page.clear();
        read.bind(1, company.number).bind(2, lastKey);
        while (read.step()) {
            Asset& a = page.emplace_back();
            a.rowId = read.columnInt(0);
            a.priorAccumTax = readAmount(read, 1);
            a.currentTax = readAmount(read, 2);
            a.priorNonBusAccum = readAmount(read, 3);
            a.nonBusDprn = readAmount(read, 4);
            a.priorAccumBook = readAmount(read, 5);
            a.currentBook = readAmount(read, 6);
        }
        read.reset();
        if (page.empty()) break;
        for (Asset& a : page) {
            closeAssetRow(a);
            write.bind(1, flag(a.assetChanged))
                .bind(2, *a.priorAccumTax)
                .bind(3, *a.currentTax)
                .bind(4, *a.priorNonBusAccum)
                .bind(5, *a.nonBusDprn)
                .bind(6, *a.priorAccumBook)
                .bind(7, *a.currentBook)
                .bind(8, flag(a.taxOverride))
                .bind(9, flag(a.bookOverride))
                .bind(10, a.rowId);
            write.run();
        }
        result.assetsClosed += static_cast<std::int64_t>(page.size());
        lastKey = page.back().rowId;
    }
    connection.execute("UPDATE Defaults SET YearEnd = ? WHERE companynumber = ?",
                       {Value(isoDate(result.newYearEnd)), Value(company.number)});
    transaction.commit();
    return result;
}

}  // namespace czx
