#include "export/FolderMoveIn.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstdio>

namespace mosgrid {

namespace {

constexpr char kAsideName[] = ".replaced";
constexpr mode_t kAsideMode = 0700;

} // namespace

FolderMoveIn::FolderMoveIn(std::string staging, std::string target)
    : m_staging(std::move(staging))
    , m_aside(m_staging + '/' + kAsideName)
    , m_target(std::move(target))
{
}

bool FolderMoveIn::PutAside(const std::string& name, bool keepFolder)
{
    const std::string path = m_target + '/' + name;
    struct stat info;
    if (::lstat(path.c_str(), &info) != 0)
        return errno == ENOENT;
    // A folder of the user's is never moved, nor taken away with the staging folder.
    if (S_ISDIR(info.st_mode))
        return keepFolder;
    if (std::rename(path.c_str(), (m_aside + '/' + name).c_str()) != 0)
        return false;
    m_journal.push_back(Done{Step::PutAside, name});
    return true;
}

bool FolderMoveIn::MoveIn(const std::string& name)
{
    if (!PutAside(name, false))
        return false;
    if (std::rename((m_staging + '/' + name).c_str(), (m_target + '/' + name).c_str()) != 0)
        return false;
    m_journal.push_back(Done{Step::MovedIn, name});
    return true;
}

bool FolderMoveIn::Run(const std::vector<std::string>& names,
                       const std::vector<std::string>& retired)
{
    m_journal.clear();
    if (::mkdir(m_aside.c_str(), kAsideMode) != 0 && errno != EEXIST)
        return false;
    for (const std::string& name : retired) {
        if (!PutAside(name, true)) {
            RollBack();
            return false;
        }
    }
    for (const std::string& name : names) {
        if (!MoveIn(name)) {
            RollBack();
            return false;
        }
    }
    return true;
}

void FolderMoveIn::RollBack()
{
    for (auto step = m_journal.rbegin(); step != m_journal.rend(); ++step) {
        const std::string inTarget = m_target + '/' + step->name;
        const std::string from = step->step == Step::MovedIn ? inTarget
                                                             : m_aside + '/' + step->name;
        const std::string to = step->step == Step::MovedIn ? m_staging + '/' + step->name
                                                           : inTarget;
        (void)std::rename(from.c_str(), to.c_str());
    }
    m_journal.clear();
}

} // namespace mosgrid
