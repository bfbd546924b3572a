#include "text/LineCodes.h"

namespace {
bool isLineEnd(char16_t c) { return c == u'\r' || c == u'\n'; }

// Calls f(start, length) for each run of characters between line ends.
template<typename F>
void forEachLine(QStringView text, F f)
{
    const char16_t *p = text.utf16();
    const qsizetype n = text.size();
    qsizetype start = 0;
    for (qsizetype i = 0; i <= n; ++i) {
        if (i == n || isLineEnd(p[i])) {
            if (i > start)
                f(start, i - start);
            start = i + 1;
        }
    }
}
} // namespace

std::shared_ptr<const LineCodes> LineCodes::collect(QStringView text, const CodesAt &read)
{
    if (read.empty())
        return nullptr;
    auto codes = std::make_shared<LineCodes>();
    for (const CodeAt &at : read)
        codes->m_chars[text[at.index].unicode()] = true;
    auto next = read.cbegin();
    forEachLine(text, [&](qsizetype start, qsizetype length) {
        Places places;
        for (qsizetype i = start; i < start + length; ++i) {
            const char16_t c = text[i].unicode();
            if (!codes->concerns(c))
                continue;
            while (next != read.cend() && next->index < i)
                ++next;
            const std::uint32_t code = next != read.cend() && next->index == i ? next->code : 0;
            places.push_back({i - start, c, code});
        }
        if (!places.empty())
            codes->m_lines[qHash(text.sliced(start, length))].push_back(std::move(places));
    });
    return codes;
}

CodesAt LineCodes::placesIn(QStringView text) const
{
    CodesAt out;
    QHash<size_t, size_t> taken; // how many lines of each text have been found so far
    forEachLine(text, [&](qsizetype start, qsizetype length) {
        Places here;
        for (qsizetype i = start; i < start + length; ++i)
            if (concerns(text[i].unicode()))
                here.push_back({i - start, text[i].unicode(), 0});
        if (here.empty())
            return;
        const auto found = m_lines.constFind(qHash(text.sliced(start, length)));
        if (found == m_lines.cend())
            return;
        size_t &k = taken[found.key()];
        const Places &read = (*found)[std::min(k, found->size() - 1)];
        ++k;
        if (read.size() != here.size())
            return;
        for (size_t j = 0; j < read.size(); ++j)
            if (read[j].offset != here[j].offset || read[j].ch != here[j].ch)
                return;
        for (const Place &p : read)
            out.push_back({start + p.offset, p.code});
    });
    return out;
}
