#include "ColumnMap.h"

#include "TextScan.h"

#include <array>

namespace brasko {

namespace {

struct HeaderName {
    std::string_view name;
    int ColumnMap::*column;
};

// Vendors' and brokers' names for the six values; the Japanese ones in UTF-8.
constexpr std::array kHeaderNames{
    HeaderName{"date", &ColumnMap::date},
    HeaderName{"time", &ColumnMap::date},
    HeaderName{"timestamp", &ColumnMap::date},
    HeaderName{"\xE6\x97\xA5\xE4\xBB\x98", &ColumnMap::date}, // 日付
    HeaderName{"open", &ColumnMap::open},
    HeaderName{"\xE5\xA7\x8B\xE5\x80\xA4", &ColumnMap::open}, // 始値
    HeaderName{"high", &ColumnMap::high},
    HeaderName{"\xE9\xAB\x98\xE5\x80\xA4", &ColumnMap::high}, // 高値
    HeaderName{"low", &ColumnMap::low},
    HeaderName{"\xE5\xAE\x89\xE5\x80\xA4", &ColumnMap::low}, // 安値
    HeaderName{"close", &ColumnMap::close},
    HeaderName{"close/last", &ColumnMap::close},
    HeaderName{"price", &ColumnMap::close},
    HeaderName{"\xE7\xB5\x82\xE5\x80\xA4", &ColumnMap::close}, // 終値
    HeaderName{"volume", &ColumnMap::volume},
    HeaderName{"vol.", &ColumnMap::volume},
    HeaderName{"\xE5\x87\xBA\xE6\x9D\xA5\xE9\xAB\x98", &ColumnMap::volume}, // 出来高
};

constexpr std::size_t kPositionalCloseOnlyFields = 2;

} // namespace

std::optional<ColumnMap> ColumnMap::FromHeader(const std::vector<std::string_view>& names)
{
    ColumnMap map;
    for (std::size_t i = 0; i < names.size(); ++i) {
        const std::string_view name = TrimBlanks(names[i]);
        for (const HeaderName& known : kHeaderNames) {
            // The first column of a name wins over a later duplicate.
            if (EqualsNoCase(name, known.name) && map.*known.column < 0) {
                map.*known.column = int(i);
                break;
            }
        }
    }
    // A date and any value make a header; without a close every row is then bad, which
    // is better than taking a volume for the close by position.
    const bool anyValue = map.open >= 0 || map.high >= 0 || map.low >= 0 || map.close >= 0
                          || map.volume >= 0;
    if (map.date < 0 || !anyValue)
        return std::nullopt;
    return map;
}

ColumnMap ColumnMap::ByPosition(std::size_t fieldCount)
{
    if (fieldCount == kPositionalCloseOnlyFields)
        return ColumnMap{0, -1, -1, -1, 1, -1};
    return ColumnMap{0, 1, 2, 3, 4, 5};
}

} // namespace brasko
