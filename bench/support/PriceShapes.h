#pragma once

// The shapes of price data users have, generated for the benchmarks: the same daily random
// walks written as each vendor writes them (row count, quoting, encoding, order), and as a
// SQLite price database.

#include <string>
#include <vector>

namespace benchshapes {

inline constexpr int kRows = 5100;

struct Shape {
    const char* name;
    const char* description;
    bool database; // rows in a SQLite database rather than one file per security
};

// yahoo, broker, sjis, sqlite (the four of the field), then yahoo-newest, sjis-newest,
// utf16, sqlite-noindex (the other orders, encodings and a database without its index).
const std::vector<Shape>& Shapes();
const Shape* FindShape(const std::string& name);

// The text of one security's price file in the shape (seed: which walk).
std::string PriceFileBytes(const Shape& shape, unsigned seed);

// A database of `codes` codes (named CodeName(i)) of kRows rows each, built unless path
// holds one already. False when it cannot be made.
bool MakeDatabase(const Shape& shape, const std::string& path, int codes);
std::string CodeName(int index);

} // namespace benchshapes
