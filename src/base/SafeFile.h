#pragma once

#include <QIODevice>

#include <sys/types.h>

#include <string>
#include <string_view>

namespace mosgrid {

// A file written beside its target and renamed over it only when every byte, the last flush
// and the sync to the disk succeeded; on any failure the temporary file goes and the target
// stays as it was. The temporary is made with O_EXCL | O_NOFOLLOW, so nothing planted at its
// name is written through, and the rename replaces a link at the target, never what it names.
class SafeFile : public QIODevice {
public:
    explicit SafeFile(std::string target);
    ~SafeFile() override;

    // Whether commit syncs the file to the disk (a caller writing many files syncs them at
    // once with SyncFileSystem instead).
    void setSyncOnCommit(bool sync) { m_syncOnCommit = sync; }
    // Writes the target itself, which must not exist yet (O_EXCL): for a folder of one's own,
    // where nobody sees a half-written file. A failure removes it.
    void setDirect(bool direct) { m_direct = direct; }
    // The mode a new file is made with (the umask applies); before open.
    void setFileMode(mode_t mode) { m_fileMode = mode; }

    // Only QIODevice::WriteOnly: creates the temporary file.
    bool open(OpenMode mode) override;
    // Writes what is buffered, syncs, closes and renames over the target.
    bool commit();
    // Removes the temporary file; the target is untouched.
    void cancelWriting();
    // Closing without commit is cancelling.
    void close() override { cancelWriting(); }
    // errno of the first failure, 0 when none.
    int error() const { return m_error; }
    const std::string& target() const { return m_target; }

    // Writes every byte to fd as a SafeFile does, through the full disk set for tests:
    // 0 when done, else errno of the failure. For writers with temporary files of their own.
    static int WriteAllTo(int fd, std::string_view bytes);

    // Syncs the file system holding path (a file or a folder) to the disk.
    static bool SyncFileSystem(const std::string& path);

    // A disk with only this many bytes left for every SafeFile of the process (writes
    // beyond it fail with ENOSPC); negative: no limit. For tests of a full disk.
    static void SetSpaceLeftForTesting(long long bytes);

protected:
    qint64 readData(char* data, qint64 maxSize) override;
    qint64 writeData(const char* data, qint64 size) override;

private:
    bool WriteOut(const char* data, std::size_t size);
    bool FlushBuffer();
    void Fail(int error);

    std::string m_target;
    std::string m_temp;
    int m_fd = -1;
    int m_error = 0;
    bool m_syncOnCommit = true;
    bool m_direct = false;
    mode_t m_fileMode = 0666;
    QByteArray m_buffer;
};

} // namespace mosgrid
