// czxdprn-cli report 4562: the Form 4562 worksheet of the company's tax year.
#include <iostream>
#include <optional>

#include "base/money.h"
#include "base/trail.h"
#include "cli/cli.h"
#include "engine/worksheet/form4562.h"

namespace czx::cli {
namespace {

// A dollar amount of at least zero; thousands separators are allowed ("12,500.00").
std::optional<double> amountArgument(const std::string& text) {
    auto amount = money::parse(text);
    if (!amount || *amount < 0) return std::nullopt;
    return amount;
}

}  // namespace

int form4562Command(Connection& connection, const std::vector<std::string>& options) {
    Form4562Options worksheet;
    ReportOutput output;
    for (size_t i = 0; i < options.size(); ++i) {
        const std::string& option = options[i];
        std::string value;
        if (option == "--carryover" || option == "--income-limit") {
            std::optional<double> amount;
            if (optionValue(options, i, value)) amount = amountArgument(value);
            if (!amount) return fail(option + " takes an amount of at least 0");
            (option == "--carryover" ? worksheet.carryover : worksheet.incomeLimit.emplace()) =
                *amount;
        } else if (auto read = output.read(options, i)) {
            if (*read) return *read;
        } else {
            return fail("unknown option for report 4562: " + option);
        }
    }
    std::string refused;
    bool ok = procedure("Calcform.mnuForm4562_Click", [&] {
        try {
            Form4562 form = buildForm4562(connection, worksheet);
            writeOutput(output.file, [&](std::ostream& out) {
                if (output.csv)
                    renderForm4562Csv(form, out);
                else
                    renderForm4562Text(form, out);
            });
        } catch (const Refusal& e) {
            refused = e.what();
        }
    });
    if (!refused.empty()) return failure(refused);
    return output.finish(ok, "Form 4562 worksheet");
}

}  // namespace czx::cli
