#pragma once

#include "catalog/ListFileStamp.h"

#include <string>

namespace mosgrid {

enum class ListFileError {
    None,
    CannotRead,     // missing, no access, or a read failed
    NotRegularFile, // a stream, folder or device: it cannot be rewritten in place
    ChangedOnDisk,  // another program changed, replaced or removed it since it was read
    ReadOnly,       // the file may not be written (its folder may still allow a new one)
    CannotWrite,    // the new file could not be written whole; the old one is untouched
};

// A list file read for editing and written back whole: atomically beside the target (the
// file a link names, keeping the link), and never over a change made since it was read.
class ListFileWriter {
public:
    explicit ListFileWriter(std::string path);

    // The file's bytes; remembers what the file was when they were read.
    ListFileError Read(std::string& bytes);
    // Replaces the file's contents with bytes when it is still as last read or written.
    ListFileError Write(const std::string& bytes);

    const std::string& Path() const { return m_path; }
    const ListFileStamp& Stamp() const { return m_stamp; }
    // errno of the last failure; 0 when it had none.
    int SystemError() const { return m_systemError; }

private:
    ListFileError Fail(ListFileError error, int systemError);
    ListFileError ReadOnce(std::string& bytes, bool& torn);

    std::string m_path;
    ListFileStamp m_stamp;
    int m_systemError = 0;
};

} // namespace mosgrid
