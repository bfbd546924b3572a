#include "ScriptedMessageBoxes.h"

using namespace Qt::StringLiterals;

void ScriptedMessageBoxes::expect(const MsgBox &box, MsgAnswer answer, Action whileShown)
{
    m_expected.append({box, answer, std::move(whileShown), false});
}

void ScriptedMessageBoxes::expectStartingWith(const MsgBox &box, MsgAnswer answer, Action whileShown)
{
    m_expected.append({box, answer, std::move(whileShown), true});
}

static QString name(MsgButtons b)
{
    switch (b) {
    case MsgButtons::Ok: return u"OK"_s;
    case MsgButtons::YesNo: return u"Yes/No"_s;
    case MsgButtons::YesNoCancel: return u"Yes/No/Cancel"_s;
    }
    return {};
}

static QString name(MsgIcon i)
{
    switch (i) {
    case MsgIcon::None: return u"no icon"_s;
    case MsgIcon::Exclamation: return u"exclamation"_s;
    case MsgIcon::Information: return u"information"_s;
    }
    return {};
}

static QString name(MsgAnswer a)
{
    switch (a) {
    case MsgAnswer::Ok: return u"OK"_s;
    case MsgAnswer::Yes: return u"Yes"_s;
    case MsgAnswer::No: return u"No"_s;
    case MsgAnswer::Cancel: return u"Cancel"_s;
    }
    return {};
}

QString ScriptedMessageBoxes::describe(const MsgBox &box)
{
    QString text = box.text;
    text.replace(u"\r\n"_s, u"<CRLF>"_s);
    return u"[\""_s + text + u"\" title \""_s + box.title + u"\", "_s + name(box.buttons) + u", "_s +
           name(box.icon) + u", default "_s + name(box.defaultButton) + u']';
}

MsgAnswer ScriptedMessageBoxes::ask(const MsgBox &box)
{
    m_shown.append(box);
    if (m_expected.isEmpty()) {
        m_problems << u"unexpected box "_s + describe(box);
        return box.buttons == MsgButtons::Ok ? MsgAnswer::Ok
               : box.buttons == MsgButtons::YesNo ? MsgAnswer::No
                                                  : MsgAnswer::Cancel;
    }
    Step step = m_expected.takeFirst();
    MsgBox compared = box;
    if (step.prefix && box.text.startsWith(step.box.text))
        compared.text = step.box.text;
    if (!(step.box == compared))
        m_problems << u"expected box "_s + describe(step.box) + u" but got "_s + describe(box);
    if (step.action)
        step.action();
    return step.answer;
}

QString ScriptedMessageBoxes::problems() const
{
    QStringList all = m_problems;
    for (const Step &s : m_expected)
        all << u"box never shown: "_s + describe(s.box);
    return all.join(u'\n');
}

void ScriptedMessageBoxes::reset()
{
    m_expected.clear();
    m_shown.clear();
    m_problems.clear();
}
