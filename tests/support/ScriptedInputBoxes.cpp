#include "ScriptedInputBoxes.h"

using namespace Qt::StringLiterals;

namespace {
QString describe(const InputBox &box)
{
    return u"[\""_s + box.prompt + u"\" title \""_s + box.title + u"\""_s +
           (box.digitsOnly ? u", digits only]"_s : u"]"_s);
}
} // namespace

void ScriptedInputBoxes::expect(const InputBox &box, std::optional<QString> answer, Action whileShown)
{
    m_expected.append({box, std::move(answer), std::move(whileShown)});
}

std::optional<QString> ScriptedInputBoxes::ask(const InputBox &box)
{
    if (m_expected.isEmpty()) {
        m_problems << u"unexpected question "_s + describe(box);
        return std::nullopt;
    }
    const Step step = m_expected.takeFirst();
    if (!(step.box == box))
        m_problems << u"expected "_s + describe(step.box) + u", asked "_s + describe(box);
    if (step.action)
        step.action();
    return step.answer;
}

QString ScriptedInputBoxes::problems() const
{
    QStringList all = m_problems;
    for (const Step &s : m_expected)
        all << u"question not asked "_s + describe(s.box);
    return all.join(u"; "_s);
}
