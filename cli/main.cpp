// czxdprn-cli: the command-line tool. It parses its arguments, calls the
// core and prints what the core reports.
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <iostream>
#include <string>
#include <vector>

#include "base/feedback.h"
#include "base/trail.h"
#include "cli/listing.h"
#include "engine/run/run.h"
#include "store/assets.h"
#include "store/database.h"
#include "store/settings.h"

namespace {

using namespace czx;

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
    "  list                 print the tax depreciation listing of the company\n"
    "\n"
    "Options:\n"
    "  --data DIR           use the company database of DIR\n"
    "  --help               show this help\n"
    "  --version            show the program's version\n";

class ConsoleFeedback : public Feedback {
public:
    void message(std::string_view text) override { std::cout << text << '\n'; }
};

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

int fail(const std::string& message) {
    std::cerr << "czxdprn-cli: " << message << '\n';
    return 2;
}

std::string money(double amount) { return formatMoney(amount); }

int depreciate(Connection& connection, const std::vector<std::string>& options) {
    bool all = false;
    for (const auto& option : options) {
        if (option == "--all")
            all = true;
        else
            return fail("unknown option for depreciate: " + option);
    }
    if (all && !procedure("czxdprn-cli.FlagAllAssets", [&] { FlagAllAssets(connection); }))
        return 1;
    ConsoleFeedback feedback;
    RunSummary summary = DepreciateAssets(connection, feedback);
    std::cout << "Tax pass computed " << summary.taxComputed << " assets, book pass computed "
              << summary.bookComputed << " assets; tax depreciation " << money(summary.taxTotal)
              << ", book depreciation " << money(summary.bookTotal) << ".\n";
    return summary.completed ? 0 : 1;
}

int list(Connection& connection, const std::vector<std::string>& options) {
    if (!options.empty()) return fail("unknown option for list: " + options.front());
    printTaxListing(connection, std::cout);
    return 0;
}

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
                      << "." << app.revision << '\n';
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
    if (args.command != "depreciate" && args.command != "list")
        return fail("unknown command: " + args.command + " (see --help)");

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
        return fail(std::string("cannot set up the data directory: ") + e.what());
    }
    auto companyFile = dataDir / kCompanyFile;
    std::optional<Connection> connection;
    try {
        connection.emplace(Connection::open(companyFile));
        readCompany(*connection);
    } catch (const std::exception& e) {
        return fail("cannot open the company database " + companyFile.string() + ": " + e.what());
    }
    int status = args.command == "depreciate" ? depreciate(*connection, args.options)
                                              : list(*connection, args.options);
    trail::setReporter(nullptr);
    return reporter.reports > 0 && status == 0 ? 1 : status;
}
