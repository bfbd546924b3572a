#include "ScriptedInputBoxes.h"

using namespace Qt::StringLiterals;

static QString describe(const InputBox &box)
{
    return u"[\""_s + box.prompt + u"\" title \""_s + box.title + (box.digitsOnly ? u"\", digits]"_s : u"\"]"_s);
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
