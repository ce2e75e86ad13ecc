#pragma once

#include <QFont>
#include <QHash>
#include <QString>

#include <optional>

namespace quorex::chart {

// What is worked out for texts in one font (widths, layouts), for the font last asked
// about: another font, or more than `MaxTexts` texts, starts it afresh. Not locked: each
// thread keeps its own (thread_local).
template <class Value, int MaxTexts>
class FontTextCache {
public:
    // The value for `text` in `font`, from `make()` when it is not kept.
    template <class Make>
    Value Get(const QFont& font, const QString& text, Make&& make)
    {
        if (!m_font || *m_font != font || m_values.size() >= MaxTexts) {
            m_font = font;
            m_values.clear();
        }
        if (const auto found = m_values.constFind(text); found != m_values.cend())
            return *found;
        Value value = make();
        m_values.insert(text, value);
        return value;
    }

private:
    std::optional<QFont> m_font;
    QHash<QString, Value> m_values;
};

} // namespace quorex::chart
