#include "store/asset_source.h"

#include <algorithm>
#include <string>

#include "store/asset_fields.h"

namespace czx {
namespace {

constexpr int kNoCurrentRecord = 3021;
constexpr int kBadBookmark = 3001;
constexpr int kItemNotFound = 3265;

[[noreturn]] void noCurrentRecord() {
    throw Error(kNoCurrentRecord,
                "Either BOF or EOF is True, or the current record has been deleted.");
}

std::uint64_t bit(int field) {
    return std::uint64_t{1} << field;
}

}  // namespace

AssetSource::AssetSource(Connection& connection, std::int64_t companyNumber)
    : repository_(connection), companyNumber_(companyNumber) {
    keys_ = repository_.keys(companyNumber_);
    position_ = keys_.empty() ? -1 : 0;
    loadCurrent();
}

int AssetSource::field(std::string_view column) {
    const int index = assetFieldIndex(column);
    if (index < 0)
        throw Error(kItemNotFound, "Item cannot be found in the collection: no column \"" +
                                       std::string(column) + "\"");
    return index;
}

void AssetSource::loadCurrent() {
    deleted_ = false;
    loaded_ = Asset{};
    if (position_ >= 0 && position_ < count()) {
        if (auto asset = repository_.find(keys_[position_]))
            loaded_ = std::move(*asset);
        else
            deleted_ = true;  // removed underneath the source; it reads as empty
    }
    edited_ = loaded_;
    setFields_ = 0;
}

void AssetSource::goTo(long position) {
    if (willMove) willMove();
    if (adding_ || setFields_ != 0) update();
    position_ = std::clamp<long>(position, -1, count());
    loadCurrent();
    if (moved) moved();
}

void AssetSource::moveFirst() {
    goTo(keys_.empty() ? -1 : 0);
}
void AssetSource::moveLast() {
    goTo(keys_.empty() ? -1 : count() - 1);
}
void AssetSource::moveNext() {
    goTo(position_ + 1);
}
void AssetSource::movePrevious() {
    goTo(position_ - 1);
}
void AssetSource::setAbsolutePosition(long position) {
    goTo(position - 1);
}

Bookmark AssetSource::bookmark() const {
    if (!hasCurrent()) noCurrentRecord();
    return keys_[position_];
}

void AssetSource::setBookmark(Bookmark mark) {
    auto it = std::find(keys_.begin(), keys_.end(), mark);
    if (it == keys_.end()) throw Error(kBadBookmark, "The bookmark is not valid.");
    goTo(static_cast<long>(it - keys_.begin()));
}

Value AssetSource::get(std::string_view column) const {
    const int index = field(column);
    if (adding_) return (setFields_ & bit(index)) ? assetValue(edited_, index) : Value{};
    if (!hasCurrent()) noCurrentRecord();
    if (edited_.unreadable & bit(index))
        return Value(repository_.storedText(keys_[position_], column));
    return assetValue(edited_, index);
}

void AssetSource::set(std::string_view column, const Value& value) {
    const int index = field(column);
    if (!adding_ && !hasCurrent()) noCurrentRecord();
    setAssetValue(edited_, index, value);
    setFields_ |= bit(index);
}

bool AssetSource::changesValues() const {
    return adding_ || (hasCurrent() && edited_ != loaded_);
}

void AssetSource::addNew() {
    if (adding_ || setFields_ != 0) update();
    adding_ = true;
    edited_ = Asset{};
    setFields_ = 0;
}

void AssetSource::update() {
    if (adding_) {
        const std::int64_t key = repository_.insert(edited_);
        adding_ = false;
        keys_.push_back(key);
        position_ = count() - 1;
        loadCurrent();
        return;
    }
    if (hasCurrent() && setFields_ != 0) {
        repository_.update(keys_[position_], loaded_, edited_, setFields_);
        loadCurrent();
        return;
    }
    edited_ = loaded_;
    setFields_ = 0;
}

void AssetSource::cancelUpdate() {
    edited_ = loaded_;
    setFields_ = 0;
    if (adding_) {
        adding_ = false;
        loadCurrent();
    }
}

void AssetSource::deleteCurrent() {
    if (!hasCurrent()) noCurrentRecord();
    repository_.remove(keys_[position_]);
    keys_.erase(keys_.begin() + position_);
    loadCurrent();
    if (moved) moved();
}

void AssetSource::requery() {
    if (adding_ || setFields_ != 0) update();
    keys_ = repository_.keys(companyNumber_);
    goTo(keys_.empty() ? -1 : 0);
}

}  // namespace czx
