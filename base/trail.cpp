#include "base/trail.h"

#include <cstdio>
#include <new>

namespace czx::trail {
namespace {

const char* slotNames[3] = {"", "", ""};  // current, previous, before previous
ErrorReporter* activeReporter = nullptr;
ReportCollector* activeCollector = nullptr;

const std::string kDashes(134, '-');
constexpr const char* kCrlf = "\r\n";

}  // namespace

void enter(const char* name) {
    slotNames[2] = slotNames[1];
    slotNames[1] = slotNames[0];
    slotNames[0] = name;
}

std::string_view current() {
    return slotNames[0];
}
std::string_view previous() {
    return slotNames[1];
}
std::string_view beforePrevious() {
    return slotNames[2];
}
void clear() {
    slotNames[0] = slotNames[1] = slotNames[2] = "";
}

TrailSlots currentSlots() {
    return {slotNames[0], slotNames[1], slotNames[2]};
}

std::string reportText(const AppIdentity& app, std::string_view description, int number) {
    return reportText(app, currentSlots(), description, number);
}

std::string reportText(const AppIdentity& app, const TrailSlots& at, std::string_view description,
                       int number, std::string_view details) {
    std::string text = "ERROR REPORT";
    text += kCrlf;
    text += kCrlf;
    // The revision follows the minor number directly: 1.2 revision 5 reads 1.25.
    text += app.title + "  Version " + std::to_string(app.major) + "." + std::to_string(app.minor) +
            std::to_string(app.revision) + kCrlf;
    text += kDashes + kCrlf + kCrlf;
    text += "An error occurred within:";
    text += kCrlf;
    text += at.current;
    text += std::string(kCrlf) + kCrlf;
    text += description;
    text += " (" + std::to_string(number) + ")" + kCrlf + kCrlf;
    if (!details.empty()) {
        text += details;
        text += kCrlf;
    }
    if (*at.previous != '\0') {
        text += "Previous sections called:";
        text += kCrlf;
        text += at.previous;
        text += kCrlf;
        text += at.beforePrevious;
        text += std::string(kCrlf) + kCrlf;
        text += kDashes + kCrlf;
    }
    return text;
}

void setReporter(ErrorReporter* reporter) {
    activeReporter = reporter;
}

ReportCollector* setCollector(ReportCollector* collector) {
    ReportCollector* before = activeCollector;
    activeCollector = collector;
    return before;
}

void deliver(const std::string& text) noexcept {
    try {
        if (activeReporter)
            activeReporter->showErrorReport(text);
        else
            std::fprintf(stderr, "%s\n", text.c_str());
    } catch (...) {
        std::fprintf(stderr, "%s\n", text.c_str());
    }
}

void report(std::string_view description, int number, std::string_view details) noexcept {
    try {
        if (activeCollector) {
            activeCollector->collect(currentSlots(), description, number);
            return;
        }
        deliver(reportText(AppIdentity{}, currentSlots(), description, number, details));
    } catch (...) {
        std::fprintf(stderr, "ERROR REPORT: %.*s (%d) in %s\n",
                     static_cast<int>(description.size()), description.data(), number,
                     slotNames[0]);
    }
}

void reportCurrentException(std::string_view details) noexcept {
    try {
        throw;
    } catch (const Error& e) {
        report(e.what(), e.number(), details);
    } catch (const std::bad_alloc&) {
        report("Out of memory", errors::kOutOfMemory, details);
    } catch (const std::exception& e) {
        report(e.what(), errors::kUnexpected, details);
    } catch (...) {
        report("Unknown error", errors::kUnexpected, details);
    }
}

}  // namespace czx::trail
