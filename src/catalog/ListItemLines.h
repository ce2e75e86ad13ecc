#pragma once

#include <string>

namespace mosgrid {

class CListFileReader;

// The lines of a list that become items, taken from an open reader the way the catalog loads
// them: a UTF-8 byte-order mark at the very start dropped, empty lines skipped.
class ListItemLines {
public:
    // How a list is opened for reading: read-only, text mode, no message.
    static constexpr unsigned int kReaderFlags = 0;

    explicit ListItemLines(CListFileReader& reader);

    // The next item line into line (its storage reused); false once the input has ended.
    bool Next(std::string& line);

private:
    CListFileReader& m_reader;
    bool m_firstLine = true;
};

} // namespace mosgrid
