#include "store/assets.h"

#include <charconv>

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
std::string checkSelectList() {
    std::string list = "rowid";
    for (auto name : {col::PlacedInService, col::YRPIS, col::MethodTax, col::LifeTax, col::CostTax,
                      col::ItcAdjustment, col::BusUseTax, col::Sec179, col::Bonus, col::CostLessItc,
                      col::PostSecBasis, col::PriorAccumTax, col::CurrentTax, col::CostBook,
                      col::PriorAccumBook, col::CurrentBook})
        list += ", " + bracket(name);
    return list;
}

// Each reader asks SQLite for the column's kind once, then for the value.
std::optional<Date> readDate(const Statement& s, int i) {
    if (s.columnKind(i) == Statement::Kind::Null) return std::nullopt;
    return parseIsoDate(s.columnTextView(i));
}

Money readMoney(const Statement& s, int i) {
    switch (s.columnKind(i)) {
        case Statement::Kind::Null:
            return std::nullopt;
        case Statement::Kind::Integer:
        case Statement::Kind::Real:
            return s.columnDouble(i);
        default:
            return asNumber(Value(s.columnText(i)));  // the empty text is empty too
    }
}

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

std::string readText(const Statement& s, int i) {
    return s.columnText(i);
}

// Reads a row selected with assetSelectList() into `a`.
void readRow(const Statement& s, Asset& a) {
    int i = 0;
    a.rowId = s.columnInt(i++);
    a.companyNumber = s.columnInt(i++);
    a.groupName = readText(s, i++);
    a.description = readText(s, i++);
    a.placedInService = readDate(s, i++);
    a.disposed = readDate(s, i++);
    a.methodTax = readText(s, i++);
    a.midQrtAsset = readText(s, i++);
    a.lifeTax = readText(s, i++);
    a.methodBook = readText(s, i++);
    a.lifeBook = readText(s, i++);
    a.costTax = readMoney(s, i++);
    a.costBook = readMoney(s, i++);
    a.sec179 = readMoney(s, i++);
    a.bonus = readMoney(s, i++);
    a.postSecBasis = readMoney(s, i++);
    a.post30Basis = readMoney(s, i++);
    a.priorAccumTax = readMoney(s, i++);
    a.currentTax = readMoney(s, i++);
    a.priorAccumBook = readMoney(s, i++);
    a.currentBook = readMoney(s, i++);
    a.yrpis = readDate(s, i++);
    a.busUseTax = readMoney(s, i++);
    a.busUseBook = readMoney(s, i++);
    a.nonBusDprn = readMoney(s, i++);
    a.priorNonBusAccum = readMoney(s, i++);
    a.listedProperty = readBool(s, i++);
    a.passengerAuto = readBool(s, i++);
    a.line24eBasis = readMoney(s, i++);
    a.bookOverride = readBool(s, i++);
    a.taxOverride = readBool(s, i++);
    a.itcAdjustment = readMoney(s, i++);
    a.salvageBook = readMoney(s, i++);
    a.costLessItc = readMoney(s, i++);
    a.assetChanged = readBool(s, i++);
    a.salvageTax = readMoney(s, i++);
    a.truckVanBonus = readBool(s, i++);
}

void readCheckRow(const Statement& s, Asset& a) {
    int i = 0;
    a.rowId = s.columnInt(i++);
    a.placedInService = readDate(s, i++);
    a.yrpis = readDate(s, i++);
    a.methodTax = readText(s, i++);
    a.lifeTax = readText(s, i++);
    a.costTax = readMoney(s, i++);
    a.itcAdjustment = readMoney(s, i++);
    a.busUseTax = readMoney(s, i++);
    a.sec179 = readMoney(s, i++);
    a.bonus = readMoney(s, i++);
    a.costLessItc = readMoney(s, i++);
    a.postSecBasis = readMoney(s, i++);
    a.priorAccumTax = readMoney(s, i++);
    a.currentTax = readMoney(s, i++);
    a.costBook = readMoney(s, i++);
    a.priorAccumBook = readMoney(s, i++);
    a.currentBook = readMoney(s, i++);
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

std::string assetQuery(const Company& company) {
    return "select * from assets where companynumber =" + std::to_string(company.number);
}

// The company is tested with a unary plus so that SQLite walks the table in
// key order instead of going through the company index (one company per file).
AssetReader::AssetReader(Connection& connection, std::int64_t companyNumber, std::string filter,
                         std::vector<Value> filterParameters, int pageSize)
    : query_(connection, "SELECT " + assetSelectList() +
                             " FROM assets WHERE +companynumber = ? AND rowid > ? " +
                             (filter.empty() ? "" : "AND (" + filter + ") ") +
                             "ORDER BY rowid LIMIT ?"),
      companyNumber_(companyNumber),
      filterParameters_(std::move(filterParameters)),
      pageSize_(pageSize) {}

bool AssetReader::next(std::vector<Asset>& page) {
    page.clear();
    query_.reset();
    query_.bind(1, companyNumber_).bind(2, lastKey_);
    int parameter = 3;
    for (const Value& v : filterParameters_) query_.bind(parameter++, v);
    query_.bind(parameter, std::int64_t{pageSize_});
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
    // The unary plus keeps SQLite on the "YRPIS" index rather than the company's.
    Statement query(connection, "SELECT " + checkSelectList() +
                                    " FROM assets WHERE +companynumber = ? AND YRPIS >= ? AND "
                                    "YRPIS < ?");
    query.bind(1, companyNumber).bind(2, std::string_view(from)).bind(3, std::string_view(to));
    Asset asset;
    while (query.step()) {
        readCheckRow(query, asset);
        visit(asset);
    }
}

AssetResultWriter::AssetResultWriter(Connection& connection)
    : update_(connection,
              "UPDATE assets SET [SecOneSevenNine] = ?, [FirstYR30%Deduction] = ?, "
              "[PostSecBasis] = ?, [Post30%DeductionBasis] = ?, [Current Dprn - Tax] = ?, "
              "[Current Dprn - Book] = ?, [Non Bus Dprn] = ?, [Line24eBasis] = ?, "
              "[Cost Less ITC Adj] = ?, [MidQrtAsset] = ?, [assetchng] = ? WHERE rowid = ?") {}

void AssetResultWriter::write(const Asset& a) {
    bindMoney(update_, 1, a.sec179);
    bindMoney(update_, 2, a.bonus);
    bindMoney(update_, 3, a.postSecBasis);
    bindMoney(update_, 4, a.post30Basis);
    bindMoney(update_, 5, a.currentTax);
    bindMoney(update_, 6, a.currentBook);
    bindMoney(update_, 7, a.nonBusDprn);
    bindMoney(update_, 8, a.line24eBasis);
    bindMoney(update_, 9, a.costLessItc);
    update_.bind(10, std::string_view(a.midQrtAsset));
    update_.bind(11, std::int64_t{a.assetChanged ? 1 : 0});
    update_.bind(12, a.rowId);
    update_.run();
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
