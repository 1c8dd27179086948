// czxdprn-cli export and import: the asset register as a CSV file.
#include <fstream>
#include <iostream>

#include "base/trail.h"
#include "cli/cli.h"
#include "engine/transfer/register_import.h"
#include "store/register_export.h"
#include "store/settings.h"

namespace czx::cli {

int exportCommand(Connection& connection, const std::vector<std::string>& options) {
    if (options.size() != 1 || options.front().empty() || options.front().rfind("--", 0) == 0)
        return fail("export needs one FILE");
    const std::filesystem::path file = options.front();
    std::int64_t assets = 0;
    if (!procedure("Calcform.mnuExport_Click", [&] {
            writeOutput(file, [&](std::ostream& out) { assets = exportRegister(connection, out); });
        }))
        return kFailed;
    std::cout << "Exported " << assets << " assets to " << file.string() << ".\n";
    return 0;
}

int importCommand(Connection& connection, const std::filesystem::path& dataDir,
                  const std::vector<std::string>& options) {
    ImportOptions import;
    std::string file;
    for (const auto& option : options) {
        if (option == "--dry-run")
            import.dryRun = true;
        else if (option == "--create-groups")
            import.createGroups = true;
        else if (option.rfind("--", 0) == 0 || !file.empty())
            return fail("unknown option for import: " + option);
        else
            file = option;
    }
    if (file.empty()) return fail("import needs one FILE");
    std::ifstream in(file, std::ios::binary);
    if (!in) return failure("cannot read " + file);
    // The catalogue beside the company, as the desktop's pickers read it,
    // or the shipped one.
    std::filesystem::path catalogue = dataDir / kCatalogueFile;
    if (!std::filesystem::exists(catalogue)) catalogue = shippedDataDirectory() / kCatalogueFile;

    ImportResult result;
    if (!procedure("Calcform.mnuImport_Click",
                   [&] { result = importRegister(connection, catalogue, in, import); }))
        return kFailed;
    if (!result.problems.empty()) {
        bool unknownGroup = false;
        for (const auto& problem : result.problems) {
            std::cerr << problem << '\n';
            unknownGroup |= problem.find("no group is named") != std::string::npos;
        }
        std::cerr << "Nothing was imported.";
        if (unknownGroup && !import.createGroups)
            std::cerr << " (--create-groups creates the groups the list lacks.)";
        std::cerr << '\n';
        return kFailed;
    }
    std::cout << importSummary(result, import.dryRun) << '\n';
    return 0;
}

}  // namespace czx::cli
