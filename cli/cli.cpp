#include "cli/cli.h"

#include <cerrno>
#include <cstring>
#include <ctime>
#include <fstream>
#include <random>
#include <system_error>

#include "base/trail.h"

namespace czx::cli {

int fail(const std::string& message) {
    std::cerr << "czxdprn-cli: " << message << '\n';
    return kWrongCommandLine;
}

int failure(const std::string& message) {
    std::cerr << "czxdprn-cli: " << message << '\n';
    return kFailed;
}

Date localToday() {
    std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return Date{std::chrono::year{local.tm_year + 1900},
                std::chrono::month{static_cast<unsigned>(local.tm_mon + 1)},
                std::chrono::day{static_cast<unsigned>(local.tm_mday)}};
}

void writeOutput(const std::filesystem::path& file,
                 const std::function<void(std::ostream&)>& write) {
    if (file.empty()) {
        write(std::cout);
        std::cout.flush();
        return;
    }
    namespace fs = std::filesystem;
    std::error_code error;
    fs::path target = file;
    if (fs::is_symlink(fs::symlink_status(file, error))) {
        fs::path resolved = fs::canonical(file, error);
        if (!error) target = resolved;
    }
    const auto status = fs::status(target, error);
    const bool replace = !fs::exists(status) || fs::is_regular_file(status);
    fs::path written = target;
    if (replace) {
        std::random_device random;
        written = target.parent_path() /
                  ("." + target.filename().string() + "." + std::to_string(random()) + ".tmp");
    }
    int why = 0;
    {
        std::ofstream out(written, std::ios::binary | std::ios::trunc);
        if (!out) why = errno ? errno : EACCES;
        if (!why) {
            errno = 0;
            try {
                write(out);
            } catch (...) {
                out.close();
                if (replace) fs::remove(written, error);
                throw;
            }
            out.flush();
            if (!out) why = errno ? errno : EIO;
            out.close();
            if (!out && !why) why = errno ? errno : EIO;
        }
    }
    if (why == 0 && replace) {
        fs::rename(written, target, error);
        why = error.value();
    }
    if (why == 0) return;
    if (replace) fs::remove(written, error);
    if (why == ENOSPC) throw Error(61, "The disk is full: " + file.string() + " was not written.");
    throw Error(
        75, "Path/File access error: cannot write " + file.string() + ": " + std::strerror(why));
}

bool optionValue(const std::vector<std::string>& options, size_t& i, std::string& value) {
    if (i + 1 == options.size()) return false;
    value = options[++i];
    return true;
}

std::optional<int> ReportOutput::read(const std::vector<std::string>& options, size_t& i) {
    std::string value;
    if (options[i] == "--format") {
        if (!optionValue(options, i, value) || (value != "text" && value != "csv"))
            return fail("--format takes text or csv");
        csv = value == "csv";
        return 0;
    }
    if (options[i] != "--output") return std::nullopt;
    if (!optionValue(options, i, value) || value.empty()) return fail("--output needs a FILE");
    file = value;
    return 0;
}

int ReportOutput::finish(bool ok, const std::string& what) const {
    if (ok && !file.empty()) std::cout << "Wrote the " << what << " to " << file << ".\n";
    return ok ? 0 : kFailed;
}

}  // namespace czx::cli
