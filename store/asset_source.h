#pragma once
// The assets of one company as the asset screen walks them: their keys in
// browse order, a position in them, and the asset on screen read through
// AssetRepository. The screen reads and sets the asset's fields by column;
// what it set is stored when the source moves off the asset or is told to
// update it (stored-on-move), and a new asset is held aside until then.
//
// Only the columns set are written (even a value the asset already held:
// storing what was set always reaches the file, and a file another program
// holds is reported then). A stored value the typed row cannot hold ("$5000"
// as a cost) stays in the file, and reads as the file holds it, until the
// user replaces it.
#include <cstdint>
#include <functional>
#include <string_view>
#include <vector>

#include "store/asset_repository.h"
#include "store/database.h"
#include "store/records.h"

namespace czx {

// A row's key, kept to return to it.
using Bookmark = std::int64_t;

class AssetSource {
  public:
    // Stands on the company's first asset (past the end when it has none).
    AssetSource(Connection& connection, std::int64_t companyNumber);

    long count() const { return static_cast<long>(keys_.size()); }
    bool bof() const { return position_ < 0 || keys_.empty(); }
    bool eof() const { return position_ >= count() || keys_.empty(); }
    // False too when the asset was deleted underneath the source.
    bool hasCurrent() const { return !bof() && !eof() && !deleted_; }

    void moveFirst();
    void moveLast();
    void moveNext();
    void movePrevious();
    // 1 for the first asset; 0 when the source stands on none.
    long absolutePosition() const { return hasCurrent() ? position_ + 1 : 0; }
    void setAbsolutePosition(long position);
    Bookmark bookmark() const;
    void setBookmark(Bookmark mark);

    // A column of the asset on screen, as the file would hold it once
    // stored; a column that reads as unreadable, as the file holds it. While
    // adding, a column not set yet is empty.
    Value get(std::string_view column) const;
    void set(std::string_view column, const Value& value);

    void addNew();
    bool adding() const { return adding_; }
    // Storing would change what the file holds: an asset is being added, or
    // a column set differs from the asset as it was read.
    bool changesValues() const;
    // Stores the new asset, or the changed columns of the current one.
    void update();
    // Drops what was set; ends an add.
    void cancelUpdate();
    // Deletes the current asset at once; the source then stands on the
    // asset that followed it (or past the end).
    void deleteCurrent();
    // Reads the keys again and stands on the first asset.
    void requery();

    // Notifications: before the current asset changes, and after a move.
    std::function<void()> willMove;
    std::function<void()> moved;

  private:
    static int field(std::string_view column);
    void goTo(long position);
    void loadCurrent();

    // Reading a column's stored text changes nothing the source holds.
    mutable AssetRepository repository_;
    std::int64_t companyNumber_;
    std::vector<std::int64_t> keys_;
    long position_ = -1;
    bool adding_ = false;
    bool deleted_ = false;
    Asset loaded_;
    Asset edited_;
    // The fields set since the asset was read or Add began (bit i for
    // kAssetFields[i]).
    std::uint64_t setFields_ = 0;
};

}  // namespace czx
