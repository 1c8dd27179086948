// The browse, edit and add states and the moves between records, without a
// window: a fake set of rows stands in for the store's assets, and the
// hooks record what the window was asked to do.
#include "ui/entry/recordpresenter.h"

#include <QTest>
#include <algorithm>
#include <functional>

using namespace czx;
using namespace czx::ui;

namespace {

// Rows 1..n, their bookmarks 100, 200, ...; position 0 stands before the
// first row and n + 1 past the last, as the asset source does.
class FakeRows final : public RecordSource {
  public:
    explicit FakeRows(long rows, long at = 1) : rows_(rows), position_(rows ? at : 0) {}

    long count() const override { return rows_; }
    bool bof() const override { return rows_ == 0 || position_ < 1; }
    bool eof() const override { return rows_ == 0 || position_ > rows_; }
    bool hasCurrent() const override { return !bof() && !eof() && !adding_; }
    void moveFirst() override { goTo(rows_ ? 1 : 0); }
    void moveLast() override { goTo(rows_); }
    void moveNext() override { goTo(position_ + 1); }
    void movePrevious() override { goTo(position_ - 1); }
    void setAbsolutePosition(long position) override { goTo(position); }
    Bookmark bookmark() const override { return position_ * 100; }
    void setBookmark(Bookmark mark) override { goTo(mark / 100); }
    void addNew() override { adding_ = true; }
    void cancelUpdate() override {
        adding_ = false;
        ++cancels;
    }

    // A new row stored by the window: the set grows by one.
    void store() {
        if (adding_) ++rows_;
        adding_ = false;
    }
    long position() const { return position_; }
    bool adding() const { return adding_; }
    int moves = 0;
    int cancels = 0;

  private:
    void goTo(long position) {
        ++moves;
        position_ = std::clamp<long>(position, 0, rows_ + 1);
    }

    long rows_;
    long position_;
    bool adding_ = false;
};

// The window's side: its answers to settle and check, and what it was asked.
struct Window {
    bool settles = true;
    bool passes = true;
    QStringList asked;
    int bumps = 0;

    RecordPresenter::Hooks hooks() {
        return {.settle =
                    [this] {
                        asked << "settle";
                        return settles;
                    },
                .check =
                    [this] {
                        asked << "check";
                        return passes;
                    },
                .bumped = [this] { ++bumps; }};
    }
};

}  // namespace

Q_DECLARE_METATYPE(RecordMove)

class RecordPresenterTest : public QObject {
    Q_OBJECT

  private Q_SLOTS:
    // Each move from a row of a set of five: where it ends, and whether it
    // ran past an end and stopped there.
    void movesStopAtTheEnds_data() {
        QTest::addColumn<long>("rows");
        QTest::addColumn<long>("from");
        QTest::addColumn<RecordMove>("move");
        QTest::addColumn<long>("to");
        QTest::addColumn<int>("bumps");
        QTest::newRow("first") << 5L << 3L << RecordMove::First << 1L << 0;
        QTest::newRow("last") << 5L << 3L << RecordMove::Last << 5L << 0;
        QTest::newRow("next") << 5L << 3L << RecordMove::Next << 4L << 0;
        QTest::newRow("previous") << 5L << 3L << RecordMove::Previous << 2L << 0;
        QTest::newRow("next from the last") << 5L << 5L << RecordMove::Next << 5L << 1;
        QTest::newRow("previous from the first") << 5L << 1L << RecordMove::Previous << 1L << 1;
        QTest::newRow("first from the first") << 5L << 1L << RecordMove::First << 1L << 0;
        QTest::newRow("last from the last") << 5L << 5L << RecordMove::Last << 5L << 0;
        QTest::newRow("next in one row") << 1L << 1L << RecordMove::Next << 1L << 1;
        QTest::newRow("next in no rows") << 0L << 0L << RecordMove::Next << 0L << 0;
        QTest::newRow("previous in no rows") << 0L << 0L << RecordMove::Previous << 0L << 0;
    }

    void movesStopAtTheEnds() {
        QFETCH(long, rows);
        QFETCH(long, from);
        QFETCH(RecordMove, move);
        QFETCH(long, to);
        QFETCH(int, bumps);
        FakeRows source(rows, from);
        Window window;
        RecordPresenter presenter(window.hooks());
        presenter.attach(&source);
        presenter.markChanged();
        QVERIFY(presenter.move(move));
        QCOMPARE(source.position(), to);
        QCOMPARE(window.bumps, bumps);
        QCOMPARE(window.asked, (QStringList{"settle", "check"}));
        QVERIFY(!presenter.changed());
    }

    // Moving to a record number stops at the nearer end when it is out of
    // range.
    void moveToANumber_data() {
        QTest::addColumn<long>("number");
        QTest::addColumn<long>("to");
        QTest::addColumn<int>("bumps");
        QTest::newRow("in range") << 4L << 4L << 0;
        QTest::newRow("the last") << 5L << 5L << 0;
        QTest::newRow("past the last") << 99L << 5L << 1;
        QTest::newRow("nought") << 0L << 1L << 1;
        QTest::newRow("negative") << -3L << 1L << 1;
    }

    void moveToANumber() {
        QFETCH(long, number);
        QFETCH(long, to);
        QFETCH(int, bumps);
        FakeRows source(5, 2);
        Window window;
        RecordPresenter presenter(window.hooks());
        presenter.attach(&source);
        QVERIFY(presenter.moveTo(number));
        QCOMPARE(source.position(), to);
        QCOMPARE(window.bumps, bumps);
    }

    // A changed record is settled and then checked before any move; a
    // refusal of either keeps the record on screen, and a record the user
    // would not settle is not checked.
    void aMoveSettlesAndChecksFirst_data() {
        QTest::addColumn<bool>("settles");
        QTest::addColumn<bool>("passes");
        QTest::addColumn<QStringList>("asked");
        QTest::newRow("settled and passed") << true << true << QStringList{"settle", "check"};
        QTest::newRow("settled, refused by the check")
            << true << false << QStringList{"settle", "check"};
        QTest::newRow("not settled") << false << true << QStringList{"settle"};
    }

    void aMoveSettlesAndChecksFirst() {
        QFETCH(bool, settles);
        QFETCH(bool, passes);
        QFETCH(QStringList, asked);
        const bool moves = settles && passes;
        using Go = std::function<bool(RecordPresenter&)>;
        const std::pair<const char*, Go> ways[] = {
            {"first", [](RecordPresenter& p) { return p.move(RecordMove::First); }},
            {"previous", [](RecordPresenter& p) { return p.move(RecordMove::Previous); }},
            {"next", [](RecordPresenter& p) { return p.move(RecordMove::Next); }},
            {"last", [](RecordPresenter& p) { return p.move(RecordMove::Last); }},
            {"number", [](RecordPresenter& p) { return p.moveTo(5); }},
            {"bookmark", [](RecordPresenter& p) { return p.moveToBookmark(500); }}};
        for (const auto& [name, go] : ways) {
            FakeRows source(5, 3);
            Window window;
            window.settles = settles;
            window.passes = passes;
            RecordPresenter presenter(window.hooks());
            presenter.attach(&source);
            presenter.markChanged();
            QVERIFY2(go(presenter) == moves, name);
            QCOMPARE(window.asked, asked);
            QVERIFY2((source.position() != 3) == moves, name);
            QCOMPARE(source.moves, moves ? 1 : 0);
            QCOMPARE(presenter.changed(), !moves);
        }
    }

    // With no rows open nothing moves and nothing is asked.
    void withoutRowsNothingMoves() {
        Window window;
        RecordPresenter presenter(window.hooks());
        QVERIFY(!presenter.attached());
        QVERIFY(!presenter.move(RecordMove::Next));
        QVERIFY(!presenter.moveTo(2));
        QVERIFY(!presenter.moveToBookmark(100));
        QVERIFY(window.asked.isEmpty());
    }

    // The asset list chooses a row only while browsing: an add or an edit
    // in progress keeps its record, without asking.
    void aChosenRowWaitsForTheEditToEnd() {
        for (bool add : {true, false}) {
            FakeRows source(5, 2);
            Window window;
            RecordPresenter presenter(window.hooks());
            presenter.attach(&source);
            add ? presenter.beginAdd() : presenter.beginEdit();
            QVERIFY(!presenter.moveToBookmark(400));
            QVERIFY(window.asked.isEmpty());
            QCOMPARE(source.moves, 0);
        }
    }

    // Add starts a new row and remembers the record it left; Cancel drops the
    // new row and returns there, or to the first record when none was shown.
    // Save ends on the new row, the last one.
    void addThenCancelOrSave_data() {
        QTest::addColumn<long>("rows");
        QTest::addColumn<long>("from");
        QTest::addColumn<bool>("save");
        QTest::addColumn<long>("to");
        QTest::newRow("cancel from the third") << 5L << 3L << false << 3L;
        QTest::newRow("cancel in an empty set") << 0L << 0L << false << 0L;
        QTest::newRow("cancel from past the end") << 5L << 6L << false << 1L;
        QTest::newRow("save") << 5L << 3L << true << 6L;
        QTest::newRow("save the first") << 0L << 0L << true << 1L;
    }

    void addThenCancelOrSave() {
        QFETCH(long, rows);
        QFETCH(long, from);
        QFETCH(bool, save);
        QFETCH(long, to);
        FakeRows source(rows, from);
        RecordPresenter presenter;
        presenter.attach(&source);
        presenter.beginAdd();
        QVERIFY(presenter.adding());
        QVERIFY(!presenter.browsing());
        QVERIFY(source.adding());
        presenter.markChanged();
        if (save) {
            source.store();
            QVERIFY(presenter.saved());
        } else {
            presenter.cancel();
            QVERIFY(!source.adding());
        }
        QVERIFY(presenter.browsing());
        QVERIFY(!presenter.changed());
        QCOMPARE(source.position(), to);
    }

    // Edit changes the mode only; Save stays on the record, Cancel drops the
    // changes and shows the first record, not one an earlier add left.
    void editThenCancelOrSave() {
        for (bool save : {true, false}) {
            FakeRows source(5, 2);
            RecordPresenter presenter;
            presenter.attach(&source);
            presenter.beginAdd();
            presenter.cancel();
            presenter.move(RecordMove::Last);
            presenter.beginEdit();
            QVERIFY(presenter.editing());
            const int cancels = source.cancels;
            if (save)
                QVERIFY(!presenter.saved());
            else
                presenter.cancel();
            QVERIFY(presenter.browsing());
            QCOMPARE(source.cancels, cancels + (save ? 0 : 1));
            QCOMPARE(source.position(), save ? 5L : 1L);
        }
    }

    // A refresh or a reopen ends an add: nothing is left to return to.
    void abandonForgetsTheRecordLeft() {
        FakeRows source(5, 4);
        RecordPresenter presenter;
        presenter.attach(&source);
        presenter.beginAdd();
        presenter.abandon();
        QVERIFY(presenter.browsing());
        source.cancelUpdate();
        presenter.beginEdit();
        presenter.cancel();
        QCOMPARE(source.position(), 1L);
    }
};

QTEST_APPLESS_MAIN(RecordPresenterTest)
#include "recordpresenter_test.moc"
