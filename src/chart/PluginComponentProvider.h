#pragma once

#include "chart/IComponentProvider.h"

#include <QString>

#include <mutex>
#include <string>

namespace mosgrid {

// The components as the program finds them: plugins in the "components" folder of the
// program folder, chosen by the names they are registered under. Safe to use from several
// threads: the thumbnail workers and the settings sheet's preview create components alike.
class PluginComponentProvider : public IComponentProvider {
public:
    // exeDir: the program folder, ending in '/'.
    explicit PluginComponentProvider(const std::string& exeDir);

    std::unique_ptr<quorex::IDataLibrary> CreateDataLibrary() override;
    std::unique_ptr<quorex::IChartControl> CreateChartControl() override;

    // Why the last creation failed, for a debugger.
    QString errorString() const;

    // <program folder>components/
    static QString ComponentsFolder(const std::string& exeDir);

private:
    QString m_folder;
    mutable std::mutex m_mutex;
    QString m_errorString;
};

} // namespace mosgrid
