#pragma once

#include <string>
#include <vector>

namespace mosgrid {

// Moves the finished files of a staging folder into the target folder, all or none: what a
// moved file replaces, and what is retired, first goes aside into the staging folder, and a
// failure on the way puts every file back where it was.
class FolderMoveIn {
public:
    // Both folders exist and lie on one file system.
    FolderMoveIn(std::string staging, std::string target);

    // names: files in the staging folder, moved in under the same names (a file or a link
    // there is replaced; a folder there is a failure). retired: files in the target taken
    // away (a folder under such a name stays). On success the replaced files lie in the staging folder, to go with it.
    bool Run(const std::vector<std::string>& names, const std::vector<std::string>& retired);

private:
    enum class Step { PutAside, MovedIn };
    struct Done {
        Step step;
        std::string name;
    };

    bool PutAside(const std::string& name, bool keepFolder);
    bool MoveIn(const std::string& name);
    void RollBack();

    std::string m_staging;
    std::string m_aside;
    std::string m_target;
    std::vector<Done> m_journal;
};

} // namespace mosgrid
