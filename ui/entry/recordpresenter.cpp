#include "ui/entry/recordpresenter.h"

#include <algorithm>

namespace czx::ui {

void KeyListSource::setKeys(std::vector<std::int64_t> keys) {
    keys_ = std::move(keys);
    position_ = keys_.empty() ? -1 : 0;
    adding_ = false;
}

void KeyListSource::resetKeys(std::vector<std::int64_t> keys) {
    keys_ = std::move(keys);
    adding_ = false;
    moveFirst();
}

void KeyListSource::append(std::int64_t key) {
    keys_.push_back(key);
    position_ = count() - 1;
    adding_ = false;
}

void KeyListSource::eraseCurrent() {
    if (!hasCurrent())
        throw Error(3021, "Either BOF or EOF is True, or the current record has been deleted.");
    keys_.erase(keys_.begin() + position_);
    if (moved) moved();
}

Bookmark KeyListSource::bookmark() const {
    if (!hasCurrent())
        throw Error(3021, "Either BOF or EOF is True, or the current record has been deleted.");
    return keys_[position_];
}

void KeyListSource::setBookmark(Bookmark mark) {
    auto it = std::find(keys_.begin(), keys_.end(), mark);
    if (it == keys_.end()) throw Error(3001, "The bookmark is not valid.");
    goTo(static_cast<long>(it - keys_.begin()));
}

void KeyListSource::goTo(long position) {
    position_ = std::clamp<long>(position, -1, count());
    if (moved) moved();
}

// Settle before check: the user's answer comes first, and a record the user
// chose to drop is not checked.
bool RecordPresenter::leave() {
    if (hooks_.settle && !hooks_.settle()) return false;
    if (hooks_.check && !hooks_.check()) return false;
    return true;
}

bool RecordPresenter::move(RecordMove where) {
    if (!source_ || !leave()) return false;
    RecordSource& rows = *source_;
    switch (where) {
        case RecordMove::First:
            rows.moveFirst();
            break;
        case RecordMove::Last:
            rows.moveLast();
            break;
        case RecordMove::Next:
            if (!rows.eof()) rows.moveNext();
            if (rows.eof() && rows.count() > 0) {
                if (hooks_.bumped) hooks_.bumped();
                rows.moveLast();
            }
            break;
        case RecordMove::Previous:
            if (!rows.bof()) rows.movePrevious();
            if (rows.bof() && rows.count() > 0) {
                if (hooks_.bumped) hooks_.bumped();
                rows.moveFirst();
            }
            break;
    }
    changed_ = false;
    return true;
}

bool RecordPresenter::moveTo(long position) {
    if (!source_ || !leave()) return false;
    RecordSource& rows = *source_;
    rows.setAbsolutePosition(position);
    if (rows.count() > 0 && position < 1) {
        if (hooks_.bumped) hooks_.bumped();
        rows.moveFirst();
    } else if (rows.count() > 0 && position > rows.count()) {
        if (hooks_.bumped) hooks_.bumped();
        rows.moveLast();
    }
    changed_ = false;
    return true;
}

bool RecordPresenter::moveToBookmark(Bookmark mark) {
    if (!source_ || !browsing() || !leave()) return false;
    source_->setBookmark(mark);
    changed_ = false;
    return true;
}

void RecordPresenter::beginAdd() {
    mode_ = RecordMode::Adding;
    savedBookmark_.reset();
    if (!source_) return;
    if (source_->hasCurrent()) savedBookmark_ = source_->bookmark();
    source_->addNew();
}

bool RecordPresenter::saved() {
    const bool added = adding();
    mode_ = RecordMode::Browsing;
    savedBookmark_.reset();
    changed_ = false;
    if (added && source_) source_->moveLast();
    return added;
}

void RecordPresenter::cancel() {
    mode_ = RecordMode::Browsing;
    if (!source_) return;
    source_->cancelUpdate();
    const std::optional<Bookmark> mark = std::exchange(savedBookmark_, std::nullopt);
    if (mark)
        source_->setBookmark(*mark);
    else
        source_->moveFirst();
    changed_ = false;
}

void RecordPresenter::abandon() {
    mode_ = RecordMode::Browsing;
    savedBookmark_.reset();
}

}  // namespace czx::ui
