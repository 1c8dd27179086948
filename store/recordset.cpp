#include "store/recordset.h"

#include <algorithm>
#include <regex>

namespace czx {
namespace {

const std::regex kSelect(
    R"(^\s*select\s+([\s\S]+?)\s+from\s+(\[[^\]]+\]|[A-Za-z_][A-Za-z0-9_]*)([\s\S]*)$)",
    std::regex::icase);

std::string unbracket(const std::string& name) {
    if (name.size() >= 2 && name.front() == '[' && name.back() == ']')
        return name.substr(1, name.size() - 2);
    return name;
}

bool sameName(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) ==
                      std::tolower(static_cast<unsigned char>(y));
           });
}

}  // namespace

RecordSet::RecordSet(Connection& connection, std::string_view sql) : connection_(&connection) {
    std::string text(sql);
    std::smatch match;
    if (!std::regex_match(text, match, kSelect))
        throw StoreError(1, 1, "A record set needs a query of one table", text, connection.file());
    selectList_ = match[1].str();
    table_ = unbracket(match[2].str());
    keySql_ = "SELECT rowid FROM " + bracket(table_) + match[3].str();
    Statement shape(connection, "SELECT " + selectList_ + " FROM " + bracket(table_) + " LIMIT 0");
    for (int i = 0; i < shape.columnCount(); ++i) columns_.push_back(shape.columnName(i));
    open_ = true;
    loadKeys();
    goTo(keys_.empty() ? -1 : 0);
}

void RecordSet::close() {
    open_ = false;
    keys_.clear();
    current_.clear();
    pending_.clear();
    position_ = -1;
}

void RecordSet::loadKeys() {
    keys_.clear();
    Statement query(*connection_, keySql_);
    while (query.step()) keys_.push_back(query.columnInt(0));
}

int RecordSet::columnIndex(std::string_view column) const {
    for (size_t i = 0; i < columns_.size(); ++i)
        if (sameName(columns_[i], column)) return static_cast<int>(i);
    throw StoreError(
        1, 1, "Item cannot be found in the collection: no column \"" + std::string(column) + "\"",
        "", connection_->file());
}

void RecordSet::loadCurrent() {
    current_.assign(columns_.size(), Value{});
    deleted_ = false;
    if (position_ < 0 || position_ >= count()) return;
    Statement row(*connection_,
                  "SELECT " + selectList_ + " FROM " + bracket(table_) + " WHERE rowid = ?");
    row.bind(1, keys_[position_]);
    if (!row.step()) {
        deleted_ = true;  // removed underneath the set; it reads as empty
        return;
    }
    for (int i = 0; i < static_cast<int>(columns_.size()); ++i) current_[i] = row.column(i);
}

void RecordSet::goTo(long position) {
    if (willMove) willMove();
    if (adding_ || !pending_.empty()) update();
    position_ = std::clamp<long>(position, -1, count());
    loadCurrent();
    if (moved) moved();
}

void RecordSet::moveFirst() {
    goTo(keys_.empty() ? -1 : 0);
}
void RecordSet::moveLast() {
    goTo(keys_.empty() ? -1 : count() - 1);
}
void RecordSet::moveNext() {
    goTo(position_ + 1);
}
void RecordSet::movePrevious() {
    goTo(position_ - 1);
}
void RecordSet::move(long rows) {
    goTo(position_ + rows);
}
void RecordSet::setAbsolutePosition(long position) {
    goTo(position - 1);
}

Bookmark RecordSet::bookmark() const {
    if (!hasCurrent())
        throw Error(3021, "Either BOF or EOF is True, or the current record has been deleted.");
    return keys_[position_];
}

void RecordSet::setBookmark(Bookmark mark) {
    auto it = std::find(keys_.begin(), keys_.end(), mark);
    if (it == keys_.end()) throw Error(3001, "The bookmark is not valid.");
    goTo(static_cast<long>(it - keys_.begin()));
}

Value RecordSet::get(std::string_view column) const {
    int index = columnIndex(column);
    if (auto it = pending_.find(index); it != pending_.end()) return it->second;
    if (!adding_ && !hasCurrent())
        throw Error(3021, "Either BOF or EOF is True, or the current record has been deleted.");
    return adding_ ? Value{} : current_[index];
}

void RecordSet::set(std::string_view column, const Value& value) {
    int index = columnIndex(column);
    if (!adding_ && !hasCurrent())
        throw Error(3021, "Either BOF or EOF is True, or the current record has been deleted.");
    pending_[index] = value;
}

bool RecordSet::changesValues() const {
    if (adding_) return true;
    if (!hasCurrent()) return false;
    for (const auto& [index, value] : pending_)
        if (value != current_[index]) return true;
    return false;
}

void RecordSet::addNew() {
    if (adding_ || !pending_.empty()) update();
    adding_ = true;
    pending_.clear();
}

void RecordSet::update() {
    if (adding_) {
        std::string names, marks;
        for (const auto& [index, value] : pending_) {
            names += (names.empty() ? "" : ", ") + bracket(columns_[index]);
            marks += marks.empty() ? "?" : ", ?";
        }
        std::string sql = pending_.empty() ? "INSERT INTO " + bracket(table_) + " DEFAULT VALUES"
                                           : "INSERT INTO " + bracket(table_) + " (" + names +
                                                 ") VALUES (" + marks + ")";
        Statement insert(*connection_, sql);
        int parameter = 1;
        for (const auto& [index, value] : pending_) insert.bind(parameter++, value);
        insert.run();
        adding_ = false;
        pending_.clear();
        keys_.push_back(connection_->lastInsertRowId());
        position_ = count() - 1;
        loadCurrent();
        return;
    }
    if (pending_.empty() || !hasCurrent()) {
        pending_.clear();
        return;
    }
    std::string assignments;
    for (const auto& [index, value] : pending_)
        assignments += (assignments.empty() ? "" : ", ") + bracket(columns_[index]) + " = ?";
    Statement write(*connection_,
                    "UPDATE " + bracket(table_) + " SET " + assignments + " WHERE rowid = ?");
    int parameter = 1;
    for (const auto& [index, value] : pending_) write.bind(parameter++, value);
    write.bind(parameter, keys_[position_]);
    write.run();
    pending_.clear();
    loadCurrent();
}

void RecordSet::cancelUpdate() {
    pending_.clear();
    if (adding_) {
        adding_ = false;
        loadCurrent();
    }
}

void RecordSet::deleteCurrent() {
    if (!hasCurrent())
        throw Error(3021, "Either BOF or EOF is True, or the current record has been deleted.");
    pending_.clear();
    connection_->execute("DELETE FROM " + bracket(table_) + " WHERE rowid = ?",
                         {Value(keys_[position_])});
    keys_.erase(keys_.begin() + position_);
    loadCurrent();
    if (moved) moved();
}

void RecordSet::requery() {
    if (adding_ || !pending_.empty()) update();
    loadKeys();
    goTo(keys_.empty() ? -1 : 0);
}

}  // namespace czx
