// czxdprn-cli report projection: the company's depreciation in the coming
// fiscal years, as the runs and closes of those years would store it.
#include <iostream>

#include "base/trail.h"
#include "cli/cli.h"
#include "engine/projection/projection.h"
#include "engine/projection/projection_report.h"

namespace czx::cli {

int projectionCommand(Connection& connection, const std::vector<std::string>& options) {
    int years = 5;
    ReportOutput output;
    for (size_t i = 0; i < options.size(); ++i) {
        const std::string& option = options[i];
        std::string value;
        if (option == "--years") {
            // Whole years only: "3" but not "3.5", "03x" or "+3".
            const bool read = optionValue(options, i, value) && !value.empty() &&
                              value.size() <= 2 &&
                              value.find_first_not_of("0123456789") == std::string::npos;
            years = read ? std::stoi(value) : 0;
            if (years < 1 || years > kMaxProjectionYears)
                return fail("--years takes a number of years from 1 to " +
                            std::to_string(kMaxProjectionYears));
        } else if (auto read = output.read(options, i)) {
            if (*read) return *read;
        } else {
            return fail("unknown option for report projection: " + option);
        }
    }
    const Date today = localToday();
    bool ok = procedure("Calcform.mnuProjection_Click", [&] {
        writeOutput(output.file, [&](std::ostream& out) {
            if (output.csv)
                writeProjectionCsv(connection, years, out);
            else
                writeProjectionText(connection, years, today, out);
        });
    });
    return output.finish(ok, "projection");
}

}  // namespace czx::cli
