#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace mosgrid {

// What to watch for a catalog: the list file and the price files in use, or, when there are
// many, the folders holding them; and the folders where a missing price file may appear.
struct WatchPlan {
    struct Folder {
        std::string path;                // ends in '/'
        std::vector<std::string> names;  // the files in it that matter; empty: any
    };
    std::vector<std::string> files;
    std::vector<Folder> folders;
    bool complete = true;  // false: the limit left some out (reload by hand sees them)

    std::size_t size() const { return files.size() + folders.size(); }
};

struct WatchLimits {
    // Up to this many price files are watched one by one; beyond, their folders.
    std::size_t maxFiles = 64;
    // Watches in all: well within the platform's per-user limit (8,192 at the least).
    std::size_t maxWatches = 1024;
};

// listFile: watched itself, or its folder (for that name) while it does not exist.
// priceFiles: distinct, absolute. sourceFolders: folders, each watched for any file.
WatchPlan PlanWatches(const std::string& listFile, bool listExists,
                      const std::vector<std::string>& priceFiles,
                      const std::vector<std::string>& sourceFolders,
                      const WatchLimits& limits = {});

} // namespace mosgrid
