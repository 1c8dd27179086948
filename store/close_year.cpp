#include "store/close_year.h"

#include <vector>

#include "base/money.h"
#include "store/assets.h"
#include "store/records.h"

namespace czx {
namespace {

// The amounts the close rolls, of one row.
struct Balances {
    std::int64_t rowId = 0;
    Money priorTax, currentTax, priorNonBus, nonBus, priorBook, currentBook;
};

Money readAmount(const Statement& s, int i) {
    if (s.isNull(i)) return std::nullopt;
    return asNumber(s.column(i));
}

double rolled(const Money& prior, const Money& current) {
    return money::roundCents(money::value(prior) + money::value(current));
}

}  // namespace

CloseYearResult closeYear(Connection& connection) {
    // The company row is read inside the write transaction: a close that
    // another program commits first is then seen here, and the year moves
    // on from where that close left it.
    Transaction transaction(connection);
    Company company = readCompany(connection);
    if (!company.yearEnd)
        throw Error(errors::kInvalidUseOfNull, "The company has no year end to close.");

    CloseYearResult result;
    result.newYearEnd = addYearsClamped(*company.yearEnd, 1);

    // Rows are read a page at a time and written after the page is read, so
    // that no statement walks the table while it is being changed.
    Statement read(connection,
                   "SELECT rowid, [Prior Accumulated Dprn - Tax], [Current Dprn - Tax], "
                   "[Prior Non Bus Accm Dprn], [Non Bus Dprn], "
                   "[Prior Accumulated Dprn - Book], [Current Dprn - Book] "
                   "FROM assets WHERE companynumber = ? AND rowid > ? ORDER BY rowid LIMIT 4096");
    Statement write(connection,
                    "UPDATE assets SET [assetchng] = 1, "
                    "[Prior Accumulated Dprn - Tax] = ?, [Current Dprn - Tax] = 0, "
                    "[Prior Non Bus Accm Dprn] = ?, [Non Bus Dprn] = 0, "
                    "[Prior Accumulated Dprn - Book] = ?, [Current Dprn - Book] = 0, "
                    "[Tax Dprn Override] = 0, [Book Dprn Override] = 0 WHERE rowid = ?");
    std::vector<Balances> page;
    std::int64_t lastKey = -1;
    for (;;) {
        page.clear();
        read.bind(1, company.number).bind(2, lastKey);
        while (read.step()) {
            Balances& b = page.emplace_back();
            b.rowId = read.columnInt(0);
            b.priorTax = readAmount(read, 1);
            b.currentTax = readAmount(read, 2);
            b.priorNonBus = readAmount(read, 3);
            b.nonBus = readAmount(read, 4);
            b.priorBook = readAmount(read, 5);
            b.currentBook = readAmount(read, 6);
        }
        read.reset();
        if (page.empty()) break;
        for (const Balances& b : page) {
            write.bind(1, rolled(b.priorTax, b.currentTax))
                .bind(2, rolled(b.priorNonBus, b.nonBus))
                .bind(3, rolled(b.priorBook, b.currentBook))
                .bind(4, b.rowId);
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
