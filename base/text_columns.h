#pragma once
// Plain-text columns, as the text reports lay them out: what a cell shows,
// words filled into a column's width, cells padded or cut to it, and lines
// without trailing blanks.
#include <optional>
#include <string>
#include <vector>

#include "base/dates.h"

namespace czx::text {

// An amount as a cell shows it ("12,500.00"), blank when there is none.
std::string amountText(const std::optional<double>& amount);
// The same without separators ("12500.00"), for a spreadsheet to read as a
// number.
std::string plainAmount(const std::optional<double>& amount);
// A date as MM/DD/YYYY, blank when there is none.
std::string dateText(const std::optional<Date>& date);

// The words of `text` filled into lines of at most `width` characters; a word
// longer than the width gets a line of its own, and a text without words is
// one empty line.
std::vector<std::string> wrap(const std::string& text, int width);

// `text` cut to `width` characters, or padded with blanks to it: after the
// text, or before it when `right` aligns it to the right.
std::string fit(const std::string& text, int width, bool right = false);

// `line` without its trailing blanks, ended by a newline.
std::string endLine(std::string line);

// Column captions over several lines: each caption wrapped to its column's
// width, row r holding line r of every caption ("" where a caption has fewer
// lines).
std::vector<std::vector<std::string>> captionRows(const std::vector<std::string>& captions,
                                                  const std::vector<int>& widths);

}  // namespace czx::text
