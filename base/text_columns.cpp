#include "base/text_columns.h"

#include <algorithm>
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

std::string trimmed(std::string line) {
    line.erase(line.find_last_not_of(' ') + 1);
    return line;
}

std::vector<std::vector<std::string>> captionRows(const std::vector<std::string>& captions,
                                                  const std::vector<int>& widths) {
    std::vector<std::vector<std::string>> lines;
    size_t depth = 0;
    for (size_t i = 0; i < captions.size(); ++i) {
        lines.push_back(wrap(captions[i], widths[i]));
        depth = std::max(depth, lines.back().size());
    }
    std::vector<std::vector<std::string>> rows(depth);
    for (size_t row = 0; row < depth; ++row)
        for (const auto& caption : lines)
            rows[row].push_back(row < caption.size() ? caption[row] : "");
    return rows;
}

}  // namespace czx::text
