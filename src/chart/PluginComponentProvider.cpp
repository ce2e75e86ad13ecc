#include "chart/PluginComponentProvider.h"

#include "chart/ComponentLoader.h"

#include <QFile>

namespace mosgrid {

namespace {

constexpr char kComponentsSubfolder[] = "components/";

} // namespace

PluginComponentProvider::PluginComponentProvider(const std::string& exeDir)
    : m_folder(ComponentsFolder(exeDir))
{
}

QString PluginComponentProvider::ComponentsFolder(const std::string& exeDir)
{
    return QFile::decodeName(QByteArray::fromStdString(exeDir))
        + QLatin1String(kComponentsSubfolder);
}

QString PluginComponentProvider::errorString() const
{
    const std::lock_guard lock(m_mutex);
    return m_errorString;
}

std::unique_ptr<quorex::IDataLibrary> PluginComponentProvider::CreateDataLibrary()
{
    const std::lock_guard lock(m_mutex);
    // The folder is searched afresh each time, so a plugin put in place between two
    // rebuilds is found by the second.
    ComponentLoader loader(m_folder);
    auto* factory = loader.Load<quorex::IDataLibraryFactory>(
        QLatin1String(quorex::kDataLibraryProgId));
    m_errorString = loader.errorString();
    return factory ? factory->CreateDataLibrary() : nullptr;
}

std::unique_ptr<quorex::IChartControl> PluginComponentProvider::CreateChartControl()
{
    const std::lock_guard lock(m_mutex);
    ComponentLoader loader(m_folder);
    auto* factory = loader.Load<quorex::IChartControlFactory>(
        QLatin1String(quorex::kChartControlProgId));
    m_errorString = loader.errorString();
    return factory ? factory->CreateChartControl() : nullptr;
}

} // namespace mosgrid
