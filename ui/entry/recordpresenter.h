#pragma once
// What a window that shows one record at a time does with its records,
// without the window: the browse, edit and add states, and the moves between
// records. A move never leaves a changed record behind unsettled: the window
// first settles it (stores it after asking, or drops it) and checks it, and a
// refusal keeps the record on screen. The windows show what the presenter
// holds and forward what the user does.
#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

#include "store/asset_source.h"

namespace czx::ui {

// The rows a presenter walks: the assets of a company, the keys of another
// repository's rows, or a fake in the tests. A bookmark is a row's key.
class RecordSource {
  public:
    virtual ~RecordSource() = default;
    virtual long count() const = 0;
    virtual bool bof() const = 0;
    virtual bool eof() const = 0;
    virtual bool hasCurrent() const = 0;
    virtual void moveFirst() = 0;
    virtual void moveLast() = 0;
    virtual void moveNext() = 0;
    virtual void movePrevious() = 0;
    // 1 for the first row; out of range stands before the first or past the last.
    virtual void setAbsolutePosition(long position) = 0;
    virtual Bookmark bookmark() const = 0;
    virtual void setBookmark(Bookmark mark) = 0;
    // Starts a new row; cancelUpdate drops it, or the changes of the current row.
    virtual void addNew() = 0;
    virtual void cancelUpdate() = 0;
};

// The assets of a company as the presenter's source.
class AssetRecordSource final : public RecordSource {
  public:
    explicit AssetRecordSource(AssetSource& set) : set_(set) {}
    long count() const override { return set_.count(); }
    bool bof() const override { return set_.bof(); }
    bool eof() const override { return set_.eof(); }
    bool hasCurrent() const override { return set_.hasCurrent(); }
    void moveFirst() override { set_.moveFirst(); }
    void moveLast() override { set_.moveLast(); }
    void moveNext() override { set_.moveNext(); }
    void movePrevious() override { set_.movePrevious(); }
    void setAbsolutePosition(long position) override { set_.setAbsolutePosition(position); }
    Bookmark bookmark() const override { return set_.bookmark(); }
    void setBookmark(Bookmark mark) override { set_.setBookmark(mark); }
    void addNew() override { set_.addNew(); }
    void cancelUpdate() override { set_.cancelUpdate(); }

  private:
    AssetSource& set_;
};

// Row keys read from a repository as the presenter's source: a position in
// them (-1 before the first, count() past the last), the key as bookmark. The
// window reads and writes the rows through the repository; the source only
// walks the keys and says when it moved.
class KeyListSource final : public RecordSource {
  public:
    // The keys to walk, standing on the first; `moved` is not told.
    void setKeys(std::vector<std::int64_t> keys);
    // The keys read again; stands on the first and tells `moved`.
    void resetKeys(std::vector<std::int64_t> keys);
    // A row that was added: its key goes last and the source stands on it.
    void append(std::int64_t key);
    // The current row was deleted: its key goes, the source stands on the
    // row that followed it (or past the end) and tells `moved`.
    void eraseCurrent();

    long count() const override { return static_cast<long>(keys_.size()); }
    bool bof() const override { return position_ < 0 || keys_.empty(); }
    bool eof() const override { return position_ >= count() || keys_.empty(); }
    bool hasCurrent() const override { return !bof() && !eof(); }
    bool adding() const { return adding_; }
    // 1 for the first row; 0 when the source stands on no row.
    long absolutePosition() const { return hasCurrent() ? position_ + 1 : 0; }
    void moveFirst() override { goTo(keys_.empty() ? -1 : 0); }
    void moveLast() override { goTo(keys_.empty() ? -1 : count() - 1); }
    void moveNext() override { goTo(position_ + 1); }
    void movePrevious() override { goTo(position_ - 1); }
    void setAbsolutePosition(long position) override { goTo(position - 1); }
    Bookmark bookmark() const override;
    void setBookmark(Bookmark mark) override;
    void addNew() override { adding_ = true; }
    void cancelUpdate() override { adding_ = false; }

    std::function<void()> moved;

  private:
    void goTo(long position);

    std::vector<std::int64_t> keys_;
    long position_ = -1;
    bool adding_ = false;
};

enum class RecordMode { Browsing, Editing, Adding };
enum class RecordMove { First, Previous, Next, Last };

class RecordPresenter {
  public:
    // What the window does around a move. Each may be left empty.
    struct Hooks {
        // Typing on screen not yet stored is stored (after the record check)
        // or dropped; false keeps the record on screen.
        std::function<bool()> settle;
        // The typing goes into the row and the row passes the record check;
        // false (the warning shown) keeps the record on screen.
        std::function<bool()> check;
        // A move ran past the first or the last record and stopped there.
        std::function<void()> bumped;
    };

    RecordPresenter() = default;
    explicit RecordPresenter(Hooks hooks) : hooks_(std::move(hooks)) {}

    // The rows to walk; null while the window has none open.
    void attach(RecordSource* source) { source_ = source; }
    bool attached() const { return source_ != nullptr; }

    RecordMode mode() const { return mode_; }
    bool browsing() const { return mode_ == RecordMode::Browsing; }
    bool editing() const { return mode_ == RecordMode::Editing; }
    bool adding() const { return mode_ == RecordMode::Adding; }

    // The record on screen was changed by a command (a flag set, a choice
    // made) rather than typed into a field.
    bool changed() const { return changed_; }
    void markChanged() { changed_ = true; }
    void clearChanged() { changed_ = false; }

    // The moves of the record bar, the keys and the asset list. Each settles
    // and checks the record on screen first; false when it stays. Running
    // past an end stops on the first or the last record.
    bool move(RecordMove where);
    // `position` counts from 1; one out of range stops at the nearer end.
    bool moveTo(long position);
    bool moveToBookmark(Bookmark mark);

    // Add remembers the record it leaves, for Cancel to return to.
    void beginAdd();
    void beginEdit() { mode_ = RecordMode::Editing; }
    // The new or edited record was stored: back to browsing, a new record
    // shown as the last one. True when it was a new record.
    bool saved();
    // The record is dropped: back to the record shown before Add, or the
    // first one.
    void cancel();
    // The rows changed underneath (a refresh, a reopen): any add or edit ends
    // with nothing to return to.
    void abandon();

  private:
    bool leave();

    Hooks hooks_;
    RecordSource* source_ = nullptr;
    RecordMode mode_ = RecordMode::Browsing;
    bool changed_ = false;
    std::optional<Bookmark> savedBookmark_;
};

}  // namespace czx::ui
