#pragma once
// Comma-separated values as spreadsheets write them (RFC 4180): fields
// separated by commas, a field holding a comma, a quote or a line break
// enclosed in quotes with its quotes doubled, records ended by CRLF or LF.
#include <istream>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

namespace czx {

// The field as a CSV file holds it: quoted only when it holds a comma, a
// quote, CR or LF, its quotes doubled ("say ""hi""").
std::string csvField(std::string_view text);

// The fields, each through csvField, separated by commas and ended by "\n".
void writeCsvRow(std::ostream& out, const std::vector<std::string>& fields);

// A record read from a file, and the physical line it starts on (1-based,
// counting the line breaks inside quoted fields before it), for messages.
struct CsvRecord {
    int line = 0;
    std::vector<std::string> fields;
};

// A field the reader could not read: a quote inside an unquoted field, text
// after a closing quote, or a quoted field still open at the end of the file.
struct CsvError {
    int line = 0;  // the physical line the fault is on
    std::string message;
};

// Reads records one at a time. A UTF-8 byte-order mark at the start is
// skipped; a last line without a line end is a record; a blank line is a
// record with one empty field (callers skip those they do not want).
class CsvReader {
  public:
    explicit CsvReader(std::istream& in);

    // The next record, or nothing at the end of the input or at a fault
    // (then error() says what and where). After a fault it reads no more.
    std::optional<CsvRecord> next();
    const std::optional<CsvError>& error() const { return error_; }

  private:
    int get();
    int peek();

    std::istream& in_;
    int line_ = 1;
    bool started_ = false;
    std::optional<CsvError> error_;
};

// Every record of `text`; stops at the first fault, which `error` receives.
std::vector<CsvRecord> readCsv(std::string_view text, std::optional<CsvError>* error = nullptr);

}  // namespace czx
