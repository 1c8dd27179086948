#pragma once
// A static record set over one table: the rows a query selected, walked one
// at a time. It holds the rows' keys, not the rows: the current row is read
// when the set moves onto it, so a set of a million assets opens quickly and
// costs a few megabytes.
//
// Changes are stored when the set moves off the row or is explicitly updated
// (stored-on-move). AddNew starts a new row that Update inserts.
#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "store/database.h"

namespace czx {

using Bookmark = std::int64_t;

class RecordSet {
  public:
    // Opens "select <columns> from <table> [where ...] [order by ...]".
    RecordSet(Connection& connection, std::string_view sql);

    bool isOpen() const { return open_; }
    void close();

    long count() const { return static_cast<long>(keys_.size()); }
    bool bof() const { return position_ < 0 || keys_.empty(); }
    bool eof() const { return position_ >= count() || keys_.empty(); }
    bool hasCurrent() const { return !bof() && !eof() && !deleted_; }

    void moveFirst();
    void moveLast();
    void moveNext();
    void movePrevious();
    void move(long rows);
    // 1 for the first row; 0 when the set stands on no row.
    long absolutePosition() const { return hasCurrent() ? position_ + 1 : 0; }
    void setAbsolutePosition(long position);
    Bookmark bookmark() const;
    void setBookmark(Bookmark mark);

    const std::vector<std::string>& columns() const { return columns_; }
    Value get(std::string_view column) const;
    void set(std::string_view column, const Value& value);

    void addNew();
    bool adding() const { return adding_; }
    bool changed() const { return !pending_.empty(); }
    // A pending change holds a value the row does not hold yet (or a new row
    // is being added): storing it would change what the file holds.
    bool changesValues() const;
    // Stores the pending changes of the current (or new) row.
    void update();
    void cancelUpdate();
    // Deletes the current row at once; the set then stands on the row that
    // followed it (or past the end).
    void deleteCurrent();
    // Re-reads the keys from the database and stands on the first row.
    void requery();

    // Notifications: before the current row changes, and after a move.
    std::function<void()> willMove;
    std::function<void()> moved;

  private:
    int columnIndex(std::string_view column) const;
    void goTo(long position);
    void loadCurrent();
    void loadKeys();

    Connection* connection_;
    std::string table_;
    std::string selectList_;
    std::string keySql_;
    std::vector<std::string> columns_;
    std::vector<std::int64_t> keys_;
    long position_ = -1;
    bool open_ = false;
    bool adding_ = false;
    bool deleted_ = false;
    std::vector<Value> current_;
    std::map<int, Value> pending_;
};

}  // namespace czx
