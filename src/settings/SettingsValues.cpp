#include "settings/SettingsValues.h"

#include "settings/SettingsStore.h"
#include "settings/IniText.h"
#include "settings/SettingsKeys.h"

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <optional>
#include <string_view>

namespace mosgrid {

namespace {

using namespace SettingsKeys;

// "Chart" of "Chart%d".
std::string_view ChartKeyPrefix()
{
    const std::string_view format = kChartFormat;
    return format.substr(0, format.find('%'));
}

// The position i of a key spelled as "Chart%d" makes it for i, case aside; other
// spellings ("Chart01", "Chart+1") are keys no reader asks for.
std::optional<int> ChartKeyPosition(std::string_view key)
{
    if (!IniText::StartsWithNoCase(key, ChartKeyPrefix()))
        return std::nullopt;
    const std::string_view digits = key.substr(ChartKeyPrefix().size());
    if (digits.empty() || (digits.size() > 1 && digits.front() == '0'))
        return std::nullopt;
    int position = 0;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(),
                                              position);
    if (error != std::errc() || end != digits.data() + digits.size() || digits.front() == '-')
        return std::nullopt;
    return position;
}

} // namespace

std::vector<std::string> EffectiveChartDefinitions(const SettingsStore& settings)
{
    const int count = settings.ReadInt(kSectionChart, kNum, kDefaultNum);
    if (count == 0)
        return {kBuiltInChart};
    if (count < 0)
        return {};

    // The keys present, not the positions 0..count-1: a hand-edited "Num" of two billion
    // costs no more than the file's own keys.
    std::vector<std::pair<int, std::string>> found;
    for (auto& [key, value] : settings.ReadSection(kSectionChart)) {
        const std::optional<int> position = ChartKeyPosition(key);
        if (position && *position < count && !value.empty())
            found.emplace_back(*position, std::move(value));
    }
    std::sort(found.begin(), found.end(),
              [](const auto& a, const auto& b) { return a.first < b.first; });

    std::vector<std::string> definitions;
    definitions.reserve(found.size());
    for (auto& item : found)
        definitions.push_back(std::move(item.second));
    return definitions;
}

std::vector<std::string> EffectiveChartDefinitions(const SettingsStore& settings, int limit)
{
    const int count = settings.ReadInt(kSectionChart, kNum, kDefaultNum);
    if (count == 0)
        return {kBuiltInChart};
    std::vector<std::string> definitions;
    char key[sizeof(kChartFormat) + 12];
    for (int i = 0; i < std::min(count, limit); ++i) {
        std::snprintf(key, sizeof key, kChartFormat, i);
        std::string value = settings.ReadText(kSectionChart, key, "");
        if (!value.empty())
            definitions.push_back(std::move(value));
    }
    return definitions;
}

std::string EffectiveCommonParams(const SettingsStore& settings)
{
    std::string param = settings.ReadText(kSectionCharts, kParam, "");
    return param.empty() ? std::string(kBuiltInParam) : param;
}

QRgb ColorRefToRgb(ColorRef color)
{
    return qRgb(int(color & 0xFF), int((color >> 8) & 0xFF), int((color >> 16) & 0xFF));
}

ColorRef RgbToColorRef(QRgb rgb)
{
    return ColorRef(qRed(rgb)) | ColorRef(qGreen(rgb)) << 8 | ColorRef(qBlue(rgb)) << 16;
}

LabelStyle ReadLabelStyle(const SettingsStore& settings)
{
    LabelStyle style;
    style.backColor = ColorRef(settings.ReadInt(kSectionName, kBackColor, kDefaultBackColor));
    style.textColor = ColorRef(settings.ReadInt(kSectionName, kTextColor, kDefaultTextColor));
    style.transparent = settings.ReadInt(kSectionName, kTransParent, kDefaultTransParent) != 0;
    return style;
}

int UsableThumbnailExtent(int stored, int defaultValue)
{
    if (stored < kMinUsableSize)
        return defaultValue;
    return std::min(stored, kMaxUsableSize);
}

ThumbnailSize ReadThumbnailSize(const SettingsStore& settings)
{
    ThumbnailSize size;
    size.width = UsableThumbnailExtent(settings.ReadInt(kSectionChart, kSizeX, kDefaultSizeX),
                                       kDefaultSizeX);
    size.height = UsableThumbnailExtent(settings.ReadInt(kSectionChart, kSizeY, kDefaultSizeY),
                                        kDefaultSizeY);
    return size;
}

} // namespace mosgrid
