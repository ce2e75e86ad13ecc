#include "ParsedTexts.h"

#include "ChartGrammar.h"
#include "DefinitionCheck.h"
#include "TextCache.h"

namespace quorex::chart {

namespace {

TextCache<DefinitionReading>& Definitions()
{
    static TextCache<DefinitionReading> cache(kCachedDefinitions);
    return cache;
}

TextCache<ChartParams>& Parameters()
{
    static TextCache<ChartParams> cache(kCachedParameters);
    return cache;
}

} // namespace

DefinitionReading ReadDefinition(std::string_view text)
{
    DefinitionReading reading;
    reading.definition = ParseDefinition(text);
    reading.blank = ParseItems(text).empty();
    reading.problems = DefinitionProblems(text);
    return reading;
}

std::shared_ptr<const DefinitionReading> CachedDefinition(std::string_view text)
{
    return Definitions().Get(text, ReadDefinition);
}

std::shared_ptr<const ChartParams> CachedParams(std::string_view text)
{
    return Parameters().Get(text, ParseParams);
}

ParseCacheState CachedParseState()
{
    return {Definitions().parses(), Parameters().parses(), Definitions().size(),
            Parameters().size()};
}

} // namespace quorex::chart
