#include "chart/ChartPreview.h"

#include "base/LabelTexts.h"
#include "catalog/DisplayText.h"
#include "chart/ChartHost.h"
#include "chart/IComponentProvider.h"
#include "chart/ItemFacts.h"
#include "chart/LabelTemplate.h"
#include "chart/SampleSeries.h"
#include "chart/SampleSeriesProvider.h"
#include "settings/SettingsStore.h"
#include "settings/SettingsValues.h"

#include <QPainter>
#include <QtConcurrent>

namespace mosgrid {

namespace {

// What the sample series stands for.
CatalogItem SampleItem()
{
    CatalogItem item;
    item.m_strCode = "0000";
    item.m_strName = LabelTexts::kSampleName.toStdString();
    return item;
}

} // namespace

ChartPreview::ChartPreview(IComponentProvider& provider, std::optional<CatalogItem> subject,
                           std::string iniFile)
    : m_provider(provider)
    , m_subject(std::move(subject))
    , m_strIniFile(std::move(iniFile))
{
    m_pool.setMaxThreadCount(1);
}

ChartPreview::~ChartPreview()
{
    m_pool.waitForDone();
    const std::lock_guard lock(m_provider.componentMutex());
    m_checker.reset();
}

QString ChartPreview::CheckDefinition(const std::string& definition)
{
    // Creating a control renders nothing; the check only parses. Created under the
    // provider's component lock, like every component, whatever renders meanwhile.
    if (!m_checker) {
        const std::lock_guard lock(m_provider.componentMutex());
        m_checker = m_provider.CreateChartControl();
    }
    return m_checker ? QString::fromStdString(m_checker->CheckDefinition(definition)) : QString();
}

QFuture<QImage> ChartPreview::RenderDefinition(const std::string& definition)
{
    return QtConcurrent::run(&m_pool, [&provider = m_provider, subject = m_subject,
                                        ini = m_strIniFile, definition] {
        return Render(provider, subject, ini, definition);
    });
}

QString ChartPreview::SubjectName() const
{
    return m_subject ? DisplayText(m_subject->m_strName) : QString();
}

QString ChartPreview::ExampleLabel(const std::string& labelTemplate) const
{
    // Sample prices under a real security's name would read as its own: all of it sample.
    const CatalogItem item = SampleItem();
    return JoinRuns(ExpandLabel(DisplayText(labelTemplate), DisplayText(item.m_strName),
                                DisplayText(item.m_strCode), FactsOf(SampleSeries()->Bars())));
}

QImage ChartPreview::Render(IComponentProvider& provider,
                            const std::optional<CatalogItem>& subject,
                            const std::string& iniFile, const std::string& definition)
{
    SampleSeriesProvider sample(provider);
    IComponentProvider& components = subject ? provider : sample;
    const CatalogItem item = subject.value_or(SampleItem());
    const ThumbnailSize size = ReadThumbnailSize(SettingsStore(iniFile));

    // On a pool thread beside the thumbnail workers: the host takes the provider's component
    // lock while it creates and destroys its components, as theirs do.
    ChartHost host(components, iniFile);
    if (host.CreateHost(size.width, size.height) != 1)
        return {};
    host.SetChartDefinitions({definition});
    QImage image(size.width, size.height, QImage::Format_RGB32);
    {
        QPainter painter(&image);
        host.RenderItem(item);
        host.CaptureItem(painter, 0, 0, item);
    }
    host.DestroyWindow();
    return image;
}

} // namespace mosgrid
