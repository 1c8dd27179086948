// czxdprn-cli: the command-line tool. It parses its arguments, calls the
// core and prints what the core reports.
#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <iostream>
#include <string>
#include <vector>

#include "base/feedback.h"
#include "base/money.h"
#include "base/trail.h"
#include "cli/cli.h"
#include "engine/run/run.h"
#include "engine/tables/federal_law.h"
#include "store/assets.h"
#include "store/close_year.h"
#include "store/company_files.h"
#include "store/database.h"
#include "store/report.h"
#include "store/settings.h"

namespace {

using namespace czx;
using cli::ConsoleFeedback;
using cli::fail;
using cli::failure;
using cli::kFailed;
using cli::localToday;

constexpr const char* kUsage =
    "Usage: czxdprn-cli [--data DIR] COMMAND [OPTIONS]\n"
    "\n"
    "Fixed-asset depreciation for the company in DIR/czxdprnd.mdb (default: the\n"
    "data directory of the settings, set up on first start).\n"
    "\n"
    "Commands:\n"
    "  depreciate [--all]   compute the current fiscal year's tax and book\n"
    "                       depreciation of the changed assets (--all: of every\n"
    "                       asset), print the warnings and the totals\n"
    "  report tax|book [--format text|csv] [--output FILE] [--as-of M/D/YYYY]\n"
    "                       print the tax or book depreciation report: the\n"
    "                       assets by group with group and grand totals, as of\n"
    "                       today (or the date given), to FILE or the terminal\n"
    "  report 4562 [--carryover AMOUNT] [--income-limit AMOUNT]\n"
    "              [--format text|csv] [--output FILE]\n"
    "                       print the Form 4562 worksheet of the tax year, line\n"
    "                       by line with the assets behind each line (--carryover:\n"
    "                       last year's disallowed Section 179 expense;\n"
    "                       --income-limit: the business income limitation,\n"
    "                       not limited when not given)\n"
    "  report projection [--years N] [--format text|csv] [--output FILE]\n"
    "                       print each asset's tax and book depreciation in the\n"
    "                       next N fiscal years (default 5, at most 50), as the\n"
    "                       runs and closes of those years would store it, by\n"
    "                       group with totals; the company is not changed\n"
    "  close-year --yes     close the fiscal year: add the current depreciation\n"
    "                       to the accumulated depreciation, zero the current\n"
    "                       amounts and overrides, move the year end on a year\n"
    "                       (without --yes: show the question, change nothing)\n"
    "  save-company FILE    save the company into a new company file FILE made\n"
    "                       from the blank template (an existing FILE is replaced;\n"
    "                       the program's own database files, and anything that is\n"
    "                       not a regular file, are refused)\n"
    "  copy-company FILE    replace the company by the company of FILE (a company\n"
    "                       file of this or an earlier layout, holding one\n"
    "                       company); its groups are added to the group list\n"
    "  delete-all-assets --yes\n"
    "                       delete every asset of the company (without --yes:\n"
    "                       show the question, change nothing)\n"
    "  export FILE          write the asset register to the CSV file FILE: a\n"
    "                       header row of the 36 column names, a row per asset\n"
    "  import FILE [--dry-run] [--create-groups]\n"
    "                       add the assets of the CSV file FILE, whose header\n"
    "                       row names the columns; every row is checked first,\n"
    "                       and one wrong row imports nothing (--dry-run: check\n"
    "                       only; --create-groups: create groups the list lacks)\n"
    "\n"
    "Options:\n"
    "  --data DIR           use the company database of DIR\n"
    "  --help               show this help\n"
    "  --version            show the program's version\n"
    "\n"
    "Exit status: 0 when the command did its work, 1 when it failed or was not\n"
    "confirmed, 2 for a wrong command line.\n";

class ConsoleReporter : public ErrorReporter {
  public:
    void showErrorReport(const std::string& text) override {
        std::string plain;
        for (char c : text)
            if (c != '\r') plain += c;
        std::cerr << plain;
        ++reports;
    }
    int reports = 0;
};

struct Arguments {
    std::string dataDir;
    std::string command;
    std::vector<std::string> options;
};

std::string money(double amount) {
    return money::format(amount);
}

int depreciate(Connection& connection, const std::vector<std::string>& options) {
    bool all = false;
    for (const auto& option : options) {
        if (option == "--all")
            all = true;
        else
            return fail("unknown option for depreciate: " + option);
    }
    ConsoleFeedback feedback;
    RunSummary summary = depreciateAssets(connection, feedback, all);
    // A run that was not committed wrote nothing: there is nothing to total.
    if (!summary.committed) return kFailed;
    YearTotals totals;
    if (!runStep([&] { totals = yearTotals(connection, readCompany(connection)); })) return kFailed;
    std::cout << "Tax pass computed " << summary.taxComputed << " assets, book pass computed "
              << summary.bookComputed << " assets; tax depreciation " << money(totals.tax)
              << ", book depreciation " << money(totals.book) << ".\n";
    return summary.completed ? 0 : kFailed;
}

// The commands that change the whole company ask first; on the command line
// the answer Yes is the option --yes.
bool confirmed(const std::vector<std::string>& options, const char* command, const char* title,
               const char* question, int& status) {
    bool yes = false;
    for (const auto& option : options) {
        if (option == "--yes") {
            yes = true;
        } else {
            status = fail(std::string("unknown option for ") + command + ": " + option);
            return false;
        }
    }
    if (!yes) {
        std::cout << title << "\n"
                  << question << "\n"
                  << "Nothing was changed. Run `czxdprn-cli " << command
                  << " --yes` to answer Yes.\n";
        status = 1;
    }
    return yes;
}

int closeYearCommand(Connection& connection, const std::vector<std::string>& options) {
    int status = 0;
    if (!confirmed(options, "close-year", kCloseYearTitle, kCloseYearQuestion, status))
        return status;
    CloseYearResult result;
    if (!procedure("Calcform.mnuCloseYR_Click", [&] { result = closeYear(connection); }))
        return kFailed;
    std::cout << "Closed the year: " << result.assetsClosed
              << " assets rolled into accumulated depreciation; the year end is now "
              << shortDate(result.newYearEnd) << ".\n";
    return 0;
}

int deleteAllAssetsCommand(Connection& connection, const std::vector<std::string>& options) {
    int status = 0;
    if (!confirmed(options, "delete-all-assets", kDeleteAllTitle, kDeleteAllQuestion, status))
        return status;
    std::int64_t deleted = 0;
    if (!procedure("Calcform.mnuDelete_Click", [&] { deleted = deleteAllAssets(connection); }))
        return kFailed;
    std::cout << "Deleted " << deleted << " assets.\n";
    return 0;
}

int saveCompanyCommand(Connection& connection, const std::filesystem::path& dataDir,
                       const std::vector<std::string>& options) {
    if (options.size() != 1 || options.front().empty() || options.front().rfind("--", 0) == 0)
        return fail("save-company needs one FILE");
    const std::filesystem::path target = options.front();
    std::int64_t assets = 0;
    std::string name;
    if (!procedure("Savefrm.Copycmd_Click", [&] {
            name = readCompany(connection).name;
            assets = saveCompanyToDisk(connection, name, templateFileFor(dataDir), target);
        }))
        return kFailed;
    std::cout << "Saved " << name << " (" << assets << " assets) to " << target.string() << ".\n";
    return 0;
}

int copyCompanyCommand(Connection& connection, const std::vector<std::string>& options) {
    if (options.size() != 1 || options.front().rfind("--", 0) == 0)
        return fail("copy-company needs one FILE");
    if (options.front().empty()) return fail(kChooseFileMessage);
    const std::filesystem::path source = options.front();
    // As in the desktop's copy window: the file's company is shown when the
    // file is chosen, then copied.
    if (!procedure("Copyfrm.Form_Load", [&] {
            CompanyFileInfo info = inspectCompanyFile(source);
            std::cout << "Copying " << (info.name.empty() ? "(no name)" : info.name)
                      << ", current year end "
                      << (info.yearEnd ? paddedDate(*info.yearEnd) : std::string("(none)"))
                      << ", from " << source.string() << " (" << layoutName(info.layout)
                      << " layout).\n";
        }))
        return kFailed;
    CopyResult result;
    if (!procedure("Copyfrm.Copy", [&] { result = copyCompanyFromDisk(connection, source); }))
        return kFailed;
    std::cout << "Copied " << result.assets << " assets";
    if (result.groupsCopied)
        std::cout << " and appended " << result.groups << " groups";
    else
        std::cout << "; the file has no groups, the group list is unchanged";
    std::cout << ".\n";
    return 0;
}

// The reports that are not a list of the year by group take their own
// options; their name comes first.
struct OtherReport {
    const char* name;
    int (*run)(Connection& connection, const std::vector<std::string>& options);
};
const OtherReport kOtherReports[] = {
    {"4562", cli::form4562Command},
    {"projection", cli::projectionCommand},
};

int reportCommand(Connection& connection, const std::vector<std::string>& options) {
    for (const auto& other : kOtherReports)
        if (other.run && !options.empty() && options.front() == other.name)
            return other.run(connection, {options.begin() + 1, options.end()});
    std::optional<ReportKind> kind;
    cli::ReportOutput output;
    Date asOf = localToday();
    for (size_t i = 0; i < options.size(); ++i) {
        const std::string& option = options[i];
        std::string value;
        if (!kind && (option == "tax" || option == "book")) {
            kind = option == "tax" ? ReportKind::Tax : ReportKind::Book;
        } else if (auto read = output.read(options, i)) {
            if (*read) return *read;
        } else if (option == "--as-of") {
            auto date = cli::optionValue(options, i, value) ? parseUsDate(value) : std::nullopt;
            if (!date) return fail("--as-of takes a date M/D/YYYY");
            asOf = *date;
        } else {
            return fail("unknown option for report: " + option);
        }
    }
    if (!kind) return fail("report needs tax or book");
    const char* name =
        *kind == ReportKind::Tax ? "Calcform.mnuTaxReport_Click" : "Calcform.mnuBookReport_Click";
    bool ok = procedure(name, [&] {
        cli::writeOutput(output.file, [&](std::ostream& out) {
            if (output.csv)
                writeReportCsv(connection, *kind, asOf, out);
            else
                writeReportText(connection, *kind, asOf, out);
        });
    });
    return output.finish(ok, "report");
}

// The commands, in the order of the usage.
const cli::Command kCommands[] = {
    {"depreciate", [](Connection& c, const auto&, const auto& o) { return depreciate(c, o); }},
    {"report", [](Connection& c, const auto&, const auto& o) { return reportCommand(c, o); }},
    {"close-year",
     [](Connection& c, const auto&, const auto& o) { return closeYearCommand(c, o); }},
    {"save-company", saveCompanyCommand},
    {"copy-company",
     [](Connection& c, const auto&, const auto& o) { return copyCompanyCommand(c, o); }},
    {"delete-all-assets",
     [](Connection& c, const auto&, const auto& o) { return deleteAllAssetsCommand(c, o); }},
    {"export", [](Connection& c, const auto&, const auto& o) { return cli::exportCommand(c, o); }},
    {"import", cli::importCommand},
};

}  // namespace

int main(int argc, char** argv) {
    Arguments args;
    for (int i = 1; i < argc; ++i) {
        std::string arg = argv[i];
        if (arg == "--help" || arg == "-h") {
            std::cout << kUsage;
            return 0;
        }
        if (arg == "--version") {
            AppIdentity app;
            std::cout << "czxdprn-cli (" << app.title << ") " << app.major << "." << app.minor
                      << "." << app.revision << '\n'
                      << law::knownLaw() << '\n';
            return 0;
        }
        if (args.command.empty() && arg == "--data") {
            if (++i == argc) return fail("--data needs a directory");
            args.dataDir = argv[i];
        } else if (args.command.empty() && arg.rfind("--data=", 0) == 0) {
            args.dataDir = arg.substr(7);
        } else if (args.command.empty()) {
            args.command = arg;
        } else {
            args.options.push_back(arg);
        }
    }
    if (args.command.empty()) {
        std::cerr << kUsage;
        return 2;
    }
    const cli::Command* command = nullptr;
    for (const auto& c : kCommands)
        if (args.command == c.name) command = &c;
    if (!command) return fail("unknown command: " + args.command + " (see --help)");

    ConsoleReporter reporter;
    trail::setReporter(&reporter);
    std::filesystem::path dataDir;
    try {
        if (args.dataDir.empty()) {
            Settings settings = Settings::forUser();
            dataDir = prepareDataDirectory(settings);
        } else {
            dataDir = args.dataDir;
        }
    } catch (const std::exception& e) {
        return failure(std::string("cannot set up the data directory: ") + e.what());
    }
    auto companyFile = dataDir / kCompanyFile;
    std::optional<Connection> connection;
    try {
        connection.emplace(Connection::open(companyFile));
        readCompany(*connection);
    } catch (const std::exception& e) {
        return failure("cannot open the company database " + companyFile.string() + ": " +
                       e.what());
    }
    int status = command->run(*connection, dataDir, args.options);
    trail::setReporter(nullptr);
    return reporter.reports > 0 && status == 0 ? kFailed : status;
}
