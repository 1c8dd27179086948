#include "store/csv.h"

#include <sstream>

namespace czx {

std::string csvField(std::string_view text) {
    if (text.find_first_of(",\"\r\n") == std::string_view::npos) return std::string(text);
    std::string quoted = "\"";
    for (char c : text) {
        if (c == '"') quoted += '"';
        quoted += c;
    }
    quoted += '"';
    return quoted;
}

void writeCsvRow(std::ostream& out, const std::vector<std::string>& fields) {
    for (std::size_t i = 0; i < fields.size(); ++i) {
        if (i > 0) out << ',';
        out << csvField(fields[i]);
    }
    out << '\n';
}

CsvReader::CsvReader(std::istream& in) : in_(in) {}

int CsvReader::get() {
    return in_.get();
}

int CsvReader::peek() {
    return in_.peek();
}

std::optional<CsvRecord> CsvReader::next() {
    constexpr int kEnd = std::char_traits<char>::eof();
    if (error_) return std::nullopt;
    if (!started_) {
        started_ = true;
        // The UTF-8 byte-order mark EF BB BF some spreadsheets write first.
        static constexpr unsigned char kMark[] = {0xEF, 0xBB, 0xBF};
        if (peek() == kMark[0]) {
            get();
            if (peek() != kMark[1] || (get(), peek() != kMark[2])) {
                error_ = CsvError{line_, "the file starts with bytes that are not text"};
                return std::nullopt;
            }
            get();
        }
    }
    if (peek() == kEnd) return std::nullopt;

    CsvRecord record;
    record.line = line_;
    std::string field;
    // A line end is LF or CRLF; a CR alone counts as one too.
    auto takeLineEnd = [&](int c) {
        if (c == '\r' && peek() == '\n') get();
        ++line_;
    };
    for (;;) {
        int c = get();
        if (c == '"' && field.empty()) {
            // A quoted field: up to the quote that is not doubled.
            const int opened = line_;
            for (;;) {
                c = get();
                if (c == kEnd) {
                    error_ =
                        CsvError{opened, "a quoted field is not closed before the end of the file"};
                    return std::nullopt;
                }
                if (c == '"') {
                    if (peek() == '"') {
                        get();
                        field += '"';
                        continue;
                    }
                    break;
                }
                if (c == '\r' || c == '\n') {
                    // Kept as written, CRLF included.
                    field += static_cast<char>(c);
                    if (c == '\r' && peek() == '\n') field += static_cast<char>(get());
                    ++line_;
                    continue;
                }
                field += static_cast<char>(c);
            }
            c = get();
            if (c != ',' && c != '\r' && c != '\n' && c != kEnd) {
                error_ = CsvError{line_, "text follows the closing quote of a field"};
                return std::nullopt;
            }
            record.fields.push_back(std::move(field));
            field.clear();
            if (c == ',') continue;
            if (c != kEnd) takeLineEnd(c);
            return record;
        }
        if (c == ',') {
            record.fields.push_back(std::move(field));
            field.clear();
            continue;
        }
        if (c == '\r' || c == '\n' || c == kEnd) {
            record.fields.push_back(std::move(field));
            if (c != kEnd) takeLineEnd(c);
            return record;
        }
        if (c == '"') {
            error_ = CsvError{line_, "a quote inside a field that does not start with one"};
            return std::nullopt;
        }
        field += static_cast<char>(c);
    }
}

std::vector<CsvRecord> readCsv(std::string_view text, std::optional<CsvError>* error) {
    std::istringstream in{std::string(text)};
    CsvReader reader(in);
    std::vector<CsvRecord> records;
    while (auto record = reader.next()) records.push_back(std::move(*record));
    if (error) *error = reader.error();
    return records;
}

}  // namespace czx
