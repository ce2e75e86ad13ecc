#pragma once

#include <QString>

#include <string>

namespace mosgrid {

// Settings values are bytes; the pages show them as text and write them back as bytes.

// The text a page shows for a stored value (UTF-8 when valid, else Shift-JIS).
QString ShownText(const std::string& stored);

// The bytes to write for a shown text: the stored bytes while the text still reads the same,
// so a Shift-JIS value passes through untouched; otherwise the text as UTF-8.
std::string StoredBytes(const QString& shown, const std::string& stored = {});

} // namespace mosgrid
