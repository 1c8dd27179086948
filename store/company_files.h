#pragma once
// Whole-company maintenance: saving the open company into a new file made
// from the blank template, copying a company in from another file (of the
// current or an older layout), and deleting all assets.
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>

#include "base/dates.h"
#include "store/database.h"

namespace czx {

// Texts of the windows and message boxes of these commands.
inline constexpr const char* kSaveCompanyCaption = "Copy Company To Disk";
inline constexpr const char* kSaveCompanyButton = "Start Copy";
inline constexpr const char* kCopyCompanyCaption = "Copy Company From Disk";
inline constexpr const char* kCopyCompanyButton = "Copy Company";
inline constexpr const char* kChooseFileMessage = "You must choose a file.";
inline constexpr const char* kCompanyFileFilter = "(*.mdb)|*.mdb";
inline constexpr const char* kCompanyFilePattern = "*.mdb";
inline constexpr const char* kDeleteAllTitle = "Confirm Deletion Of All Assets";
inline constexpr const char* kDeleteAllQuestion =
    "Are you sure you want to delete all of the assets?";

// The layouts of `assets` that company files have had:
//   Oldest  - no `Version` table; no "FirstYR30%Deduction",
//             "Post30%DeductionBasis" nor "Truck & Van Bonus - Tax";
//   Middle  - a `Version` table, but no "Truck & Van Bonus - Tax";
//   Current - a `Version` table and all 36 asset columns.
enum class FileLayout { Oldest, Middle, Current };
const char* layoutName(FileLayout layout);  // "oldest", "middle", "current"

// The asset columns a file of `layout` holds, as the copy lists them:
// "[companynumber],[groupname],...".
std::string assetColumnList(FileLayout layout);

// What a company file holds, for the copy window to show before copying.
struct CompanyFileInfo {
    FileLayout layout = FileLayout::Current;
    bool hasGroups = false;
    std::int64_t companies = 0;   // rows of `Defaults`; a company file holds one
    std::string name;             // first `Defaults` row; empty when none
    std::optional<Date> yearEnd;  // shown "MM/DD/YYYY"
};

// Reads the layout, the groups table and the company of a company file.
// A missing file, or one without `Defaults` and `assets`, is an error.
CompanyFileInfo inspectCompanyFile(const std::filesystem::path& file);
// The layout of the file `connection` is open on.
FileLayout detectLayout(Connection& connection);

// The blank template a save copies: the one in the data directory, else the
// one shipped with the program.
std::filesystem::path templateFileFor(const std::filesystem::path& dataDirectory);

// Writes the company named `companyName` (the name is bound as a parameter,
// so any text works) into a new file `target`: a copy of `templateFile`
// holding that company's `Defaults` row and its assets. The template's
// `groups` stay as they are. The file is built under a temporary name in the
// target's folder and renamed over `target` only when complete, so a failed
// save leaves no partial file and leaves an existing `target` untouched;
// temporary files a killed save left for the same name are removed.
//
// Refused, with nothing written: a `target` that exists but is not a
// regular file, and one that is (under any path) the open company file,
// `templateFile`, or the method catalogue, the blank template or the
// company database of the company's folder or of the template's folder.
// A full disk is told as "The disk is full: <target> was not saved."
// Returns the number of assets written. Failures are thrown.
std::int64_t saveCompanyToDisk(Connection& company, const std::string& companyName,
                               const std::filesystem::path& templateFile,
                               const std::filesystem::path& target);

struct CopyResult {
    FileLayout layout = FileLayout::Current;
    bool groupsCopied = false;
    std::int64_t assets = 0;  // asset rows copied in
    std::int64_t groups = 0;  // group rows appended
};

// Replaces company 1 of the company database by the company of `source`:
// deletes the company's assets and `Defaults` row, then inserts the
// source's `Defaults` row and every asset of the source (the layout's
// columns; the columns an older file lacks stay empty, and an empty yes/no
// column of an older file is read as No), and appends the source's groups
// when it has a `groups` table. A source whose `Defaults` does not hold
// exactly one company is refused before anything is changed. One
// transaction: on any failure the company database is exactly as it was,
// and the failure is thrown.
CopyResult copyCompanyFromDisk(Connection& company, const std::filesystem::path& source);

// Deletes every asset row of the file, and the figures a run kept about them.
// Returns the number of rows deleted.
std::int64_t deleteAllAssets(Connection& company);

}  // namespace czx
