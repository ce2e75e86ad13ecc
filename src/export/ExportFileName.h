#pragma once

#include <QString>

#include <string>

namespace mosgrid {

// The file of one security in an exported folder: its place in the shown order, counted from
// 1 and padded so the names sort as the grid shows them (at least four digits), then its
// code, made safe for a file name: "0007_1301.png".
QString ExportFileName(int position, int count, const std::string& code);

} // namespace mosgrid
