#include "base/text_columns.h"

#include <sstream>

#include "base/money.h"

namespace czx::text {

std::string amountText(const std::optional<double>& amount) {
    return amount ? money::format(*amount) : "";
}

std::string plainAmount(const std::optional<double>& amount) {
    return amount ? money::format(*amount, money::Separators::None) : "";
}

std::string dateText(const std::optional<Date>& date) {
    return date ? paddedDate(*date) : "";
}

std::vector<std::string> wrap(const std::string& text, int width) {
    std::vector<std::string> lines;
    std::istringstream words(text);
    std::string word;
    while (words >> word) {
        if (!lines.empty() && static_cast<int>(lines.back().size() + 1 + word.size()) <= width)
            lines.back() += " " + word;
        else
            lines.push_back(word);
    }
    if (lines.empty()) lines.emplace_back();
    return lines;
}

std::string fit(const std::string& text, int width, bool right) {
    std::string cell = text.substr(0, static_cast<size_t>(width));
    std::string pad(static_cast<size_t>(width) - cell.size(), ' ');
    return right ? pad + cell : cell + pad;
}

std::string endLine(std::string line) {
    line.erase(line.find_last_not_of(' ') + 1);
    return line + '\n';
}

std::vector<std::vector<std::string>> captionRows(const std::vector<std::string>& captions,
                                                  const std::vector<int>& widths) {
    std::vector<std::vector<std::string>> rows;
    for (size_t i = 0; i < captions.size(); ++i) {
        const std::vector<std::string> lines = wrap(captions[i], widths[i]);
        for (size_t row = 0; row < lines.size(); ++row) {
            if (row == rows.size()) rows.emplace_back(captions.size());
            rows[row][i] = lines[row];
        }
    }
    return rows;
}

}  // namespace czx::text
