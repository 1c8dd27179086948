#include "store/settings.h"

#include <unistd.h>

#include <cstdlib>
#include <fstream>

#include "base/trail.h"

namespace czx {
namespace {

constexpr const char* kSection = "Install";

std::filesystem::path xdgFolder(const char* variable, const char* fallback) {
    if (const char* value = std::getenv(variable); value && *value) return value;
    const char* home = std::getenv("HOME");
    return std::filesystem::path(home && *home ? home : ".") / fallback;
}

std::string trim(const std::string& text) {
    auto begin = text.find_first_not_of(" \t\r");
    if (begin == std::string::npos) return {};
    auto end = text.find_last_not_of(" \t\r");
    return text.substr(begin, end - begin + 1);
}

std::filesystem::path programDirectory() {
    std::error_code error;
    auto self = std::filesystem::read_symlink("/proc/self/exe", error);
    return error ? std::filesystem::current_path() : self.parent_path();
}

}  // namespace

Settings Settings::forUser() {
    return Settings(xdgFolder("XDG_CONFIG_HOME", ".config") / "CZXDprn" / "CZXDprn.conf");
}

Settings::Settings(std::filesystem::path file) : file_(std::move(file)) {
    load();
}

void Settings::load() {
    std::ifstream in(file_);
    std::string line, section;
    while (std::getline(in, line)) {
        line = trim(line);
        if (line.empty() || line[0] == ';' || line[0] == '#') continue;
        if (line.front() == '[' && line.back() == ']') {
            section = line.substr(1, line.size() - 2);
            continue;
        }
        auto equals = line.find('=');
        if (equals == std::string::npos) continue;
        sections_[section][trim(line.substr(0, equals))] = trim(line.substr(equals + 1));
    }
}

void Settings::save() const {
    std::filesystem::create_directories(file_.parent_path());
    auto temporary = file_;
    temporary += ".tmp";
    {
        std::ofstream out(temporary, std::ios::trunc);
        for (const auto& [section, keys] : sections_) {
            out << '[' << section << "]\n";
            for (const auto& [key, value] : keys) out << key << '=' << value << '\n';
            out << '\n';
        }
        if (!out) throw Error(75, "Path/File access error: cannot write " + temporary.string());
    }
    std::filesystem::rename(temporary, file_);
}

std::string Settings::get(const std::string& key) const {
    auto section = sections_.find(kSection);
    if (section == sections_.end()) return {};
    auto value = section->second.find(key);
    return value == section->second.end() ? std::string{} : value->second;
}

bool Settings::has(const std::string& key) const {
    auto section = sections_.find(kSection);
    return section != sections_.end() && section->second.count(key) > 0;
}

void Settings::set(const std::string& key, const std::string& value) {
    sections_[kSection][key] = value;
    save();
}

std::filesystem::path shippedDataDirectory() {
    return shippedDataDirectory(programDirectory());
}

std::filesystem::path shippedDataDirectory(const std::filesystem::path& programDirectory) {
    const std::filesystem::path candidates[] = {
        programDirectory.parent_path() / "data",
        (programDirectory / CZX_DATA_FROM_BIN).lexically_normal(),
    };
    for (const auto& folder : candidates)
        if (std::filesystem::exists(folder / kCompanyFile)) return folder;
    return CZX_SHARE_DIR;
}

void copyShippedFiles(const std::filesystem::path& directory) {
    std::filesystem::create_directories(directory);
    auto source = shippedDataDirectory();
    for (const char* name : {kCompanyFile, kCatalogueFile, kTemplateFile}) {
        if (std::filesystem::exists(directory / name)) continue;
        if (!std::filesystem::exists(source / name)) continue;
        std::filesystem::copy_file(source / name, directory / name);
    }
}

std::string prepareDataDirectory(Settings& settings) {
    const std::string perUser =
        (xdgFolder("XDG_DATA_HOME", ".local/share") / "CZXDprn").string() + "/";
    std::string path = settings.get(setting::kNewpath);
    if (path.empty()) {
        path = perUser;
        settings.set(setting::kShowSplash, "True");
        settings.set(setting::kNewpath, path);
    }
    // The per-user folder is ours: the shipped files are put back when missing.
    if (path == perUser) copyShippedFiles(path);
    if (path.back() != '/') path += '/';
    return path;
}

}  // namespace czx
