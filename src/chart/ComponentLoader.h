#pragma once

#include <QObject>
#include <QString>

#include <functional>

namespace mosgrid {

// Finds, in one folder, the plugin whose metadata names a component ("ProgId") and loads it.
// Metadata is read before any code is loaded, so foreign or broken files in the folder cost
// nothing. Loaded plugins stay loaded for the rest of the process: the objects they create
// may outlive every loader.
class ComponentLoader {
public:
    explicit ComponentLoader(QString folder);

    // The factory of the first plugin, in file-name order, that declares progId (compared
    // without regard to case, like a registered name) with Interface's IID, loads, and
    // implements Interface; null when there is none.
    template <class Interface>
    Interface* Load(const QString& progId)
    {
        Interface* found = nullptr;
        LoadFirst(progId, QLatin1String(qobject_interface_iid<Interface*>()),
                  [&found](QObject* root) {
                      found = qobject_cast<Interface*>(root);
                      return found != nullptr;
                  });
        return found;
    }

    // Why the last Load returned null, for a debugger; never shown or printed.
    const QString& errorString() const { return m_errorString; }

private:
    void LoadFirst(const QString& progId, const QString& iid,
                   const std::function<bool(QObject*)>& accept);

    QString m_folder;
    QString m_errorString;
};

} // namespace mosgrid
