#include "app/WatchPlan.h"

#include "base/PathParts.h"

#include <algorithm>
#include <map>

namespace mosgrid {

namespace {

std::string AsFolder(std::string path)
{
    if (path.empty() || path.back() != '/')
        path += '/';
    return path;
}

// Folders in the order first named; "any file" wins over a list of names.
class FolderSet {
public:
    void Add(const std::string& folder, const std::string& name)
    {
        const auto [it, added] = m_index.try_emplace(folder, m_folders.size());
        if (added)
            m_folders.push_back(WatchPlan::Folder{folder, {}});
        WatchPlan::Folder& entry = m_folders[it->second];
        if (name.empty()) {
            m_any.push_back(it->second);
        } else if (added || !entry.names.empty()) {
            entry.names.push_back(name);
        }
    }
    std::vector<WatchPlan::Folder> Take()
    {
        for (const std::size_t index : m_any)
            m_folders[index].names.clear();
        return std::move(m_folders);
    }

private:
    std::map<std::string, std::size_t> m_index;
    std::vector<WatchPlan::Folder> m_folders;
    std::vector<std::size_t> m_any;
};

} // namespace

WatchPlan PlanWatches(const std::string& listFile, bool listExists,
                      const std::vector<std::string>& priceFiles,
                      const std::vector<std::string>& sourceFolders, const WatchLimits& limits)
{
    WatchPlan plan;
    FolderSet folders;
    if (!listFile.empty()) {
        if (listExists)
            plan.files.push_back(listFile);
        else
            folders.Add(FolderOf(listFile), NameOf(listFile));
    }
    if (priceFiles.size() <= limits.maxFiles) {
        plan.files.insert(plan.files.end(), priceFiles.begin(), priceFiles.end());
    } else {
        for (const std::string& file : priceFiles)
            folders.Add(FolderOf(file), NameOf(file));
    }
    for (const std::string& folder : sourceFolders)
        folders.Add(AsFolder(folder), {});
    plan.folders = folders.Take();

    // Over the limit: the list first, then the folders, then single files.
    if (plan.size() > limits.maxWatches) {
        plan.complete = false;
        const bool listWatched = listExists && !listFile.empty();
        std::vector<std::string> files;
        if (listWatched)
            files.push_back(plan.files.front());
        std::size_t room = limits.maxWatches > files.size() ? limits.maxWatches - files.size() : 0;
        if (plan.folders.size() > room)
            plan.folders.resize(room);
        room -= plan.folders.size();
        for (std::size_t i = listWatched ? 1 : 0; i < plan.files.size() && room > 0; ++i, --room)
            files.push_back(plan.files[i]);
        plan.files = std::move(files);
    }
    return plan;
}

} // namespace mosgrid
