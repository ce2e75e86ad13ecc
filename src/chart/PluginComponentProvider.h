#pragma once

#include "chart/IComponentProvider.h"

#include <QString>

#include <string>

// The components as the program finds them: plugins in the "components" folder of the
// program folder, chosen by the names they are registered under.
class PluginComponentProvider : public IComponentProvider {
public:
    // exeDir: the program folder, ending in '/'.
    explicit PluginComponentProvider(const std::string& exeDir);

    std::unique_ptr<quorex::IDataLibrary> CreateDataLibrary() override;
    std::unique_ptr<quorex::IChartControl> CreateChartControl() override;

    // Why the last creation failed, for a debugger.
    const QString& errorString() const { return m_errorString; }

    // <program folder>components/
    static QString ComponentsFolder(const std::string& exeDir);

private:
    QString m_folder;
    QString m_errorString;
};
