// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The text side of File > Import (model/ImportReader.cpp the geometry):
// bytes into lines, lines into number rows, and the columns to take as x
// and y. Used by the import reader only.
#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "model/ImportReader.h"

namespace parvelin::importing {

// Splits a line into number fields: white space and semicolons separate; a
// comma separates too, except in a field of digits with one comma and no
// point, where it is a decimal comma. Returns false when a field is no number.
bool numberFields(std::string_view line, std::vector<double>& values, std::vector<float>& singles,
                  bool& decimalComma);

// Text saved as UTF-16 (with its byte-order mark, as Windows editors write
// it) becomes 8-bit text: characters beyond ASCII turn into '?', which only
// names can hold. Other bytes are returned as they are.
std::string_view fromUtf16(std::string_view bytes, std::string& storage);
bool looksBinary(std::string_view bytes);
// The text without blanks and CRs at either end.
std::string trim(std::string_view text);
// The file's name without its folder and extension.
std::string nameFromFile(std::string_view fileName);

// Lines of more numbers than this are no coordinate rows (a row number, x,
// y and one more column at most).
constexpr std::size_t kMaxColumns = 4;

// What the lines of a file hold, before any geometry.
struct ScannedLines {
    std::optional<std::string> name;  // the first line of text, as it stands
    struct Row {
        std::array<double, kMaxColumns> values{};
        std::array<float, kMaxColumns> singles{};
        std::size_t count = 0;
        bool decimalComma = false;
    };
    std::vector<Row> rows;  // lines of two to kMaxColumns numbers, in file order
    std::size_t otherNumberLines = 0;  // lines of one number or more than kMaxColumns
};

// Lines end at LF, CR LF or a lone CR; comments run from '#' or '!' to the
// line's end; blank lines and the Ctrl-Z end mark are passed over.
ScannedLines scanLines(std::string_view bytes);

// Two columns of the coordinate rows taken as x and y, and what became of
// the others.
struct ColumnChoice {
    std::size_t x = 0;
    std::size_t y = 1;
    std::vector<DroppedColumn> dropped;
};

// The rows of the width most lines have (two numbers when as many lines
// have two as any other count), and the column pairs to try as x and y, in
// order: a column of row numbers and columns holding one number throughout
// are left out; of three or more others every pair is a candidate, the
// first two columns first, and the first that forms an airfoil is taken.
std::vector<ColumnChoice> columnChoices(const ScannedLines& scanned, std::size_t& width,
                                        std::vector<const ScannedLines::Row*>& rows);

} // namespace parvelin::importing
