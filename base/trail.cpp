#include "base/trail.h"

#include <cstdio>
#include <new>

namespace czx::trail {
namespace {

const char* slots[3] = {"", "", ""};  // current, previous, before previous
ErrorReporter* activeReporter = nullptr;

const std::string kDashes(134, '-');
constexpr const char* kCrlf = "\r\n";

}  // namespace

void enter(const char* name) {
    slots[2] = slots[1];
    slots[1] = slots[0];
    slots[0] = name;
}

std::string_view current() {
    return slots[0];
}
std::string_view previous() {
    return slots[1];
}
std::string_view beforePrevious() {
    return slots[2];
}
void clear() {
    slots[0] = slots[1] = slots[2] = "";
}

std::string reportText(const AppIdentity& app, std::string_view description, int number) {
    std::string text = "ERROR REPORT";
    text += kCrlf;
    text += kCrlf;
    // The revision follows the minor number directly: 1.2 revision 5 reads 1.25.
    text += app.title + "  Version " + std::to_string(app.major) + "." + std::to_string(app.minor) +
            std::to_string(app.revision) + kCrlf;
    text += kDashes + kCrlf + kCrlf;
    text += "An error occurred within:";
    text += kCrlf;
    text += current();
    text += std::string(kCrlf) + kCrlf;
    text += description;
    text += " (" + std::to_string(number) + ")" + kCrlf + kCrlf;
    if (!previous().empty()) {
        text += "Previous sections called:";
        text += kCrlf;
        text += previous();
        text += kCrlf;
        text += beforePrevious();
        text += std::string(kCrlf) + kCrlf;
        text += kDashes + kCrlf;
    }
    return text;
}

void setReporter(ErrorReporter* reporter) {
    activeReporter = reporter;
}

void report(std::string_view description, int number) noexcept {
    try {
        std::string text = reportText(AppIdentity{}, description, number);
        if (activeReporter)
            activeReporter->showErrorReport(text);
        else
            std::fprintf(stderr, "%s\n", text.c_str());
    } catch (...) {
        std::fprintf(stderr, "ERROR REPORT: %.*s (%d) in %s\n",
                     static_cast<int>(description.size()), description.data(), number, slots[0]);
    }
}

void reportCurrentException() noexcept {
    try {
        throw;
    } catch (const Error& e) {
        report(e.what(), e.number());
    } catch (const std::bad_alloc&) {
        report("Out of memory", errors::kOutOfMemory);
    } catch (const std::exception& e) {
        report(e.what(), errors::kUnexpected);
    } catch (...) {
        report("Unknown error", errors::kUnexpected);
    }
}

}  // namespace czx::trail
