#include "tests/support/cli_run.h"

#include <sys/wait.h>

#include <cstdlib>

namespace czx::testing {

namespace fs = std::filesystem;

namespace {

// `text` in single quotes for the shell, a quote in it as '\''.
std::string shellQuoted(const std::string& text) {
    std::string quoted = "'";
    for (char c : text) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return quoted + "'";
}

}  // namespace

void CliCompany::SetUp() {
    fs::create_directories(data());
    for (const char* name : {"czxdprnd.mdb", "czxblank.mdb"})
        fs::copy_file(builtDataFile(name), data() / name);
}

CliOutcome CliCompany::run(const std::vector<std::string>& arguments, const std::string& limits) {
    std::string command =
        limits + shellQuoted(CZX_CLI_PATH) + " --data " + shellQuoted(data().string());
    for (const auto& a : arguments) command += " " + shellQuoted(a);
    command += " >" + shellQuoted((dir / "out.txt").string()) + " 2>" +
               shellQuoted((dir / "err.txt").string());
    const int raw = std::system(command.c_str());
    return {WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, readFile(dir / "out.txt"),
            readFile(dir / "err.txt")};
}

}  // namespace czx::testing
