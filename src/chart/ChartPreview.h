#pragma once

#include "catalog/CatalogItem.h"
#include "settings/IChartPreview.h"

#include <QThreadPool>

#include <memory>
#include <optional>
#include <string>

namespace quorex {
class IChartControl;
}

namespace mosgrid {

class IComponentProvider;

// The settings sheet's previews, drawn as the catalog draws its thumbnails: on the first
// security of the catalog, or on the built-in sample series when there is none.
// Threads: made, used and destroyed on the user-interface thread; renders run on its own
// pool, one at a time, with a chart host each (which takes the provider's component lock).
// The check's control is created and let go under that lock too.
class ChartPreview : public IChartPreview {
public:
    // provider: where the components come from; it must outlive every render started.
    // subject: the security previews draw; none for the sample series. iniFile: the
    // settings (size, common parameters, label) read afresh for each render.
    ChartPreview(IComponentProvider& provider, std::optional<CatalogItem> subject,
                 std::string iniFile);
    // Waits for the renders started: they use the provider.
    ~ChartPreview() override;

    QString CheckDefinition(const std::string& definition) override;
    QFuture<QImage> RenderDefinition(const std::string& definition) override;
    QString SubjectName() const override;
    QString ExampleLabel(const std::string& labelTemplate) const override;

    // The thumbnail RenderDefinition makes, made on the calling thread.
    static QImage Render(IComponentProvider& provider, const std::optional<CatalogItem>& subject,
                         const std::string& iniFile, const std::string& definition);

private:
    IComponentProvider& m_provider;
    std::optional<CatalogItem> m_subject;
    std::string m_strIniFile;
    // Made at the first check; only ever used on the user-interface thread.
    std::unique_ptr<quorex::IChartControl> m_checker;
    // Renders, one at a time. Nobody waits on their futures, which could run them on the
    // waiting thread; this pool is waited for instead.
    QThreadPool m_pool;
};

} // namespace mosgrid
