#pragma once
// The per-user settings store: an INI file
// $XDG_CONFIG_HOME/CZXDprn/CZXDprn.conf (default ~/.config/CZXDprn/), section
// [Install], keys "Newpath", "ShowSplash", "UpdateScreenHeight" and
// "InstructionsCopy". Both programs read and write it through this class.
#include <filesystem>
#include <map>
#include <string>

namespace czx {

class Settings {
  public:
    // The settings of this user (the file need not exist yet).
    static Settings forUser();
    explicit Settings(std::filesystem::path file);

    const std::filesystem::path& file() const { return file_; }
    // The text of a key of section [Install]; empty when absent.
    std::string get(const std::string& key) const;
    bool has(const std::string& key) const;
    // Stores a key at once (the file and its folder are created as needed).
    void set(const std::string& key, const std::string& value);

  private:
    void load();
    void save() const;
    std::filesystem::path file_;
    std::map<std::string, std::map<std::string, std::string>> sections_;
};

namespace setting {
inline constexpr const char* kNewpath = "Newpath";
inline constexpr const char* kShowSplash = "ShowSplash";
inline constexpr const char* kUpdateScreenHeight = "UpdateScreenHeight";
// The path of the copy of the IRS instructions the user downloaded and chose,
// which the instructions viewer opens (the program does not ship them).
inline constexpr const char* kInstructionsCopy = "InstructionsCopy";
}  // namespace setting

// The company's data directory, ending with "/". On first start (no
// "Newpath") it becomes the per-user data folder $XDG_DATA_HOME/CZXDprn/
// (default ~/.local/share/CZXDprn/), "ShowSplash" becomes "True", and the
// shipped database files are copied there when absent.
std::string prepareDataDirectory(Settings& settings);

// Copies each shipped database file into `directory` unless it is there.
void copyShippedFiles(const std::filesystem::path& directory);

// Where the shipped database files are, for the running program.
std::filesystem::path shippedDataDirectory();

// Where the shipped database files are for a program in `programDirectory`,
// looked for in turn: the build's data folder (<build>/cli/../data), the
// share folder of the prefix the program is installed in
// (<prefix>/bin/../share/czxdprn, so that a moved installed tree still
// works), and last the share folder of the prefix it was built for.
std::filesystem::path shippedDataDirectory(const std::filesystem::path& programDirectory);

inline constexpr const char* kCompanyFile = "czxdprnd.mdb";
inline constexpr const char* kCatalogueFile = "czxdmthd.mdb";
inline constexpr const char* kTemplateFile = "czxblank.mdb";

}  // namespace czx
