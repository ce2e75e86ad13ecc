#pragma once

#include <QuorexComponents.h>

#include <string>
#include <vector>

namespace brasko {

// The good rows of a price file's text as bars, in the order read. The text must be UTF-8
// (see DecodeToUtf8); quoted fields are unquoted inside it. Title lines before the header
// are skipped; without a header the columns are taken by position.
std::vector<quorex::PriceBar> ReadPriceRows(std::string& text);

// A whole price file's bytes to its series (decoded, read, ordered), or null when no row
// is good. The bytes are used as the working buffer.
quorex::PriceDataPtr ParsePriceFile(std::string& bytes);

} // namespace brasko
