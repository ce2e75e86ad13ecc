#include "sheet/ByteLimit.h"

#include <algorithm>

namespace mosgrid {

namespace {

// UTF-8 bytes of the character ending at `end` (exclusive) and its UTF-16 units.
std::pair<qsizetype, qsizetype> CharacterBefore(QStringView text, qsizetype end)
{
    const QChar last = text[end - 1];
    if (last.isLowSurrogate() && end >= 2 && text[end - 2].isHighSurrogate())
        return {4, 2};
    const char16_t unit = last.unicode();
    if (unit < 0x80)
        return {1, 1};
    return {unit < 0x800 ? 2 : 3, 1};
}

} // namespace

qsizetype Utf8Size(QStringView text)
{
    qsizetype bytes = 0;
    for (qsizetype end = text.size(); end > 0;) {
        const auto [size, units] = CharacterBefore(text, end);
        bytes += size;
        end -= units;
    }
    return bytes;
}

qsizetype Utf8ExcessBefore(QStringView text, qsizetype pos, qsizetype maxBytes)
{
    qsizetype over = Utf8Size(text) - maxBytes;
    qsizetype end = std::clamp<qsizetype>(pos, 0, text.size());
    qsizetype taken = 0;
    while (over > 0 && end > 0) {
        const auto [size, units] = CharacterBefore(text, end);
        over -= size;
        end -= units;
        taken += units;
    }
    return taken;
}

ByteLimitValidator::ByteLimitValidator(qsizetype maxBytes, QObject* parent)
    : QValidator(parent)
    , m_maxBytes(maxBytes)
{
}

QValidator::State ByteLimitValidator::validate(QString& input, int& pos) const
{
    if (!m_stored.isEmpty() && input == m_stored)
        return Acceptable;
    const qsizetype excess = Utf8ExcessBefore(input, pos, m_maxBytes);
    if (excess > 0) {
        input.remove(pos - excess, excess);
        pos -= static_cast<int>(excess);
    }
    // Text set as a whole (the cursor at its start) is cut at its end.
    while (Utf8Size(input) > m_maxBytes)
        input.chop(input.size() >= 2 && input.back().isLowSurrogate() ? 2 : 1);
    pos = std::min<int>(pos, static_cast<int>(input.size()));
    return Acceptable;
}

} // namespace mosgrid
