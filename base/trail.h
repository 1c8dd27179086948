#pragma once
// The error trail: every procedure records its name on entry in a trail of the
// last three procedures entered, and catches its own failure. A failure shows
// the error report (built from the trail) and ends that procedure only; the
// caller goes on as if the procedure had finished.
//
//     procedure("Calcform.CalcMACRS", [&] { ... });
//
// Entry costs three pointer moves: names are string literals.
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>

namespace czx {

// A run-time error with a number, as the error report shows it
// ("Division by zero (11)").
class Error : public std::runtime_error {
  public:
    Error(int number, const std::string& description)
        : std::runtime_error(description), number_(number) {}
    int number() const { return number_; }

  private:
    int number_;
};

// A command declined because going on would destroy data or give a wrong
// result (saving onto the program's own files, copying a file that holds no
// company). Expected: the programs say it plainly, not as a fault.
class Refusal : public Error {
  public:
    using Error::Error;
};

namespace errors {
constexpr int kOverflow = 6;
constexpr int kOutOfMemory = 7;
constexpr int kDivisionByZero = 11;
constexpr int kTypeMismatch = 13;
constexpr int kInvalidUseOfNull = 94;
constexpr int kUnexpected = 51;  // "Internal error"
}  // namespace errors

// Receives finished error reports. The command-line tool prints them, the
// desktop program shows the error window.
class ErrorReporter {
  public:
    virtual ~ErrorReporter() = default;
    virtual void showErrorReport(const std::string& text) = 0;
};

// The three slots of the trail at one moment: the current procedure, the
// previous one and the one before it. Names are string literals.
struct TrailSlots {
    const char* current = "";
    const char* previous = "";
    const char* beforePrevious = "";
};

// Takes the error reports of a long piece of work (a run over many rows)
// instead of the reporter, so that reports of one kind can be counted
// rather than repeated, and names what the work stood on.
class ReportCollector {
  public:
    virtual ~ReportCollector() = default;
    virtual void collect(const TrailSlots& slots, std::string_view description, int number) = 0;
};

struct AppIdentity {
    std::string title = "CZX Depreciation";
    int major = CZX_VERSION_MAJOR;
    int minor = CZX_VERSION_MINOR;
    int revision = CZX_VERSION_PATCH;
};

namespace trail {

// Procedure entry: the previous slot moves to the one before it, the current
// slot to the previous one, and `name` becomes current. Nothing is removed on
// exit: the slots always show the last three procedures entered.
void enter(const char* name);
std::string_view current();
std::string_view previous();
std::string_view beforePrevious();
// Empties the three slots (a new process starts with them empty).
void clear();

TrailSlots currentSlots();

// The report text for an error in the current procedure, or in the
// procedures of `slots`. `details` (lines ending in CRLF) follows the error's
// description, for what the error concerns (the assets of a run).
std::string reportText(const AppIdentity& app, std::string_view description, int number);
std::string reportText(const AppIdentity& app, const TrailSlots& slots,
                       std::string_view description, int number, std::string_view details = {});

// Where reports go; null sends them to standard error.
void setReporter(ErrorReporter* reporter);
// While a collector is set, reports go to it instead of the reporter.
// Returns the collector that was set before.
ReportCollector* setCollector(ReportCollector* collector);
// Builds the report for the current procedure and hands it to the collector,
// or else to the reporter.
void report(std::string_view description, int number, std::string_view details = {}) noexcept;
// Hands a finished report text to the reporter, passing by any collector.
void deliver(const std::string& text) noexcept;
// Reports the exception being handled (call inside a catch block).
void reportCurrentException(std::string_view details = {}) noexcept;

}  // namespace trail

// Runs `body`, reporting any failure instead of passing it on, without
// entering the trail (for a loop that belongs to a procedure already entered).
// Returns false when the body failed.
template <class Body>
bool attempt(Body&& body) noexcept {
    try {
        body();
        return true;
    } catch (...) {
        trail::reportCurrentException();
        return false;
    }
}

// Runs `body` as the procedure `name`: enters the trail, and reports any
// failure instead of passing it on. Returns false when the body failed.
template <class Body>
bool procedure(const char* name, Body&& body) noexcept {
    trail::enter(name);
    return attempt(std::forward<Body>(body));
}

}  // namespace czx
