#include "settings/FlagStore.h"

#include "base/PathParts.h"
#include "base/SafeFile.h"
#include "settings/SettingsLocation.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <system_error>

namespace mosgrid {

namespace {

constexpr mode_t kFileMode = 0600;
constexpr mode_t kFolderMode = 0700;
constexpr char kDefaultDataFolder[] = "/.local/share";
constexpr std::size_t kReadChunk = 64 * 1024;

bool IsAbsolute(std::string_view path)
{
    return !path.empty() && path.front() == '/';
}

std::string AbsolutePath(std::string_view path)
{
    std::error_code error;
    const std::filesystem::path absolute = std::filesystem::absolute(path, error);
    if (error)
        return std::string(path);
    return absolute.lexically_normal().string();
}

// "device:inode" of the file at path; empty when there is none.
std::string FileIdOf(const std::string& path)
{
    struct stat info;
    if (::stat(path.c_str(), &info) != 0)
        return {};
    return std::to_string(info.st_dev) + ':' + std::to_string(info.st_ino);
}

enum class ReadResult { Absent, Read, Unreadable };

ReadResult ReadWhole(const std::string& path, long long maxBytes, std::string& bytes)
{
    // Non-blocking: a pipe planted at the name must not hang the program.
    const int fd = ::open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0)
        return errno == ENOENT ? ReadResult::Absent : ReadResult::Unreadable;
    struct stat info;
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode) || info.st_size > maxBytes) {
        ::close(fd);
        return ReadResult::Unreadable;
    }
    bytes.clear();
    bytes.reserve(std::size_t(info.st_size));
    char chunk[kReadChunk];
    for (;;) {
        const ssize_t got = ::read(fd, chunk, sizeof chunk);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0 || static_cast<long long>(bytes.size()) + got > maxBytes) {
            ::close(fd);
            return ReadResult::Unreadable;
        }
        if (got == 0)
            break;
        bytes.append(chunk, std::size_t(got));
    }
    ::close(fd);
    return ReadResult::Read;
}

bool WriteWhole(const std::string& path, const std::string& bytes)
{
    SafeFile file(path);
    file.setFileMode(kFileMode);
    return file.open(QIODevice::WriteOnly)
        && file.write(bytes.data(), qint64(bytes.size())) == qint64(bytes.size())
        && file.commit();
}

// The folder of path and the folders above it; the last one only its owner may enter.
bool MakeFolderOf(const std::string& path)
{
    std::string folder = FolderOf(path);
    while (folder.size() > 1 && folder.back() == '/')
        folder.pop_back();
    std::error_code error;
    std::filesystem::create_directories(std::filesystem::path(folder).parent_path(), error);
    if (::mkdir(folder.c_str(), kFolderMode) == 0)
        return true;
    struct stat info;
    return errno == EEXIST && ::stat(folder.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

} // namespace

FlagStore::FlagStore(std::string file)
    : m_strFile(std::move(file))
{
}

std::string FlagStore::DefaultFile(std::string_view xdgDataHome, std::string_view home)
{
    std::string folder;
    if (IsAbsolute(xdgDataHome))
        folder = xdgDataHome;
    else if (IsAbsolute(home))
        folder = std::string(home) + kDefaultDataFolder;
    else
        return {};
    while (folder.size() > 1 && folder.back() == '/')
        folder.pop_back();
    return folder + '/' + kFolderName + '/' + kFileName;
}

std::string FlagStore::CurrentDefaultFile()
{
    const char* data = std::getenv("XDG_DATA_HOME");
    // $HOME, or the user database's home folder, as for the settings file.
    return DefaultFile(data ? data : "", SettingsLocation::CurrentEnvironment().home);
}

void FlagStore::Load()
{
    if (m_loadState != LoadState::NotLoaded)
        return;
    if (m_strFile.empty()) {
        m_loadState = LoadState::Absent;
        return;
    }
    std::string bytes;
    switch (ReadWhole(m_strFile, kMaxFileBytes, bytes)) {
    case ReadResult::Absent:
        m_loadState = LoadState::Absent;
        return;
    case ReadResult::Unreadable:
        m_loadState = LoadState::Unreadable;
        return;
    case ReadResult::Read:
        break;
    }
    FlagFileText::Parsed parsed = FlagFileText::Parse(bytes);
    m_lists = std::move(parsed.lists);
    m_nBadLines = parsed.badLines;
    if (m_nBadLines > 0)
        m_loadedBytes = std::move(bytes);
    m_loadState = LoadState::Read;
}

int FlagStore::Open(std::string_view listPath)
{
    Load();
    const std::string path = AbsolutePath(listPath);
    const std::string id = FileIdOf(path);
    const auto note = [this, &id](ListFlags& list) {
        if (!id.empty() && list.fileId != id) {
            list.fileId = id;
            m_bDirty = m_bDirty || !list.codes.empty();
        }
    };
    auto found = std::ranges::find(m_lists, path, &ListFlags::path);
    if (found == m_lists.end() && !id.empty()) {
        // Renamed outside the program: the list whose path lost this very file.
        found = std::ranges::find_if(m_lists, [&id](const ListFlags& list) {
            return list.fileId == id && FileIdOf(list.path) != id;
        });
        if (found != m_lists.end()) {
            found->path = path;
            m_bDirty = m_bDirty || !found->codes.empty();
        }
    }
    if (found == m_lists.end())
        found = m_lists.insert(m_lists.end(), ListFlags{path});
    note(*found);
    return static_cast<int>(found - m_lists.begin());
}

FlagColor FlagStore::ColorOf(int list, std::string_view code) const
{
    const auto& codes = List(list).codes;
    const auto found = codes.find(code);
    return found != codes.end() ? found->second : FlagColor::None;
}

bool FlagStore::Set(int list, std::string_view code, FlagColor color)
{
    auto& codes = m_lists.at(std::size_t(list)).codes;
    const auto found = codes.find(code);
    if (color == FlagColor::None) {
        if (found == codes.end())
            return false;
        codes.erase(found);
    } else if (found != codes.end()) {
        if (found->second == color)
            return false;
        found->second = color;
    } else {
        codes.emplace(std::string(code), color);
    }
    m_bDirty = true;
    return true;
}

void FlagStore::FollowRename(std::string_view oldPath, std::string_view newPath)
{
    Load();
    const std::string from = AbsolutePath(oldPath);
    const std::string to = AbsolutePath(newPath);
    if (from == to)
        return;
    const auto found = std::ranges::find(m_lists, from, &ListFlags::path);
    if (found == m_lists.end())
        return;
    // A list kept under the new name is replaced, as the file there was. Its slot stays,
    // emptied, so the numbers handed out stay valid.
    const auto target = std::ranges::find(m_lists, to, &ListFlags::path);
    if (target != m_lists.end()) {
        target->path.clear();
        target->fileId.clear();
        target->codes.clear();
    }
    found->path = to;
    found->fileId = FileIdOf(to);
    m_bDirty = true;
}

bool FlagStore::KeepBadFile()
{
    if (m_nBadLines == 0 || m_bBadFileKept)
        return true;
    if (!WriteWhole(m_strFile + kBadSuffix, m_loadedBytes))
        return false;
    m_bBadFileKept = true;
    m_loadedBytes.clear();
    return true;
}

bool FlagStore::Save()
{
    Load();
    if (!m_bDirty)
        return true;
    if (m_strFile.empty() || m_loadState == LoadState::Unreadable)
        return false;
    if (!MakeFolderOf(m_strFile) || !KeepBadFile())
        return false;
    if (!WriteWhole(m_strFile, FlagFileText::Write(m_lists)))
        return false;
    m_bDirty = false;
    return true;
}

} // namespace mosgrid
