#include "store/assets.h"

#include <array>
#include <charconv>
#include <cmath>

#include "base/money.h"
#include "store/columns.h"

namespace czx {
namespace {

std::string assetSelectList() {
    std::string list = "rowid";
    for (auto name : col::AssetColumns) list += ", " + bracket(name);
    return list;
}

// The columns the checks after the passes and the mid-quarter test read, in
// the order readCheckRow() takes them.
constexpr std::array kCheckColumns = {
    col::Description,    col::PlacedInService, col::YRPIS,         col::MethodTax,  col::LifeTax,
    col::CostTax,        col::ItcAdjustment,   col::BusUseTax,     col::Sec179,     col::Bonus,
    col::CostLessItc,    col::PostSecBasis,    col::PriorAccumTax, col::CurrentTax, col::CostBook,
    col::PriorAccumBook, col::CurrentBook};

std::string checkSelectList() {
    std::string list = "rowid";
    for (auto name : kCheckColumns) list += ", " + bracket(name);
    return list;
}

constexpr int assetColumnIndex(std::string_view name) {
    for (std::size_t i = 0; i < col::AssetColumns.size(); ++i)
        if (col::AssetColumns[i] == name) return static_cast<int>(i);
    return -1;
}

// The asset column of each column of a statement after its rowid.
template <std::size_t N>
constexpr std::array<int, N> columnIndexes(const std::array<std::string_view, N>& names) {
    std::array<int, N> indexes{};
    for (std::size_t i = 0; i < N; ++i) indexes[i] = assetColumnIndex(names[i]);
    return indexes;
}
constexpr auto kRowIndexes = columnIndexes(col::AssetColumns);
constexpr auto kCheckIndexes = columnIndexes(kCheckColumns);

std::string_view trimmed(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
    return text;
}

// Reads the columns of one row after its rowid, in order, into an asset. A
// column whose stored value is no value of its kind reads as empty and is
// marked in the asset's `unreadable`. Each read asks SQLite for the column's
// kind once, then for the value.
class RowReader {
  public:
    RowReader(const Statement& s, Asset& a, const int* assetIndexes)
        : s_(s), a_(a), indexes_(assetIndexes) {
        a_.rowId = s_.columnInt(0);
        a_.unreadable = 0;
    }

    std::string text() { return s_.columnText(next()); }

    std::int64_t number() { return s_.columnInt(next()); }

    // Empty, a number, or text holding a number; the empty text is empty too.
    Money money() {
        const int i = next();
        switch (s_.columnKind(i)) {
            case Statement::Kind::Null:
                return std::nullopt;
            case Statement::Kind::Integer:
                return static_cast<double>(s_.columnInt(i));
            case Statement::Kind::Real: {
                double value = s_.columnDouble(i);
                if (std::isfinite(value)) return value;
                break;
            }
            case Statement::Kind::Text: {
                std::string_view text = trimmed(s_.columnTextView(i));
                if (text.empty()) return std::nullopt;
                if (auto value = asNumber(Value(std::string(text))); value && std::isfinite(*value))
                    return value;
                break;
            }
            case Statement::Kind::Blob:
                break;
        }
        unreadable(i);
        return std::nullopt;
    }

    // Empty, or a date written 'YYYY-MM-DD'.
    std::optional<Date> date() {
        const int i = next();
        switch (s_.columnKind(i)) {
            case Statement::Kind::Null:
                return std::nullopt;
            case Statement::Kind::Text: {
                std::string_view text = trimmed(s_.columnTextView(i));
                if (text.empty()) return std::nullopt;
                if (auto date = parseIsoDate(text)) return date;
                break;
            }
            default:
                break;
        }
        unreadable(i);
        return std::nullopt;
    }

    // Empty (No), a number (0 is No), or the text "True" or "False".
    bool flag() {
        const int i = next();
        switch (s_.columnKind(i)) {
            case Statement::Kind::Null:
                return false;
            case Statement::Kind::Integer:
                return s_.columnInt(i) != 0;
            case Statement::Kind::Real:
                return s_.columnDouble(i) != 0;
            case Statement::Kind::Text: {
                std::string_view text = trimmed(s_.columnTextView(i));
                if (text.empty() || text == "False" || text == "false") return false;
                if (text == "True" || text == "true") return true;
                if (auto value = asNumber(Value(std::string(text)))) return *value != 0;
                break;
            }
            case Statement::Kind::Blob:
                break;
        }
        unreadable(i);
        return false;
    }

  private:
    int next() { return column_++; }
    void unreadable(int i) {
        const int index = indexes_[i - 1];
        if (index >= 0) a_.unreadable |= std::uint64_t{1} << index;
    }

    const Statement& s_;
    Asset& a_;
    const int* indexes_;
    int column_ = 1;
};

// Reads a row selected with assetSelectList() into `a`.
void readRow(const Statement& s, Asset& a) {
    RowReader r(s, a, kRowIndexes.data());
    a.companyNumber = r.number();
    a.groupName = r.text();
    a.description = r.text();
    a.placedInService = r.date();
    a.disposed = r.date();
    a.methodTax = r.text();
    a.midQrtAsset = r.text();
    a.lifeTax = r.text();
    a.methodBook = r.text();
    a.lifeBook = r.text();
    a.costTax = r.money();
    a.costBook = r.money();
    a.sec179 = r.money();
    a.bonus = r.money();
    a.postSecBasis = r.money();
    a.post30Basis = r.money();
    a.priorAccumTax = r.money();
    a.currentTax = r.money();
    a.priorAccumBook = r.money();
    a.currentBook = r.money();
    a.yrpis = r.date();
    a.busUseTax = r.money();
    a.busUseBook = r.money();
    a.nonBusDprn = r.money();
    a.priorNonBusAccum = r.money();
    a.listedProperty = r.flag();
    a.passengerAuto = r.flag();
    a.line24eBasis = r.money();
    a.bookOverride = r.flag();
    a.taxOverride = r.flag();
    a.itcAdjustment = r.money();
    a.salvageBook = r.money();
    a.costLessItc = r.money();
    a.assetChanged = r.flag();
    a.salvageTax = r.money();
    a.truckVanBonus = r.flag();
}

void readCheckRow(const Statement& s, Asset& a) {
    RowReader r(s, a, kCheckIndexes.data());
    a.description = r.text();
    a.placedInService = r.date();
    a.yrpis = r.date();
    a.methodTax = r.text();
    a.lifeTax = r.text();
    a.costTax = r.money();
    a.itcAdjustment = r.money();
    a.busUseTax = r.money();
    a.sec179 = r.money();
    a.bonus = r.money();
    a.costLessItc = r.money();
    a.postSecBasis = r.money();
    a.priorAccumTax = r.money();
    a.currentTax = r.money();
    a.costBook = r.money();
    a.priorAccumBook = r.money();
    a.currentBook = r.money();
}

// For the company row.
bool readBool(const Statement& s, int i) {
    switch (s.columnKind(i)) {
        case Statement::Kind::Null:
            return false;
        case Statement::Kind::Integer:
            return s.columnInt(i) != 0;
        default:
            return asBool(s.column(i));
    }
}

Money readMoney(const Statement& s, int i) {
    switch (s.columnKind(i)) {
        case Statement::Kind::Null:
            return std::nullopt;
        case Statement::Kind::Integer:
        case Statement::Kind::Real:
            return s.columnDouble(i);
        default:
            return asNumber(Value(s.columnText(i)));
    }
}

void bindMoney(Statement& s, int i, const Money& m) {
    if (m)
        s.bind(i, *m);
    else
        s.bindNull(i);
}

void bindDate(Statement& s, int i, const std::optional<Date>& d) {
    if (d)
        s.bind(i, std::string_view(isoDate(*d)));
    else
        s.bindNull(i);
}

}  // namespace

Company readCompany(Connection& connection) {
    Statement query(connection,
                    "SELECT companynumber, Name, YearEnd, [Regular federal], Book, "
                    "[Mid Qrt YR Tax] FROM Defaults LIMIT 1");
    if (!query.step()) throw Error(3021, "The company database holds no company.");
    Company c;
    c.number = query.columnInt(0);
    c.name = query.columnText(1);
    c.yearEnd = query.isNull(2) ? std::nullopt : parseIsoDate(query.columnTextView(2));
    c.regularFederal = readBool(query, 3);
    c.book = readBool(query, 4);
    c.midQrtYRTax = readBool(query, 5);
    return c;
}

void writeMidQrtFlag(Connection& connection, const Company& company, bool midQuarter) {
    connection.execute("UPDATE Defaults SET [Mid Qrt YR Tax] = ? WHERE companynumber = ?",
                       {Value(std::int64_t{midQuarter ? 1 : 0}), Value(company.number)});
}

std::string unreadableColumns(std::uint64_t mask) {
    std::string names;
    for (std::size_t i = 0; i < col::AssetColumns.size(); ++i) {
        if (!(mask & (std::uint64_t{1} << i))) continue;
        if (!names.empty()) names += ", ";
        names += col::AssetColumns[i];
    }
    return names;
}

// Every row: the company is tested with a unary plus so that SQLite walks
// the table in key order instead of going through the company index (one
// company per file). The changed rows: through the index that holds only them.
AssetReader::AssetReader(Connection& connection, std::int64_t companyNumber, Rows rows,
                         int pageSize)
    : query_(connection, "SELECT " + assetSelectList() + " FROM assets WHERE " +
                             (rows == Rows::All ? "+companynumber = ? AND rowid > ? "
                                                : "companynumber = ? AND rowid > ? AND "
                                                  "assetchng <> 0 ") +
                             "ORDER BY rowid LIMIT ?"),
      companyNumber_(companyNumber),
      pageSize_(pageSize) {}

bool AssetReader::next(std::vector<Asset>& page) {
    page.clear();
    query_.reset();
    query_.bind(1, companyNumber_).bind(2, lastKey_).bind(3, std::int64_t{pageSize_});
    while (query_.step()) {
        page.emplace_back();
        readRow(query_, page.back());
    }
    query_.reset();
    if (!page.empty()) lastKey_ = page.back().rowId;
    return !page.empty();
}

YearTotals yearTotals(Connection& connection, const Company& company) {
    Statement query(connection,
                    "SELECT [Current Dprn - Tax], [Current Dprn - Book] FROM assets WHERE "
                    "companynumber = ?");
    query.bind(1, company.number);
    std::int64_t tax = 0, book = 0;
    while (query.step()) {
        if (auto m = readMoney(query, 0)) tax += money::toUnits(*m);
        if (auto m = readMoney(query, 1)) book += money::toUnits(*m);
    }
    return {static_cast<double>(tax) / money::kUnitsPerDollar,
            static_cast<double>(book) / money::kUnitsPerDollar};
}

void forEachAssetPlacedBetween(Connection& connection, std::int64_t companyNumber,
                               const std::string& from, const std::string& to,
                               const std::function<void(Asset&)>& visit) {
    Statement query(connection, "SELECT " + checkSelectList() +
                                    " FROM assets WHERE companynumber = ? AND YRPIS >= ? AND "
                                    "YRPIS < ?");
    query.bind(1, companyNumber).bind(2, std::string_view(from)).bind(3, std::string_view(to));
    Asset asset;
    while (query.step()) {
        readCheckRow(query, asset);
        visit(asset);
    }
}

namespace {

// The conditions of the checks after a run. Each is also the WHERE of a
// partial index that holds only the rows it concerns; the query repeats
// them word for word, which is how SQLite knows the index serves it.
constexpr const char* kOverCostTax =
    "coalesce([Prior Accumulated Dprn - Tax], 0) + coalesce([Current Dprn - Tax], 0) - "
    "coalesce([Asset Cost - Tax], 0) > 1.00005";
constexpr const char* kOverCostBook =
    "coalesce([Prior Accumulated Dprn - Book], 0) + coalesce([Current Dprn - Book], 0) - "
    "coalesce([Asset Cost - Book], 0) > 1.00005";
constexpr const char* kBothDated =
    "substr(YRPIS, 5, 1) = '-' AND substr(YRPIS, 8, 1) = '-' AND "
    "substr([Date Placed in Service], 5, 1) = '-' AND substr([Date Placed in Service], 8, 1) = "
    "'-'";
constexpr const char* kYearMismatch =
    "substr(YRPIS, 1, 4) <> substr([Date Placed in Service], 1, 4)";
constexpr const char* kPlacedAfter =
    "substr([Date Placed in Service], 1, 10) > substr(YRPIS, 1, 10)";

std::string both(const char* a, const char* b) {
    return std::string(a) + " AND " + b;
}

}  // namespace

std::int64_t lastAssetKey(Connection& connection) {
    Statement query(connection, "SELECT max(rowid) FROM assets");
    return query.step() ? query.columnInt(0) : 0;
}

void flagEveryAsset(Connection& connection) {
    const Company company = readCompany(connection);
    connection.execute("UPDATE assets SET assetchng = 1 WHERE companynumber = ?",
                       {Value(company.number)});
}

void ensureRunIndexes(Connection& connection) {
    const std::pair<const char*, std::string> indexes[] = {
        {"assets_changed", "(companynumber) WHERE assetchng <> 0"},
        {"assets_year", "(companynumber, YRPIS)"},
        {"assets_over_cost_tax", std::string("(companynumber) WHERE ") + kOverCostTax},
        {"assets_over_cost_book", std::string("(companynumber) WHERE ") + kOverCostBook},
        {"assets_year_mismatch", "(companynumber) WHERE " + both(kBothDated, kYearMismatch)},
        {"assets_placed_after", "(companynumber) WHERE " + both(kBothDated, kPlacedAfter)},
    };
    for (const auto& [name, definition] : indexes)
        connection.execute(std::string("CREATE INDEX IF NOT EXISTS ") + name + " ON assets " +
                           definition);
    connection.execute(
        "CREATE TABLE IF NOT EXISTS RunYearFigures (companynumber INTEGER PRIMARY KEY, "
        "YearEnd TEXT, YearRows INTEGER, YearKeySum INTEGER, MidQuarter INTEGER, "
        "Readable INTEGER, Sec179 INTEGER, Bonus INTEGER, Basis INTEGER)");
}

bool dropFlagIndexBeforeWalk(Connection& connection, std::int64_t companyNumber) {
    const std::int64_t half = (lastAssetKey(connection) + 1) / 2;
    if (half == 0) return false;
    // Counting stops at half: a few flagged rows cost a few index entries.
    {
        Statement query(connection,
                        "SELECT count(*) FROM (SELECT 1 FROM assets WHERE companynumber = ? AND "
                        "assetchng <> 0 LIMIT ?)");
        query.bind(1, companyNumber).bind(2, half);
        if (!query.step() || query.columnInt(0) < half) return false;
    }  // A statement still reading the table would keep the index from being dropped.
    connection.execute("DROP INDEX IF EXISTS assets_changed");
    return true;
}

std::vector<QuestionableRow> questionableRows(Connection& connection, std::int64_t companyNumber) {
    const std::string columns =
        std::string("SELECT rowid, [Asset Description], [Date Placed in Service], ") +
        kOverCostTax + ", " + kOverCostBook + ", " + both(kBothDated, kYearMismatch) + ", " +
        both(kBothDated, kPlacedAfter) + " FROM assets WHERE companynumber = ?1 AND ";
    Statement query(connection, columns + kOverCostTax + " UNION " + columns + kOverCostBook +
                                    " UNION " + columns + both(kBothDated, kYearMismatch) +
                                    " UNION " + columns + both(kBothDated, kPlacedAfter) +
                                    " ORDER BY 1");
    query.bind(1, companyNumber);
    std::vector<QuestionableRow> rows;
    while (query.step()) {
        QuestionableRow& row = rows.emplace_back();
        row.key = query.columnInt(0);
        row.description = query.columnText(1);
        if (!query.isNull(2)) row.placedInService = parseIsoDate(query.columnTextView(2));
        row.accumTax = query.columnInt(3) != 0;
        row.accumBook = query.columnInt(4) != 0;
        row.yearMismatch = query.columnInt(5) != 0;
        row.placedAfter = query.columnInt(6) != 0;
    }
    return rows;
}

YearRows yearRowsBetween(Connection& connection, std::int64_t companyNumber,
                         const std::string& from, const std::string& to) {
    Statement query(connection,
                    "SELECT count(*), ifnull(sum(rowid), 0) FROM assets WHERE companynumber = ? "
                    "AND YRPIS >= ? AND YRPIS < ?");
    query.bind(1, companyNumber).bind(2, std::string_view(from)).bind(3, std::string_view(to));
    query.step();
    return {query.columnInt(0), query.columnInt(1)};
}

bool changedRowBetween(Connection& connection, std::int64_t companyNumber, const std::string& from,
                       const std::string& to) {
    // The unary plus keeps SQLite on the index of the changed rows, which are
    // few, rather than on the year's, whose rows are many.
    Statement query(connection,
                    "SELECT 1 FROM assets WHERE companynumber = ? AND assetchng <> 0 AND "
                    "+YRPIS >= ? AND +YRPIS < ? LIMIT 1");
    query.bind(1, companyNumber).bind(2, std::string_view(from)).bind(3, std::string_view(to));
    return query.step();
}

std::optional<YearFigures> readYearFigures(Connection& connection, std::int64_t companyNumber) {
    Statement query(connection,
                    "SELECT YearEnd, YearRows, YearKeySum, MidQuarter, Readable, Sec179, Bonus, "
                    "Basis FROM RunYearFigures WHERE companynumber = ?");
    query.bind(1, companyNumber);
    if (!query.step()) return std::nullopt;
    YearFigures f;
    f.yearEnd = query.columnText(0);
    f.rows = {query.columnInt(1), query.columnInt(2)};
    f.midQuarter = query.columnInt(3) != 0;
    f.readable = query.columnInt(4);
    f.sec179 = query.columnInt(5);
    f.bonus = query.columnInt(6);
    f.basis = query.columnInt(7);
    return f;
}

void writeYearFigures(Connection& connection, std::int64_t companyNumber, const YearFigures& f) {
    connection.execute(
        "INSERT OR REPLACE INTO RunYearFigures (companynumber, YearEnd, YearRows, YearKeySum, "
        "MidQuarter, Readable, Sec179, Bonus, Basis) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?)",
        {Value(companyNumber), Value(f.yearEnd), Value(f.rows.count), Value(f.rows.keySum),
         Value(std::int64_t{f.midQuarter ? 1 : 0}), Value(f.readable), Value(f.sec179),
         Value(f.bonus), Value(f.basis)});
}

void forgetYearFigures(Connection& connection) {
    if (connection.hasTable("RunYearFigures")) connection.execute("DELETE FROM RunYearFigures");
}

namespace {

constexpr const char* kTaxColumns =
    "[SecOneSevenNine] = ?, [FirstYR30%Deduction] = ?, [PostSecBasis] = ?, "
    "[Post30%DeductionBasis] = ?, [Current Dprn - Tax] = ?, [Non Bus Dprn] = ?, "
    "[Line24eBasis] = ?, [Cost Less ITC Adj] = ?, [MidQrtAsset] = ?, ";

// Binds the tax pass's columns from parameter 1 on; returns the next parameter.
int bindTaxColumns(Statement& s, const Asset& a) {
    bindMoney(s, 1, a.sec179);
    bindMoney(s, 2, a.bonus);
    bindMoney(s, 3, a.postSecBasis);
    bindMoney(s, 4, a.post30Basis);
    bindMoney(s, 5, a.currentTax);
    bindMoney(s, 6, a.nonBusDprn);
    bindMoney(s, 7, a.line24eBasis);
    bindMoney(s, 8, a.costLessItc);
    s.bind(9, std::string_view(a.midQrtAsset));
    return 10;
}

}  // namespace

AssetResultWriter::AssetResultWriter(Connection& connection)
    : both_(connection, std::string("UPDATE assets SET ") + kTaxColumns +
                            "[Current Dprn - Book] = ?, [assetchng] = ? WHERE rowid = ?"),
      tax_(connection,
           std::string("UPDATE assets SET ") + kTaxColumns + "[assetchng] = ? WHERE rowid = ?"),
      book_(connection,
            "UPDATE assets SET [Current Dprn - Book] = ?, [assetchng] = ? WHERE rowid = ?"),
      flag_(connection, "UPDATE assets SET [assetchng] = ? WHERE rowid = ?") {}

void AssetResultWriter::write(const Asset& a, bool taxColumns, bool bookColumns) {
    Statement& s = taxColumns ? (bookColumns ? both_ : tax_) : (bookColumns ? book_ : flag_);
    int i = taxColumns ? bindTaxColumns(s, a) : 1;
    if (bookColumns) bindMoney(s, i++, a.currentBook);
    s.bind(i++, std::int64_t{a.assetChanged ? 1 : 0});
    s.bind(i, a.rowId);
    s.run();
}

AssetBasisWriter::AssetBasisWriter(Connection& connection)
    : update_(connection,
              "UPDATE assets SET [Cost Less ITC Adj] = ?, [PostSecBasis] = ? WHERE rowid = ?") {}

void AssetBasisWriter::write(const Asset& a) {
    bindMoney(update_, 1, a.costLessItc);
    bindMoney(update_, 2, a.postSecBasis);
    update_.bind(3, a.rowId);
    update_.run();
}

Asset readAsset(Connection& connection, std::int64_t rowId) {
    Statement query(connection, "SELECT " + assetSelectList() + " FROM assets WHERE rowid = ?");
    query.bind(1, rowId);
    if (!query.step()) throw Error(3021, "No asset row " + std::to_string(rowId));
    Asset a;
    readRow(query, a);
    return a;
}

std::int64_t insertAsset(Connection& connection, const Asset& a) {
    std::string names, marks;
    for (auto name : col::AssetColumns) {
        names += (names.empty() ? "" : ", ") + bracket(name);
        marks += marks.empty() ? "?" : ", ?";
    }
    Statement s(connection, "INSERT INTO assets (" + names + ") VALUES (" + marks + ")");
    int i = 1;
    s.bind(i++, a.companyNumber);
    s.bind(i++, std::string_view(a.groupName));
    s.bind(i++, std::string_view(a.description));
    bindDate(s, i++, a.placedInService);
    bindDate(s, i++, a.disposed);
    s.bind(i++, std::string_view(a.methodTax));
    s.bind(i++, std::string_view(a.midQrtAsset));
    s.bind(i++, std::string_view(a.lifeTax));
    s.bind(i++, std::string_view(a.methodBook));
    s.bind(i++, std::string_view(a.lifeBook));
    for (const Money* m :
         {&a.costTax, &a.costBook, &a.sec179, &a.bonus, &a.postSecBasis, &a.post30Basis,
          &a.priorAccumTax, &a.currentTax, &a.priorAccumBook, &a.currentBook})
        bindMoney(s, i++, *m);
    bindDate(s, i++, a.yrpis);
    for (const Money* m : {&a.busUseTax, &a.busUseBook, &a.nonBusDprn, &a.priorNonBusAccum})
        bindMoney(s, i++, *m);
    s.bind(i++, std::int64_t{a.listedProperty});
    s.bind(i++, std::int64_t{a.passengerAuto});
    bindMoney(s, i++, a.line24eBasis);
    s.bind(i++, std::int64_t{a.bookOverride});
    s.bind(i++, std::int64_t{a.taxOverride});
    bindMoney(s, i++, a.itcAdjustment);
    bindMoney(s, i++, a.salvageBook);
    bindMoney(s, i++, a.costLessItc);
    s.bind(i++, std::int64_t{a.assetChanged});
    bindMoney(s, i++, a.salvageTax);
    s.bind(i++, std::int64_t{a.truckVanBonus});
    s.run();
    return connection.lastInsertRowId();
}

}  // namespace czx
