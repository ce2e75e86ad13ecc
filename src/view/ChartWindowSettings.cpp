#include "view/ChartWindowSettings.h"

#include "settings/SettingsStore.h"

#include <QString>
#include <QStringList>

#include <algorithm>

namespace mosgrid {

namespace {

constexpr int kGeometryParts = 4;

QRect ParseGeometry(const std::string& text)
{
    const QStringList parts = QString::fromStdString(text).split(QLatin1Char(','));
    if (parts.size() != kGeometryParts)
        return {};
    int values[kGeometryParts] = {};
    for (int i = 0; i < kGeometryParts; ++i) {
        bool ok = false;
        values[i] = parts[i].trimmed().toInt(&ok);
        if (!ok)
            return {};
    }
    const QRect rect(values[0], values[1], values[2], values[3]);
    return rect.width() > 0 && rect.height() > 0 ? rect : QRect();
}

std::string GeometryText(const QRect& rect)
{
    return QStringLiteral("%1,%2,%3,%4")
        .arg(rect.x()).arg(rect.y()).arg(rect.width()).arg(rect.height()).toStdString();
}

std::string Key(int index)
{
    return QString::fromLatin1(ChartWindowKeys::kChartFormat).arg(index).toStdString();
}

} // namespace

ChartWindowSettings ChartWindowSettings::Read(const SettingsStore& settings)
{
    using namespace ChartWindowKeys;
    ChartWindowSettings read;
    read.geometry = ParseGeometry(settings.ReadText(kSection, kGeometry, ""));
    read.bars = std::max(0, settings.ReadInt(kSection, kBars, 0));
    read.period = PeriodChoiceNamed(settings.ReadText(kSection, kPeriod, ""))
                      .value_or(PeriodChoice::Definitions);
    read.log = settings.ReadInt(kSection, kLog, 0) != 0;
    read.slideSeconds = std::clamp(settings.ReadInt(kSection, kSlideSeconds,
                                                    kDefaultSlideSeconds),
                                   kMinSlideSeconds, kMaxSlideSeconds);
    const int count = std::clamp(settings.ReadInt(kSection, kDefinitions, 0), 0,
                                 kMaxDefinitions);
    for (int i = 0; i < count; ++i) {
        const std::string definition = settings.ReadText(kSection, Key(i), "");
        if (!definition.empty())
            read.definitions.push_back(definition);
    }
    read.ownDefinitions = !read.definitions.empty()
        && settings.ReadInt(kSection, kOwnDefinitions, 0) != 0;
    return read;
}

void ChartWindowSettings::WriteState(SettingsStore& settings) const
{
    using namespace ChartWindowKeys;
    SettingsWriteBatch writes;
    if (geometry.isValid())
        writes.push_back({kSection, kGeometry, GeometryText(geometry)});
    writes.push_back({kSection, kBars, std::to_string(bars)});
    writes.push_back({kSection, kPeriod, std::string(PeriodChoiceWord(period))});
    writes.push_back({kSection, kLog, log ? "1" : "0"});
    writes.push_back({kSection, kOwnDefinitions, ownDefinitions ? "1" : "0"});
    settings.WriteTexts(writes);
}

} // namespace mosgrid
