#pragma once
// What every command of czxdprn-cli shares: how it says the command line was
// wrong or the work failed, the console feedback, today's date and writing
// output to a file or the terminal. Each command lives in its own file and
// is declared here.
#include <filesystem>
#include <functional>
#include <iostream>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "base/dates.h"
#include "base/feedback.h"
#include "store/database.h"

namespace czx::cli {

inline constexpr int kFailed = 1;
inline constexpr int kWrongCommandLine = 2;

// A wrong command line: the usage was not followed. Returns 2.
int fail(const std::string& message);
// A command line that was right, but the work could not be done. Returns 1.
int failure(const std::string& message);

class ConsoleFeedback : public Feedback {
  public:
    void message(std::string_view text) override { std::cout << text << '\n'; }
};

// The local calendar date.
Date localToday();

// Calls `write` with a stream into `file`, or into the terminal when `file`
// is empty. A regular file (or one a symbolic link leads to) is written
// beside itself under a temporary name and renamed over the old one when
// complete, so a write that fails (a full disk) leaves the previous file as
// it was. Anything else (a terminal, a pipe) is written directly. Failures
// are thrown: "The disk is full: <file> was not written." or a path error.
void writeOutput(const std::filesystem::path& file,
                 const std::function<void(std::ostream&)>& write);

// Reads the value of an option that takes one: the next argument, moving
// `i` on; false when there is none.
bool optionValue(const std::vector<std::string>& options, size_t& i, std::string& value);

// The options every report takes: --format text|csv and --output FILE.
struct ReportOutput {
    bool csv = false;
    std::string file;  // "" for the terminal

    // Reads options[i] and its value, moving `i` on, when it is one of the
    // two: nothing when it is neither, 0 when it was read, or the exit status
    // of a wrong command line, said on the terminal.
    std::optional<int> read(const std::vector<std::string>& options, size_t& i);
    // The exit status of a report written (`ok`) or not; a report written to
    // a file says so: "Wrote the <what> to FILE."
    int finish(bool ok, const std::string& what) const;
};

// report 4562 [--carryover AMOUNT] [--income-limit AMOUNT] [--format text|csv]
// [--output FILE]: the Form 4562 worksheet (form4562_command.cpp).
int form4562Command(Connection& connection, const std::vector<std::string>& options);

// report projection [--years N] [--format text|csv] [--output FILE]: the
// coming years' depreciation (projection_command.cpp).
int projectionCommand(Connection& connection, const std::vector<std::string>& options);

// export FILE, import FILE [--dry-run] [--create-groups]: the asset
// register as CSV (transfer_command.cpp).
int exportCommand(Connection& connection, const std::vector<std::string>& options);
int importCommand(Connection& connection, const std::filesystem::path& dataDir,
                  const std::vector<std::string>& options);

}  // namespace czx::cli

namespace czx::cli {

// A command: its name on the command line and what runs it, given the open
// company, its data directory and the arguments after the name. Returns the
// exit status.
struct Command {
    const char* name;
    int (*run)(Connection& connection, const std::filesystem::path& dataDir,
               const std::vector<std::string>& options);
};

}  // namespace czx::cli
