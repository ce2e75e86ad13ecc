#pragma once

#include "chart/IComponentProvider.h"

#include <QString>

// The components as the program finds them: plugins in the "components" folder of the
// program folder, chosen by the names they are registered under.
class PluginComponentProvider : public IComponentProvider {
public:
    std::unique_ptr<quorex::IDataLibrary> CreateDataLibrary() override;
    std::unique_ptr<quorex::IChartControl> CreateChartControl() override;

    // Why the last creation failed, for a debugger.
    const QString& errorString() const { return m_errorString; }

    // <program folder>components/
    static QString ComponentsFolder();

private:
    QString m_errorString;
};
