#include "text/AltCodes.h"

#include <vector>

AltCodeChoice AltCodeTally::choose(QStringView text) const
{
    AltCodeChoice choice;
    if (m_counts.isEmpty())
        return choice;
    QHash<char16_t, qsizetype> total;
    std::vector<bool> wanted(0x10000, false);
    for (auto it = m_counts.cbegin(); it != m_counts.cend(); ++it)
        wanted[it.key().ch] = true;
    for (const QChar c : text)
        if (wanted[c.unicode()])
            ++total[c.unicode()];

    // The usual code wins unless another was used more often.
    QHash<char16_t, std::pair<std::uint32_t, qsizetype>> best;
    for (auto it = m_counts.cbegin(); it != m_counts.cend(); ++it) {
        const char16_t ch = it.key().ch;
        qsizetype usual = total.value(ch);
        for (auto jt = m_counts.cbegin(); jt != m_counts.cend(); ++jt)
            if (jt.key().ch == ch)
                usual -= jt.value();
        auto b = best.find(ch);
        if (b == best.end())
            b = best.insert(ch, {0, usual});
        const bool more = it.value() > b->second;
        const bool tieLowerCode = it.value() == b->second && b->first != 0 && it.key().code < b->first;
        if (more || tieLowerCode)
            *b = {it.key().code, it.value()};
    }
    for (auto it = best.cbegin(); it != best.cend(); ++it)
        if (it->first != 0)
            choice.insert(it.key(), it->first);
    return choice;
}
