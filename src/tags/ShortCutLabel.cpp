#include "tags/ShortCutLabel.h"

using namespace Qt::StringLiterals;

namespace shortcutlabel {
std::optional<qint16> position(QStringView slot)
{
    if (slot == u"-1")
        return qint16(-1);
    // At most five digits, no sign, no leading zero except "0" itself.
    if (slot.isEmpty() || slot.size() > 5 || (slot.size() > 1 && slot.front() == u'0'))
        return std::nullopt;
    int value = 0;
    for (QChar c : slot) {
        if (c < u'0' || c > u'9') // ASCII digits only, not full-width ones
            return std::nullopt;
        value = value * 10 + (c.unicode() - u'0');
    }
    if (value > 32767)
        return std::nullopt;
    return qint16(value);
}

QString shortText(QStringView slot, const std::function<QString(int)> &entryAt)
{
    const std::optional<qint16> pos = position(slot);
    if (!pos)
        return u"NONE"_s;
    const QString entry = entryAt(*pos);
    // Four characters; a surrogate pair counts as one and is never cut in half.
    qsizetype end = 0;
    for (int n = 0; n < 4 && end < entry.size(); ++n) {
        if (entry.at(end).isHighSurrogate() && end + 1 < entry.size() && entry.at(end + 1).isLowSurrogate())
            end += 2;
        else
            end += 1;
    }
    return entry.left(end);
}

QString caption(const std::array<QString, SlotCount> &slotTexts, const std::function<QString(int)> &entryAt)
{
    QString text = u" "_s;
    for (int k = 0; k < SlotCount; ++k)
        text += u'F' + QString::number(k + 1) + u':' + shortText(slotTexts[k], entryAt) + u' ';
    return text;
}
} // namespace shortcutlabel
