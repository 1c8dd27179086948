#include "store/catalogue.h"

#include "store/database.h"

namespace czx {

std::vector<std::string> catalogueEntries(const std::filesystem::path& file,
                                          const std::string& table, const std::string& column) {
    Connection connection = Connection::open(file);
    Statement query = connection.prepare("SELECT " + bracket(column) + " FROM " + bracket(table));
    std::vector<std::string> entries;
    while (query.step()) {
        if (query.isNull(0)) continue;
        std::string entry = query.columnText(0);
        if (entry.find_first_not_of(" \t\r\n") == std::string::npos) continue;
        entries.push_back(std::move(entry));
    }
    return entries;
}

}  // namespace czx
