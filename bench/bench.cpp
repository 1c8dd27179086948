// czxdprn-bench: the depreciation run against the floor of the storage it
// works on. It builds a company of N assets with varied methods and, in one
// process, times
//   (a) a full run (every asset flagged),
//   (b) an incremental run with 1 % of the assets changed,
//   (c) the floor: reading every asset row and updating the columns the run
//       writes, in every row, in one transaction with prepared statements,
//   (d) a run after one asset was edited, as Depreciate after a save.
// The timed runs follow a first run that fills the computed columns, so the
// company stands as it does in use. Then the asset list on the same company:
// opening it, a keystroke in its filter and a sort, each timed as the window
// pays it (the first page, and the count and totals when they change). Last
// the tax report against the floor of reading its rows, then a five-year
// projection against the full run, and the peak memory of each report and
// of the projection in a child process of its own. It ends with lines
// "name: value" in a fixed form so runs can be compared.
#include <malloc.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "base/feedback.h"
#include "base/money.h"
#include "base/trail.h"
#include "engine/projection/projection_report.h"
#include "engine/run/run.h"
#include "store/asset_list.h"
#include "store/assets.h"
#include "store/database.h"
#include "store/report.h"

namespace {

using namespace czx;
using Clock = std::chrono::steady_clock;

class QuietFeedback : public Feedback {
  public:
    void message(std::string_view) override { ++messages; }
    long messages = 0;
};

struct MethodMix {
    const char* taxMethod;
    const char* taxLife;
    const char* bookMethod;
    const char* bookLife;
};

constexpr MethodMix kMix[] = {
    {"MACRS", "5", "SL - Book", "5"},
    {"MACRS", "7", "DDB200%", "7"},
    {"MACRS", "39", "SL - Book", "39"},
    {"MACRS-150%", "5", "DDB150%", "5"},
    {"MACRS SL-PP", "7", "SL - Book", "7"},
    {"MACRS SL-RP", "40", "SL - Book", "40"},
    {"MACRS-Auto", "5", "SL - Book", "5"},
    {"MACRS", "27.5", "SL - Book", "27.5"},
    {"Amortization", "180", "Amortization", "180"},
    {"Non-Depreciable", "0", "Non-Depreciable", "0"},
    {"MACRS", "15", "DDB125%", "15"},
    {"MACRS", "3", "SL - Book", "3"},
};

std::string readFile(const std::filesystem::path& path) {
    std::ifstream in(path);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

std::filesystem::path schemaFile() {
    for (auto dir = std::filesystem::current_path(); !dir.empty() && dir != dir.root_path();
         dir = dir.parent_path())
        if (std::filesystem::exists(dir / "data" / "schema.sql"))
            return dir / "data" / "schema.sql";
    return CZX_SOURCE_DIR "/data/schema.sql";
}

void buildCompany(Connection& db, long assets) {
    db.execute(readFile(schemaFile()));
    db.execute("INSERT INTO Defaults VALUES (1, 'Benchmark Manufacturing', '2012-12-31', 1, 1, 0)");
    Transaction transaction(db);
    Asset a;
    a.busUseTax = 1.0;
    a.busUseBook = 1.0;
    a.itcAdjustment = a.salvageTax = a.salvageBook = 0.0;
    a.assetChanged = true;
    for (long i = 0; i < assets; ++i) {
        const MethodMix& mix = kMix[i % std::size(kMix)];
        a.description = "Asset " + std::to_string(i);
        a.methodTax = mix.taxMethod;
        a.lifeTax = mix.taxLife;
        a.methodBook = mix.bookMethod;
        a.lifeBook = mix.bookLife;
        int year = 2003 + static_cast<int>(i % 10);
        int month = 1 + static_cast<int>((i / 7) % 12);
        a.placedInService = Date{std::chrono::year{year}, std::chrono::month{unsigned(month)},
                                 std::chrono::day{unsigned(1 + i % 28)}};
        a.yrpis = Date{std::chrono::year{year}, std::chrono::December, std::chrono::day{31}};
        double cost = 1000.0 + static_cast<double>((i * 7919) % 250000);
        a.costTax = a.costBook = cost;
        a.sec179 = a.bonus = 0.0;
        a.priorAccumTax = a.priorAccumBook = 0.0;
        a.disposed.reset();
        if (i % 50 == 0)
            a.disposed = Date{std::chrono::year{2012}, std::chrono::May, std::chrono::day{15}};
        insertAsset(db, a);
    }
    transaction.commit();
}

double seconds(Clock::time_point start) {
    return std::chrono::duration<double>(Clock::now() - start).count();
}

// Processor time of this process (user and system). On a shared, busy
// machine it measures the work done far more steadily than the wall clock.
double cpuSeconds() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_utime.tv_sec + usage.ru_stime.tv_sec +
           (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

struct Timing {
    double wall;
    double cpu;
};

template <class Work>
Timing measure(Work&& work) {
    auto start = Clock::now();
    double cpuStart = cpuSeconds();
    work();
    return {seconds(start), cpuSeconds() - cpuStart};
}

// Reads every asset row and writes the columns the run writes, in pages, in
// one transaction: what any run must at least pay.
void floorWork(Connection& db) {
    Transaction transaction(db);
    AssetReader reader(db, 1);
    AssetResultWriter writer(db);
    std::vector<Asset> page;
    while (reader.next(page))
        for (Asset& a : page) {
            a.currentTax = money::value(a.currentTax) + 0.0;
            writer.write(a, true, true);
        }
    transaction.commit();
}

double milliseconds(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// The asset list's figures; each line the longest of its cases.
void listFigures(Connection& db) {
    // Existing files get the indexes once, when first opened.
    for (const char* name : {"assets_list_description", "assets_list_group", "assets_list_placed",
                             "assets_list_disposed", "assets_list_method_tax",
                             "assets_list_life_tax", "assets_list_cost_tax"})
        db.execute(std::string("DROP INDEX ") + name);
    auto start = Clock::now();
    ensureListIndexes(db);
    std::printf("list indexes ms: %.0f  (once, for a file made before the list)\n",
                milliseconds(start));

    start = Clock::now();
    PagedAssetList list(db, 1);
    list.row(0);
    const auto groups = list.groupNames();
    std::printf("list open ms: %.0f  (%lld assets, %zu groups)\n", milliseconds(start),
                static_cast<long long>(list.count()), groups.size());

    // Typing "Asset 12345" into the filter, one keystroke at a time, in the
    // order of entry and sorted by description; then a method and a word
    // found nowhere.
    double worstFilter = 0;
    for (std::optional<ListColumn> order :
         {std::optional<ListColumn>{}, std::optional<ListColumn>{ListColumn::Description}}) {
        AssetListView view;
        view.sortColumn = order;
        std::string typed;
        std::vector<std::string> texts;
        for (char c : std::string("Asset 12345")) texts.push_back(typed += c);
        texts.push_back("macrs-150");
        texts.push_back("zeppelin");
        for (const std::string& text : texts) {
            view.filter = text;
            start = Clock::now();
            list.setView(view);
            if (list.count() > 0) list.row(0);
            const double ms = milliseconds(start);
            worstFilter = std::max(worstFilter, ms);
            std::printf("  filter \"%s\"%s: %.0f ms, %lld rows\n", text.c_str(),
                        order ? " by description" : "", ms, static_cast<long long>(list.count()));
        }
    }
    std::printf("list filter ms: %.0f\n", worstFilter);

    double worstSort = 0;
    list.setView({});
    for (int c = 0; c < kListColumnCount; ++c)
        for (bool descending : {false, true}) {
            AssetListView view;
            view.sortColumn = static_cast<ListColumn>(c);
            view.descending = descending;
            start = Clock::now();
            list.setView(view);
            list.row(0);
            const double ms = milliseconds(start);
            worstSort = std::max(worstSort, ms);
            std::printf("  sort by column %d%s: %.0f ms\n", c + 1, descending ? " descending" : "",
                        ms);
        }
    std::printf("list sort ms: %.0f\n", worstSort);

    // Dragging the scroll bar: the middle, then the end, then a page on; in
    // an order read from an index and in one read from the whole company.
    double worstJump = 0;
    for (ListColumn column : {ListColumn::CostTax, ListColumn::CurrentTax}) {
        AssetListView sorted;
        sorted.sortColumn = column;
        list.setView(sorted);
        for (std::int64_t position : {list.count() / 2, list.count() - 1, list.count() / 2 + 5000,
                                      list.count() / 2 + 5000 + PagedAssetList::kPageRows}) {
            start = Clock::now();
            list.row(position);
            const double ms = milliseconds(start);
            worstJump = std::max(worstJump, ms);
            std::printf("  row %lld by column %d: %.0f ms\n", static_cast<long long>(position),
                        static_cast<int>(column) + 1, ms);
        }
    }
    std::printf("list jump ms: %.0f\n", worstJump);

    // The form moves to an asset: its row is found in the sorted list.
    start = Clock::now();
    list.positionOf(list.count() / 3);
    std::printf("list find row ms: %.0f\n", milliseconds(start));
}

long peakMemoryMiB() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss / 1024;
}

// The report's floor: its query stepped over every row and every column read
// as the report reads it, nothing built from them.
double readReportRows(Connection& db) {
    Statement query(db, reportQuery());
    query.bind(1, std::int64_t{1});
    double sum = 0;
    while (query.step())
        for (int c = 0; c < query.columnCount(); ++c)
            if (query.columnKind(c) == Statement::Kind::Text)
                sum += static_cast<double>(query.columnTextView(c).size());
            else
                sum += query.columnDouble(c);
    return sum;
}

// The peak memory, in MiB, of a child process that opens the company file
// and does `work` on it: the parent's peak includes building the company.
template <class Work>
long childPeakMiB(const std::filesystem::path& file, Work&& work) {
    std::fflush(stdout);
    const pid_t child = ::fork();
    if (child == 0) {
        Connection db = Connection::open(file);
        work(db);
        std::_Exit(0);
    }
    int status = 0;
    rusage usage{};
    if (child < 0 || ::wait4(child, &status, 0, &usage) != child || !WIFEXITED(status) ||
        WEXITSTATUS(status) != 0)
        return -1;
    return usage.ru_maxrss / 1024;
}

// The tax report as text and as CSV, each timed against reading its rows
// (processor time), and each report's peak memory measured alone.
void reportFigures(const std::filesystem::path& file) {
    const Date asOf{std::chrono::year{2013}, std::chrono::January, std::chrono::day{15}};
    // What the parent holds no longer counts against a child.
    ::malloc_trim(0);
    const long opened = childPeakMiB(file, [](Connection&) {});
    const long textPeak = childPeakMiB(file, [&](Connection& db) {
        std::ofstream out("/dev/null");
        writeReportText(db, ReportKind::Tax, asOf, out);
    });
    const long csvPeak = childPeakMiB(file, [&](Connection& db) {
        std::ofstream out("/dev/null");
        writeReportCsv(db, ReportKind::Tax, asOf, out);
    });

    Connection db = Connection::open(file);
    readReportRows(db);  // the file's pages in the cache for every timing alike
    Timing rows = measure([&] { readReportRows(db); });
    Timing text = measure([&] {
        std::ofstream out("/dev/null");
        writeReportText(db, ReportKind::Tax, asOf, out);
    });
    Timing csv = measure([&] {
        std::ofstream out("/dev/null");
        writeReportCsv(db, ReportKind::Tax, asOf, out);
    });
    std::printf("report rows read, s: %.3f\n", rows.cpu);
    std::printf("tax report text, s: %.3f\n", text.cpu);
    std::printf("ratio report text/rows read: %.2f\n", text.cpu / rows.cpu);
    std::printf("tax report csv, s: %.3f\n", csv.cpu);
    std::printf("ratio report csv/rows read: %.2f\n", csv.cpu / rows.cpu);
    std::printf("  (a child that only opens the file peaks at %ld MiB)\n", opened);
    std::printf("report text peak, MiB: %ld\n", textPeak);
    std::printf("report csv peak, MiB: %ld\n", csvPeak);
}

// A 5-year projection as text, timed (processor time) against the full run
// measured before, and its peak memory measured alone.
void projectionFigures(const std::filesystem::path& file, double fullRunCpu) {
    const Date asOf{std::chrono::year{2013}, std::chrono::January, std::chrono::day{15}};
    const long peak = childPeakMiB(file, [&](Connection& db) {
        std::ofstream out("/dev/null");
        writeProjectionText(db, 5, asOf, out);
    });
    Connection db = Connection::open(file);
    Timing projection = measure([&] {
        std::ofstream out("/dev/null");
        writeProjectionText(db, 5, asOf, out);
    });
    std::printf("projection 5 years, s: %.3f\n", projection.cpu);
    std::printf("ratio projection/full: %.2f\n", projection.cpu / fullRunCpu);
    std::printf("projection peak, MiB: %ld\n", peak);
}

}  // namespace

int main(int argc, char** argv) {
    long assets = 1'000'000;
    for (int i = 1; i < argc; ++i) {
        std::string arg = argv[i];
        if (arg == "--assets" && i + 1 < argc)
            assets = std::atol(argv[++i]);
        else if (arg == "--help") {
            std::printf("Usage: czxdprn-bench [--assets N]   (default 1,000,000)\n");
            return 0;
        } else {
            std::fprintf(stderr, "czxdprn-bench: unknown argument %s\n", arg.c_str());
            return 2;
        }
    }
    if (assets < 100) assets = 100;
    auto file = std::filesystem::temp_directory_path() /
                ("czxdprn-bench-" + std::to_string(::getpid()) + ".mdb");
    std::filesystem::remove(file);
    int status = 0;
    double fullRunCpu = 0;
    {
        Connection db = Connection::create(file);
        std::printf("Building a company of %ld assets...\n", assets);
        auto start = Clock::now();
        buildCompany(db, assets);
        std::printf("  built in %.2f s\n", seconds(start));

        QuietFeedback feedback;
        RunSummary first, full, incremental;
        // The first run fills the computed columns, which grows every row;
        // the company then stands as it does in use, year after year.
        Timing firstTime = measure([&] { first = depreciateAssets(db, feedback); });
        std::printf(
            "    first run:       %8.3f s wall, %8.3f s processor  (fills the computed columns)\n",
            firstTime.wall, firstTime.cpu);
        flagEveryAsset(db);
        Timing fullTime = measure([&] { full = depreciateAssets(db, feedback); });
        std::printf(
            "(a) full run:        %8.3f s wall, %8.3f s processor  (%ld tax, %ld book rows)\n",
            fullTime.wall, fullTime.cpu, full.taxComputed, full.bookComputed);
        fullRunCpu = fullTime.cpu;

        db.execute(
            "UPDATE assets SET assetchng = 1, [Asset Cost - Tax] = [Asset Cost - Tax] + 1 "
            "WHERE rowid % 100 = 7");
        Timing incrementalTime = measure([&] { incremental = depreciateAssets(db, feedback); });
        std::printf(
            "(b) incremental run: %8.3f s wall, %8.3f s processor  (%ld tax, %ld book rows)\n",
            incrementalTime.wall, incrementalTime.cpu, incremental.taxComputed,
            incremental.bookComputed);

        // One asset edited, as the desktop does: its cost changed and its flag set.
        RunSummary oneEdit;
        db.execute(
            "UPDATE assets SET assetchng = 1, [Asset Cost - Tax] = [Asset Cost - Tax] + 1 "
            "WHERE rowid = ?",
            {Value(static_cast<std::int64_t>(assets / 2 + 7))});
        Timing oneEditTime = measure([&] { oneEdit = depreciateAssets(db, feedback); });
        std::printf(
            "(d) one edit:        %8.3f s wall, %8.3f s processor  (%ld tax, %ld book rows)\n",
            oneEditTime.wall, oneEditTime.cpu, oneEdit.taxComputed, oneEdit.bookComputed);

        Timing floor = measure([&] { floorWork(db); });
        std::printf("(c) floor:           %8.3f s wall, %8.3f s processor\n", floor.wall,
                    floor.cpu);
        if (!first.completed || !full.completed || !incremental.completed || !oneEdit.completed)
            status = 1;
        // The ratios compare processor time; the wall-clock ratios follow for reference.
        std::printf("wall-clock ratios: full/floor %.2f, incremental/floor %.2f\n",
                    fullTime.wall / floor.wall, incrementalTime.wall / floor.wall);
        std::printf("ratio full/floor: %.2f\n", fullTime.cpu / floor.cpu);
        std::printf("ratio incremental/floor: %.2f\n", incrementalTime.cpu / floor.cpu);
        std::printf("ratio one-edit/floor: %.3f\n", oneEditTime.cpu / floor.cpu);
        listFigures(db);
        std::printf("peak memory MiB: %ld\n", peakMemoryMiB());
    }
    reportFigures(file);
    projectionFigures(file, fullRunCpu);
    if (!std::getenv("CZX_BENCH_KEEP"))
        std::filesystem::remove(file);
    else
        std::printf("kept %s\n", file.c_str());
    return status;
}
