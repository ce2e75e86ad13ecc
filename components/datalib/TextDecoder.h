#pragma once

#include <string>
#include <string_view>

namespace brasko {

// What an undecodable byte becomes: U+FFFD.
inline constexpr std::string_view kReplacementCharacter = "\xEF\xBF\xBD";

// The encodings price files come in.
enum class TextEncoding { Utf8, Cp932, Utf16Le, Utf16Be };

// Turns the bytes of a price file into UTF-8 in place, so one parser serves every file:
// a UTF-8 byte-order mark is dropped, UTF-16 with a byte-order mark is converted, valid
// UTF-8 (ASCII included) stays as it is, and anything else is read as Shift-JIS (CP932),
// each undecodable byte becoming U+FFFD.
void DecodeToUtf8(std::string& bytes);

// Pieces of a file, for reading only part of it: what DecodeToUtf8 does to the whole file,
// done to a piece that starts at a line start (the file's start included).
// The length of the byte-order mark the text starts with (0: none).
std::size_t ByteOrderMarkLength(std::string_view head);
// UTF-16 when the head has its byte-order mark; otherwise UTF-8, to be confirmed as a whole.
TextEncoding EncodingByMark(std::string_view head);
// A piece in the given encoding to UTF-8, in place; a byte-order mark is dropped only at
// the file's start.
void DecodePiece(std::string& bytes, TextEncoding encoding, bool atFileStart);
bool IsValidUtf8(std::string_view bytes);
bool IsAscii(std::string_view bytes);

} // namespace brasko
