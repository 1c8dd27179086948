#include "store/assets.h"

#include <array>
#include <span>

#include "base/money.h"
#include "store/asset_fields.h"
#include "store/company_repository.h"

namespace czx {
namespace {

// Every field, in order: the full row.
constexpr std::array<int, kAssetFields.size()> kRowFields = [] {
    std::array<int, kAssetFields.size()> fields{};
    for (std::size_t i = 0; i < fields.size(); ++i) fields[i] = static_cast<int>(i);
    return fields;
}();

// The columns the checks after the passes and the mid-quarter test read.
constexpr auto kCheckFields = assetFieldIndexes(
    std::array{col::Description, col::PlacedInService, col::YRPIS, col::MethodTax, col::LifeTax,
               col::CostTax, col::ItcAdjustment, col::BusUseTax, col::Sec179, col::Bonus,
               col::CostLessItc, col::PostSecBasis, col::PriorAccumTax, col::CurrentTax,
               col::CostBook, col::PriorAccumBook, col::CurrentBook});

std::string selectList(std::span<const int> fields) {
    return "rowid, " + assetColumnSql(fields);
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

}  // namespace

Company readCompany(Connection& connection) {
    auto record = CompanyRepository(connection).load();
    if (!record) throw Error(3021, "The company database holds no company.");
    return record->company;
}

void writeMidQrtFlag(Connection& connection, const Company& company, bool midQuarter) {
    connection.execute("UPDATE Defaults SET [Mid Qrt YR Tax] = ? WHERE companynumber = ?",
                       {Value(std::int64_t{midQuarter ? 1 : 0}), Value(company.number)});
}

std::string unreadableColumns(std::uint64_t mask) {
    std::string names;
    for (std::size_t i = 0; i < kAssetFields.size(); ++i) {
        if (!(mask & (std::uint64_t{1} << i))) continue;
        if (!names.empty()) names += ", ";
        names += kAssetFields[i].column;
    }
    return names;
}

// Every row: the company is tested with a unary plus so that SQLite walks
// the table in key order instead of going through the company index (one
// company per file). The changed rows: through the index that holds only them.
AssetReader::AssetReader(Connection& connection, std::int64_t companyNumber, Rows rows,
                         int pageSize)
    : query_(connection, "SELECT " + selectList(kRowFields) + " FROM assets WHERE " +
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
        readAssetFields(query_, page.back(), kRowFields);
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

void forEachAssetInReportOrder(Connection& connection, std::int64_t companyNumber,
                               const std::function<void(Asset&)>& visit) {
    Statement query(connection, "SELECT " + selectList(kRowFields) +
                                    " FROM assets WHERE companynumber = ? ORDER BY "
                                    "COALESCE(groupname, ''), [Date Placed in Service], rowid");
    query.bind(1, companyNumber);
    Asset asset;
    while (query.step()) {
        readAssetFields(query, asset, kRowFields);
        visit(asset);
    }
}

void forEachAssetPlacedBetween(Connection& connection, std::int64_t companyNumber,
                               const std::string& from, const std::string& to,
                               const std::function<void(Asset&)>& visit) {
    Statement query(connection, "SELECT " + selectList(kCheckFields) +
                                    " FROM assets WHERE companynumber = ? AND YRPIS >= ? AND "
                                    "YRPIS < ?");
    query.bind(1, companyNumber).bind(2, std::string_view(from)).bind(3, std::string_view(to));
    Asset asset;
    while (query.step()) {
        readAssetFields(query, asset, kCheckFields);
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
    const std::int64_t lastKey = lastAssetKey(connection);
    if (lastKey == 0) return false;
    {
        // Up to kExactUpTo keys the flagged rows are counted, stopping at
        // half. Above, counting half the keys through the index would cost a
        // share of what dropping it saves: the flags of kProbes keys spread
        // evenly over the file answer instead. A key without a row, or a row
        // of another company, counts as not flagged.
        constexpr std::int64_t kExactUpTo = 4096;
        constexpr std::int64_t kProbes = 1024;
        const bool exact = lastKey <= kExactUpTo;
        const std::int64_t half = ((exact ? lastKey : kProbes) + 1) / 2;
        Statement query(
            connection,
            exact ? "SELECT count(*) FROM (SELECT 1 FROM assets WHERE companynumber = ?1 AND "
                    "assetchng <> 0 LIMIT ?2)"
                  : "WITH RECURSIVE probe(i) AS (SELECT 0 UNION ALL SELECT i + 1 FROM probe "
                    "WHERE i + 1 < ?3) SELECT count(*) FROM probe JOIN assets ON assets.rowid = "
                    "1 + probe.i * ?4 / ?3 WHERE companynumber = ?1 AND assetchng <> 0");
        query.bind(1, companyNumber).bind(2, half);
        if (!exact) query.bind(3, kProbes).bind(4, lastKey);
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

// The columns the tax pass computes, and the one the book pass computes.
constexpr auto kTaxFields = assetFieldIndexes(
    std::array{col::Sec179, col::Bonus, col::PostSecBasis, col::Post30Basis, col::CurrentTax,
               col::NonBusDprn, col::Line24eBasis, col::CostLessItc, col::MidQrtAsset});
constexpr int kBookField = assetFieldIndex(col::CurrentBook);
constexpr auto kBasisFields = assetFieldIndexes(std::array{col::CostLessItc, col::PostSecBasis});

std::string assignments(std::span<const int> fields) {
    return assetColumnSql(fields, " = ?") + ", ";
}

// Binds `fields` of the asset from parameter `first` on; returns the next parameter.
int bindFields(Statement& s, int first, const Asset& a, std::span<const int> fields) {
    for (int field : fields) bindAssetField(s, first++, a, kAssetFields[field]);
    return first;
}

}  // namespace

AssetResultWriter::AssetResultWriter(Connection& connection)
    : both_(connection, "UPDATE assets SET " + assignments(kTaxFields) +
                            assignments({&kBookField, 1}) + "[assetchng] = ? WHERE rowid = ?"),
      tax_(connection,
           "UPDATE assets SET " + assignments(kTaxFields) + "[assetchng] = ? WHERE rowid = ?"),
      book_(connection, "UPDATE assets SET " + assignments({&kBookField, 1}) +
                            "[assetchng] = ? WHERE rowid = ?"),
      flag_(connection, "UPDATE assets SET [assetchng] = ? WHERE rowid = ?") {}

void AssetResultWriter::write(const Asset& a, bool taxColumns, bool bookColumns) {
    Statement& s = taxColumns ? (bookColumns ? both_ : tax_) : (bookColumns ? book_ : flag_);
    int i = taxColumns ? bindFields(s, 1, a, kTaxFields) : 1;
    if (bookColumns) i = bindFields(s, i, a, {&kBookField, 1});
    s.bind(i++, std::int64_t{a.assetChanged ? 1 : 0});
    s.bind(i, a.rowId);
    s.run();
}

AssetBasisWriter::AssetBasisWriter(Connection& connection)
    : update_(connection,
              "UPDATE assets SET " + assetColumnSql(kBasisFields, " = ?") + " WHERE rowid = ?") {}

void AssetBasisWriter::write(const Asset& a) {
    update_.bind(bindFields(update_, 1, a, kBasisFields), a.rowId);
    update_.run();
}

std::optional<Asset> findAsset(Connection& connection, std::int64_t rowId) {
    Statement query(connection,
                    "SELECT " + selectList(kRowFields) + " FROM assets WHERE rowid = ?");
    query.bind(1, rowId);
    if (!query.step()) return std::nullopt;
    Asset a;
    readAssetFields(query, a, kRowFields);
    return a;
}

Asset readAsset(Connection& connection, std::int64_t rowId) {
    auto asset = findAsset(connection, rowId);
    if (!asset) throw Error(3021, "No asset row " + std::to_string(rowId));
    return *std::move(asset);
}

std::int64_t insertAsset(Connection& connection, const Asset& a) {
    std::string marks = "?";
    for (std::size_t i = 1; i < kRowFields.size(); ++i) marks += ", ?";
    Statement s(connection,
                "INSERT INTO assets (" + assetColumnSql(kRowFields) + ") VALUES (" + marks + ")");
    bindFields(s, 1, a, kRowFields);
    s.run();
    return connection.lastInsertRowId();
}

}  // namespace czx
