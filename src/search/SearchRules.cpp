#include "search/SearchRules.h"

#include <algorithm>

namespace searchrules
{

qsizetype findFrom(QStringView text, QStringView word, qsizetype from)
{
    from = std::max<qsizetype>(from, 0);
    const qsizetype lastStart = text.size() - word.size();
    if (word.isEmpty() || from > lastStart)
        return -1;
    // Candidates by their first character, which Qt scans for with vector
    // instructions; on long documents this beats a rolling hash several times.
    const QChar first = word.front();
    const QStringView rest = word.sliced(1);
    qsizetype misses = 0;
    for (qsizetype q = from;; ++q) {
        q = text.indexOf(first, q, Qt::CaseSensitive);
        if (q < 0 || q > lastStart)
            return -1;
        if (text.sliced(q + 1, rest.size()) == rest)
            return q;
        // When the first character is nearly everywhere, candidates come too
        // thick for this to pay; Qt's own search does not depend on them.
        if (++misses > 64 && misses * 16 > q - from)
            return text.indexOf(word, q + 1, Qt::CaseSensitive);
    }
}

qsizetype findBefore(QStringView text, QStringView word, qsizetype end)
{
    // lastIndexOf counts a negative start from the end, so the bounds are ours.
    const qsizetype lastStart = std::min(end, text.size()) - word.size();
    if (word.isEmpty() || lastStart < 0)
        return -1;
    return text.lastIndexOf(word, lastStart, Qt::CaseSensitive);
}

QString replaceAll(QStringView text, QStringView word, QStringView with)
{
    qsizetype q = findFrom(text, word, 0);
    if (q < 0)
        return text.toString();
    QString out;
    out.reserve(with.size() > word.size() ? text.size() + text.size() / 4 : text.size());
    qsizetype copied = 0;
    for (; q >= 0; q = findFrom(text, word, copied)) {
        out.append(text.sliced(copied, q - copied));
        out.append(with);
        copied = q + word.size();
    }
    out.append(text.sliced(copied));
    return out;
}

} // namespace searchrules
