#include "chart/ComponentLoader.h"

#include <QDir>
#include <QJsonObject>
#include <QLibrary>
#include <QPluginLoader>

namespace mosgrid {

namespace {

constexpr char kMetaDataKey[] = "MetaData";
constexpr char kProgIdKey[] = "ProgId";
constexpr char kIidKey[] = "IID";

bool Declares(const QJsonObject& metaData, const QString& progId, const QString& iid)
{
    if (metaData.value(QLatin1String(kIidKey)).toString() != iid)
        return false;
    const QJsonObject own = metaData.value(QLatin1String(kMetaDataKey)).toObject();
    return own.value(QLatin1String(kProgIdKey)).toString().compare(progId, Qt::CaseInsensitive)
        == 0;
}

} // namespace

ComponentLoader::ComponentLoader(QString folder)
    : m_folder(std::move(folder))
{
}

void ComponentLoader::LoadFirst(const QString& progId, const QString& iid,
                                const std::function<bool(QObject*)>& accept)
{
    m_errorString = QStringLiteral("no plugin in %1 provides %2").arg(m_folder, progId);
    const QDir dir(m_folder);
    const QStringList files = dir.entryList(QDir::Files | QDir::Readable, QDir::Name);
    for (const QString& file : files) {
        if (!QLibrary::isLibrary(file))
            continue;
        QPluginLoader loader(dir.filePath(file));
        if (!Declares(loader.metaData(), progId, iid))
            continue;
        // instance() loads the code; the loader going out of scope does not unload it.
        QObject* root = loader.instance();
        if (!root) {
            m_errorString = loader.errorString();
            continue;
        }
        if (accept(root)) {
            m_errorString.clear();
            return;
        }
        m_errorString = QStringLiteral("%1 does not implement %2").arg(loader.fileName(), iid);
    }
}

} // namespace mosgrid
