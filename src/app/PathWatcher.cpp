#include "app/PathWatcher.h"

#include <QSocketNotifier>

#include <sys/inotify.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <cstring>

namespace mosgrid {

namespace {

constexpr std::uint32_t kFileMask =
    IN_MODIFY | IN_CLOSE_WRITE | IN_ATTRIB | IN_DELETE_SELF | IN_MOVE_SELF;
constexpr std::uint32_t kFolderMask = IN_MODIFY | IN_CLOSE_WRITE | IN_ATTRIB | IN_CREATE
    | IN_DELETE | IN_MOVED_FROM | IN_MOVED_TO | IN_DELETE_SELF | IN_MOVE_SELF | IN_ONLYDIR;
// Events about the watched path itself, or about the queue.
constexpr std::uint32_t kAlwaysMatters =
    IN_DELETE_SELF | IN_MOVE_SELF | IN_IGNORED | IN_Q_OVERFLOW;

} // namespace

PathWatcher::PathWatcher(QObject* parent)
    : QObject(parent)
{
    m_fd = ::inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
    if (m_fd < 0)
        return;
    m_notifier = new QSocketNotifier(m_fd, QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &PathWatcher::OnReadable);
}

PathWatcher::~PathWatcher()
{
    // The notifier goes first: it must not outlive, even briefly, the descriptor it watches
    // (a number closed here may be another file's by the time a child would be destroyed).
    delete m_notifier;
    m_notifier = nullptr;
    if (m_fd >= 0)
        ::close(m_fd);
}

void PathWatcher::Apply(const WatchPlan& plan)
{
    if (m_fd < 0)
        return;
    std::unordered_map<int, Watch> watches;
    const auto add = [&](const std::string& path, bool folder,
                         const std::vector<std::string>& names) {
        const int wd = ::inotify_add_watch(m_fd, path.c_str(), folder ? kFolderMask : kFileMask);
        if (wd < 0)
            return;
        // Two paths of one file or folder share a descriptor: what either wants counts.
        Watch& watch = watches[wd];
        watch.folder = watch.folder || folder;
        watch.anyName = watch.anyName || !folder || names.empty();
        watch.names.insert(names.begin(), names.end());
    };
    for (const std::string& file : plan.files)
        add(file, false, {});
    for (const WatchPlan::Folder& folder : plan.folders)
        add(folder.path, true, folder.names);
    for (const auto& [wd, watch] : m_watches) {
        if (!watches.contains(wd))
            ::inotify_rm_watch(m_fd, wd);
    }
    m_watches = std::move(watches);
}

bool PathWatcher::Matters(const Watch& watch, const char* name, std::uint32_t mask) const
{
    if ((mask & kAlwaysMatters) != 0 || !watch.folder || name == nullptr || *name == '\0')
        return true;
    return watch.anyName || watch.names.contains(name);
}

void PathWatcher::OnReadable()
{
    alignas(inotify_event) std::array<char, 64 * 1024> buffer{};
    bool news = false;
    for (;;) {
        const ssize_t length = ::read(m_fd, buffer.data(), buffer.size());
        if (length <= 0)
            break;
        for (ssize_t at = 0; at < length;) {
            const auto* event = reinterpret_cast<const inotify_event*>(buffer.data() + at);
            at += static_cast<ssize_t>(sizeof(inotify_event) + event->len);
            const auto found = m_watches.find(event->wd);
            if ((event->mask & IN_Q_OVERFLOW) != 0) {
                news = true;
                continue;
            }
            if (found == m_watches.end())
                continue;
            if (Matters(found->second, event->len > 0 ? event->name : nullptr, event->mask))
                news = true;
            // The path is gone (removed, or replaced by a rename): the next Apply adds it.
            if ((event->mask & IN_IGNORED) != 0)
                m_watches.erase(found);
        }
    }
    if (news)
        emit changed();
}

} // namespace mosgrid
