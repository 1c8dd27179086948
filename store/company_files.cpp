#include "store/company_files.h"

#include <sqlite3.h>

#include <algorithm>
#include <cctype>
#include <random>
#include <vector>

#include "store/columns.h"
#include "store/settings.h"

namespace czx {
namespace {

constexpr const char* kSourceSchema = "czx_source";
constexpr const char* kTargetSchema = "czx_target";
constexpr int kPathFileAccessError = 75;

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

// The columns of `table` that both files hold, bracketed and comma-separated:
// rows copied with "SELECT *" are matched by column name.
std::string sharedColumns(Connection& connection, std::string_view into, std::string_view from,
                          std::string_view table) {
    auto target = columnsOf(connection, into, table);
    auto source = columnsOf(connection, from, table);
    std::string list;
    for (const auto& name : target) {
        if (!contains(source, name)) continue;
        if (!list.empty()) list += ",";
        list += bracket(name);
    }
    if (list.empty())
        throw Error(3265,
                    "The files have no column of table " + std::string(table) + " in common.");
    return list;
}

std::int64_t changes(Connection& connection) {
    return sqlite3_changes(connection.handle());
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
        if (!detached_ && connection_.isOpen())
            sqlite3_exec(connection_.handle(), (std::string("DETACH DATABASE ") + schema_).c_str(),
                         nullptr, nullptr, nullptr);
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

[[noreturn]] void fileFailure(const std::filesystem::filesystem_error& e) {
    throw Error(kPathFileAccessError, std::string("Path/File access error: ") + e.what());
}

std::filesystem::path temporaryBeside(const std::filesystem::path& target) {
    std::random_device random;
    auto name = "." + target.filename().string() + "." + std::to_string(random()) + ".tmp";
    return target.parent_path() / name;
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
    std::string list;
    for (auto name : col::AssetColumns) {
        if (layout != FileLayout::Current && name == col::TruckVanBonus) continue;
        if (layout == FileLayout::Oldest && (name == col::Bonus || name == col::Post30Basis))
            continue;
        if (!list.empty()) list += ",";
        list += bracket(name);
    }
    return list;
}

FileLayout detectLayout(Connection& connection) {
    if (!connection.hasTable("Version")) return FileLayout::Oldest;
    if (!contains(connection.columnNames("assets"), col::TruckVanBonus)) return FileLayout::Middle;
    return FileLayout::Current;
}

CompanyFileInfo inspectCompanyFile(const std::filesystem::path& file) {
    Connection connection = Connection::open(file);
    if (!connection.hasTable("Defaults") || !connection.hasTable("assets"))
        throw Error(3078, "The file " + file.string() + " is not a company database.");
    CompanyFileInfo info;
    info.layout = detectLayout(connection);
    info.hasGroups = connection.hasTable("groups");
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
    Statement lookup(company, "SELECT [companynumber] FROM Defaults WHERE Name = ?");
    lookup.bind(1, std::string_view(companyName));
    if (!lookup.step())
        throw Error(3021, "There is no company named \"" + companyName + "\" to save.");
    const std::int64_t number = lookup.columnInt(0);
    lookup.reset();

    const auto temporary = temporaryBeside(target);
    std::int64_t assets = 0;
    try {
        try {
            std::filesystem::copy_file(templateFile, temporary,
                                       std::filesystem::copy_options::overwrite_existing);
        } catch (const std::filesystem::filesystem_error& e) {
            fileFailure(e);
        }
        {
            Attachment file(company, temporary, kTargetSchema);
            {
                Transaction transaction(company);
                const auto defaults = sharedColumns(company, kTargetSchema, "main", "Defaults");
                company.execute(std::string("INSERT INTO ") + kTargetSchema + ".Defaults (" +
                                    defaults + ") SELECT " + defaults +
                                    " FROM main.Defaults WHERE companynumber = ?",
                                {Value(number)});
                const auto columns = assetColumnList(FileLayout::Current);
                company.execute(std::string("INSERT INTO ") + kTargetSchema + ".assets (" +
                                    columns + ") SELECT " + columns +
                                    " FROM main.assets WHERE companynumber = ?",
                                {Value(number)});
                assets = changes(company);
                transaction.commit();
            }
            file.detach();
        }
        try {
            std::filesystem::rename(temporary, target);
        } catch (const std::filesystem::filesystem_error& e) {
            fileFailure(e);
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
        throw Error(3045, "The file " + source.string() +
                              " is the company database itself; choose another file.");

    CopyResult result;
    result.layout = info.layout;
    Attachment file(company, source, kSourceSchema);
    {
        Transaction transaction(company);
        company.execute("DELETE FROM assets WHERE companynumber = 1");
        company.execute("DELETE FROM Defaults WHERE companynumber = 1");
        const auto defaults = sharedColumns(company, "main", kSourceSchema, "Defaults");
        company.execute("INSERT INTO main.Defaults (" + defaults + ") SELECT " + defaults +
                        " FROM " + kSourceSchema + ".Defaults");
        const auto columns = assetColumnList(info.layout);
        company.execute("INSERT INTO main.assets (" + columns + ") SELECT " + columns + " FROM " +
                        kSourceSchema + ".assets");
        result.assets = changes(company);
        if (info.hasGroups) {
            const auto groups = sharedColumns(company, "main", kSourceSchema, "groups");
            company.execute("INSERT INTO main.groups (" + groups + ") SELECT " + groups + " FROM " +
                            kSourceSchema + ".groups");
            result.groups = changes(company);
            result.groupsCopied = true;
        }
        transaction.commit();
    }
    file.detach();
    return result;
}

std::int64_t deleteAllAssets(Connection& company) {
    company.execute("DELETE * from assets");
    return changes(company);
}

}  // namespace czx
