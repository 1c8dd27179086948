#include "store/company_files.h"

#include <algorithm>
#include <cctype>
#include <chrono>
#include <random>
#include <system_error>
#include <vector>

#include "store/asset_fields.h"
#include "store/assets.h"
#include "store/columns.h"
#include "store/settings.h"

namespace czx {
namespace {

namespace fs = std::filesystem;

constexpr const char* kSourceSchema = "czx_source";
constexpr const char* kTargetSchema = "czx_target";
constexpr int kPathFileAccessError = 75;
constexpr int kDiskFull = 61;
constexpr int kNotACompanyFile = 3078;

bool sameName(std::string_view a, std::string_view b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        return std::tolower(static_cast<unsigned char>(x)) ==
               std::tolower(static_cast<unsigned char>(y));
    });
}

bool contains(const std::vector<std::string>& names, std::string_view name) {
    return std::any_of(names.begin(), names.end(),
                       [&](const std::string& n) { return sameName(n, name); });
}

// Columns of a table in `schema` (main, or an attached file).
std::vector<std::string> columnsOf(Connection& connection, std::string_view schema,
                                   std::string_view table) {
    std::vector<std::string> names;
    Statement query(connection, "SELECT name FROM pragma_table_info(?, ?) ORDER BY cid");
    query.bind(1, table).bind(2, schema);
    while (query.step()) names.push_back(query.columnText(0));
    return names;
}

// The columns of `table` that both files hold: rows copied with "SELECT *"
// are matched by column name.
std::vector<std::string> sharedColumns(Connection& connection, std::string_view into,
                                       std::string_view from, std::string_view table) {
    auto target = columnsOf(connection, into, table);
    auto source = columnsOf(connection, from, table);
    std::vector<std::string> shared;
    for (const auto& name : target)
        if (contains(source, name)) shared.push_back(name);
    if (shared.empty())
        throw Error(3265,
                    "The files have no column of table " + std::string(table) + " in common.");
    return shared;
}

// The yes/no columns the current layout declares NOT NULL. Older layouts
// let them be empty, which means No.
bool isYesNoColumn(std::string_view name) {
    for (auto yesNo :
         {col::RegularFederal, col::Book, col::MidQrtYRTax, col::ListedProperty, col::PassengerAuto,
          col::BookOverride, col::TaxOverride, col::AssetChanged, col::TruckVanBonus})
        if (sameName(name, yesNo)) return true;
    return false;
}

// "[a],[b],...": the columns an INSERT names.
template <class Names>
std::string columnList(const Names& names) {
    std::string list;
    for (const auto& name : names) {
        if (!list.empty()) list += ",";
        list += bracket(name);
    }
    return list;
}

// The same columns as a SELECT from another file reads them: an empty
// yes/no column is read as No.
template <class Names>
std::string readList(const Names& names) {
    std::string list;
    for (const auto& name : names) {
        if (!list.empty()) list += ",";
        list += isYesNoColumn(name) ? "coalesce(" + bracket(name) + ", 0)" : bracket(name);
    }
    return list;
}

std::vector<std::string_view> assetColumnNames(FileLayout layout) {
    std::vector<std::string_view> names;
    for (auto name : col::AssetColumns) {
        if (layout != FileLayout::Current && name == col::TruckVanBonus) continue;
        if (layout == FileLayout::Oldest && (name == col::Bonus || name == col::Post30Basis))
            continue;
        names.push_back(name);
    }
    return names;
}

// Attaches a file to a connection for the life of the object, as `schema`.
// SQLite attaches and detaches only outside a transaction: the transaction
// lives inside the attachment.
class Attachment {
  public:
    Attachment(Connection& connection, const std::filesystem::path& file, const char* schema)
        : connection_(connection), schema_(schema) {
        connection_.execute(std::string("ATTACH DATABASE ? AS ") + schema_, {Value(file.string())});
    }
    ~Attachment() {
        // Never throw from a destructor; a failed detach only keeps the file
        // open until the connection closes.
        if (!detached_) connection_.executeQuietly(std::string("DETACH DATABASE ") + schema_);
    }
    Attachment(const Attachment&) = delete;
    Attachment& operator=(const Attachment&) = delete;
    void detach() {
        connection_.execute(std::string("DETACH DATABASE ") + schema_);
        detached_ = true;
    }

  private:
    Connection& connection_;
    const char* schema_;
    bool detached_ = false;
};

[[noreturn]] void fileFailure(const fs::filesystem_error& e, const fs::path& target) {
    if (e.code() == std::errc::no_space_on_device)
        throw Error(kDiskFull, "The disk is full: " + target.string() + " was not saved.");
    throw Error(kPathFileAccessError, std::string("Path/File access error: ") + e.what());
}

// A save builds ".<name>.<number>.tmp" beside the target (SQLite adds
// "-journal" to it while it writes).
std::filesystem::path temporaryBeside(const std::filesystem::path& target) {
    std::random_device random;
    auto name = "." + target.filename().string() + "." + std::to_string(random()) + ".tmp";
    return target.parent_path() / name;
}

bool isTemporaryFileOf(const std::string& entry, const std::string& target) {
    const std::string prefix = "." + target + ".";
    if (entry.size() <= prefix.size() || entry.compare(0, prefix.size(), prefix) != 0) return false;
    std::string_view rest(entry);
    rest.remove_prefix(prefix.size());
    const auto digits = rest.find_first_not_of("0123456789");
    if (digits == 0 || digits == std::string_view::npos) return false;
    rest.remove_prefix(digits);
    return rest == ".tmp" || rest == ".tmp-journal";
}

// A save that was killed leaves its temporary file behind. The next save to
// the same name removes the ones nobody has written for a minute. Saves
// take no lock, so a file being written by a save running now must not be
// taken for one left behind: a save writes its file from the moment it
// starts and finishes within seconds, so a minute without a write means
// its program has gone. (Were a running save's file removed all the same,
// that save would fail with nothing replaced, and could be repeated.)
void removeStaleTemporaryFiles(const fs::path& target) {
    constexpr auto kStale = std::chrono::minutes(1);
    const auto folder = target.parent_path().empty() ? fs::path(".") : target.parent_path();
    const std::string name = target.filename().string();
    const auto now = fs::file_time_type::clock::now();
    std::error_code error;
    std::vector<fs::path> stale;
    for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
        if (!isTemporaryFileOf(it->path().filename().string(), name)) continue;
        std::error_code ignored;
        if (!it->is_regular_file(ignored)) continue;
        const auto written = fs::last_write_time(it->path(), ignored);
        if (!ignored && now - written > kStale) stale.push_back(it->path());
    }
    for (const auto& file : stale) fs::remove(file, error);
}

// A save replaces its target whole; a target the program itself lives on
// would be destroyed. Refused: anything but a regular file (a folder, a
// device, a pipe), the open company file, and the shipped database files of
// the company's folder and the template's folder, under any name that
// leads to them (another path, a symbolic or a hard link).
void refuseTarget(const Connection& company, const fs::path& templateFile, const fs::path& target) {
    std::error_code error;
    const auto status = fs::status(target, error);
    if (!fs::exists(status)) return;
    if (!fs::is_regular_file(status))
        throw Refusal(kPathFileAccessError,
                      target.string() + " is not a regular file; choose another file name.");
    struct Guarded {
        fs::path file;
        std::string what;
    };
    std::vector<Guarded> guarded = {
        {company.file(), "the open company's own file: saving onto it would destroy the company"},
        {templateFile, "the blank template new company files are made from"},
    };
    for (const fs::path& folder :
         {fs::path(company.file()).parent_path(), templateFile.parent_path()}) {
        guarded.push_back({folder / kCatalogueFile, "the program's method catalogue"});
        guarded.push_back(
            {folder / kTemplateFile, "the blank template new company files are made from"});
        guarded.push_back({folder / kCompanyFile, "the program's company database"});
    }
    for (const auto& g : guarded)
        if (fs::equivalent(target, g.file, error))
            throw Refusal(kPathFileAccessError, "The file " + target.string() + " is " + g.what +
                                                    "; choose another file name.");
}

void removeQuietly(const std::filesystem::path& file) {
    std::error_code ignored;
    std::filesystem::remove(file, ignored);
    auto journal = file;
    journal += "-journal";
    std::filesystem::remove(journal, ignored);
}

}  // namespace

const char* layoutName(FileLayout layout) {
    switch (layout) {
        case FileLayout::Oldest:
            return "oldest";
        case FileLayout::Middle:
            return "middle";
        case FileLayout::Current:
            break;
    }
    return "current";
}

std::string assetColumnList(FileLayout layout) {
    return columnList(assetColumnNames(layout));
}

FileLayout detectLayout(Connection& connection) {
    if (!connection.hasTable("Version")) return FileLayout::Oldest;
    if (!contains(connection.columnNames("assets"), col::TruckVanBonus)) return FileLayout::Middle;
    return FileLayout::Current;
}

CompanyFileInfo inspectCompanyFile(const std::filesystem::path& file) {
    Connection connection = Connection::open(file);
    if (!connection.hasTable("Defaults") || !connection.hasTable("assets"))
        throw Error(kNotACompanyFile, "The file " + file.string() + " is not a company database.");
    CompanyFileInfo info;
    info.layout = detectLayout(connection);
    info.hasGroups = connection.hasTable("groups");
    Statement count(connection, "SELECT count(*) FROM Defaults");
    count.step();
    info.companies = count.columnInt(0);
    Statement company(connection, "SELECT Name, YearEnd FROM Defaults LIMIT 1");
    if (company.step()) {
        info.name = company.columnText(0);
        if (!company.isNull(1)) info.yearEnd = parseIsoDate(company.columnTextView(1));
    }
    return info;
}

std::filesystem::path templateFileFor(const std::filesystem::path& dataDirectory) {
    auto local = dataDirectory / kTemplateFile;
    if (std::filesystem::exists(local)) return local;
    return shippedDataDirectory() / kTemplateFile;
}

std::int64_t saveCompanyToDisk(Connection& company, const std::string& companyName,
                               const std::filesystem::path& templateFile,
                               const std::filesystem::path& target) {
    refuseTarget(company, templateFile, target);
    Statement lookup(company, "SELECT [companynumber] FROM Defaults WHERE Name = ?");
    lookup.bind(1, std::string_view(companyName));
    if (!lookup.step())
        throw Error(3021, "There is no company named \"" + companyName + "\" to save.");
    const std::int64_t number = lookup.columnInt(0);
    lookup.reset();

    removeStaleTemporaryFiles(target);
    const auto temporary = temporaryBeside(target);
    std::int64_t assets = 0;
    try {
        try {
            std::filesystem::copy_file(templateFile, temporary,
                                       std::filesystem::copy_options::overwrite_existing);
        } catch (const std::filesystem::filesystem_error& e) {
            fileFailure(e, target);
        }
        {
            Attachment file(company, temporary, kTargetSchema);
            try {
                Transaction transaction(company);
                const auto defaults =
                    columnList(sharedColumns(company, kTargetSchema, "main", "Defaults"));
                company.execute(std::string("INSERT INTO ") + kTargetSchema + ".Defaults (" +
                                    defaults + ") SELECT " + defaults +
                                    " FROM main.Defaults WHERE companynumber = ?",
                                {Value(number)});
                const auto columns = assetColumnList(FileLayout::Current);
                company.execute(std::string("INSERT INTO ") + kTargetSchema + ".assets (" +
                                    columns + ") SELECT " + columns +
                                    " FROM main.assets WHERE companynumber = ?",
                                {Value(number)});
                assets = company.changes();
                transaction.commit();
            } catch (const StoreError& e) {
                // Only the new file is written: a full disk is the target's.
                if (!e.diskFull()) throw;
                throw StoreError::plain(e.code(), e.extendedCode(),
                                        "The disk is full: " + target.string() + " was not saved.",
                                        e.statement(), target.string());
            }
            file.detach();
        }
        try {
            std::filesystem::rename(temporary, target);
        } catch (const std::filesystem::filesystem_error& e) {
            fileFailure(e, target);
        }
    } catch (...) {
        removeQuietly(temporary);
        throw;
    }
    return assets;
}

CopyResult copyCompanyFromDisk(Connection& company, const std::filesystem::path& source) {
    // Reading the source first proves it is a company database, and keeps
    // ATTACH from creating an empty file for a name that does not exist.
    const CompanyFileInfo info = inspectCompanyFile(source);
    std::error_code error;
    if (std::filesystem::equivalent(source, company.file(), error))
        throw Refusal(3045, "The file " + source.string() +
                                " is the company database itself; choose another file.");
    // The company is replaced by the file's one company: a file without one
    // would leave a company database neither program can open.
    if (info.companies == 0)
        throw Refusal(kNotACompanyFile, "The file " + source.string() + " holds no company.");
    if (info.companies > 1)
        throw Refusal(kNotACompanyFile, "The file " + source.string() + " holds " +
                                            std::to_string(info.companies) +
                                            " companies; a company file holds one.");

    CopyResult result;
    result.layout = info.layout;
    Attachment file(company, source, kSourceSchema);
    {
        Transaction transaction(company);
        company.execute("DELETE FROM assets WHERE companynumber = 1");
        company.execute("DELETE FROM Defaults WHERE companynumber = 1");
        forgetYearFigures(company);
        const auto defaults = sharedColumns(company, "main", kSourceSchema, "Defaults");
        company.execute("INSERT INTO main.Defaults (" + columnList(defaults) + ") SELECT " +
                        readList(defaults) + " FROM " + kSourceSchema + ".Defaults");
        const auto columns = assetColumnNames(info.layout);
        company.execute("INSERT INTO main.assets (" + columnList(columns) + ") SELECT " +
                        readList(columns) + " FROM " + kSourceSchema + ".assets");
        result.assets = company.changes();
        if (info.hasGroups) {
            const auto groups = columnList(sharedColumns(company, "main", kSourceSchema, "groups"));
            company.execute("INSERT INTO main.groups (" + groups + ") SELECT " + groups + " FROM " +
                            kSourceSchema + ".groups");
            result.groups = company.changes();
            result.groupsCopied = true;
        }
        transaction.commit();
    }
    file.detach();
    return result;
}

std::int64_t deleteAllAssets(Connection& company) {
    Transaction transaction(company);
    company.execute("DELETE FROM assets");
    const std::int64_t deleted = company.changes();
    forgetYearFigures(company);
    transaction.commit();
    return deleted;
}

}  // namespace czx
