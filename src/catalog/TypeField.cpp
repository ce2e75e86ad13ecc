#include "catalog/TypeField.h"

#include <clocale>
#include <cstdlib>
#include <limits>

namespace mosgrid {

namespace {

// The C locale's idea of white space, whatever locale the application has set.
locale_t classicLocale()
{
    static const locale_t locale = ::newlocale(LC_ALL_MASK, "C", locale_t{});
    return locale;
}

} // namespace

std::int32_t ParseTypeField(const std::string& field)
{
    const long value = ::strtol_l(field.c_str(), nullptr, 10, classicLocale());
    if (value > std::numeric_limits<std::int32_t>::max())
        return std::numeric_limits<std::int32_t>::max();
    if (value < std::numeric_limits<std::int32_t>::min())
        return std::numeric_limits<std::int32_t>::min();
    return static_cast<std::int32_t>(value);
}

} // namespace mosgrid
