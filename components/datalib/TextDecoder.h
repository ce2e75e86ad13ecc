#pragma once

#include <string>

namespace brasko {

// Turns the bytes of a price file into UTF-8 in place, so one parser serves every file:
// a UTF-8 byte-order mark is dropped, UTF-16 with a byte-order mark is converted, valid
// UTF-8 (ASCII included) stays as it is, and anything else is read as Shift-JIS (CP932),
// each undecodable byte becoming U+FFFD.
void DecodeToUtf8(std::string& bytes);

} // namespace brasko
