#include "ShortCutTestWindow.h"
#include "tags/ShortCutSlots.h"
#include "ui/Label.h"
#include "ui/ListBox.h"

#include <QTest>

using namespace Qt::StringLiterals;

namespace shortcuttest {
QStringList entries(int n)
{
    QStringList list;
    for (int i = 0; i < n; ++i)
        list << u"項目%1"_s.arg(i);
    const std::pair<int, QString> known[] = {
        {0, u" <!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.0 Transitional//EN\" > "_s},
        {1, u"<html> </html>"_s},
        {34, u"<br>"_s},
        {70, u"自分の好きなようにカスタマイズしてください。"_s}};
    for (const auto &[i, text] : known)
        if (i < n)
            list[i] = text;
    return list;
}

Slots slotsOf(const QStringList &texts)
{
    Slots s;
    for (qsizetype k = 0; k < texts.size() && k < qsizetype(s.size()); ++k)
        s[k] = texts.at(k);
    return s;
}

Window::Window(int entryCount, const QByteArray &slotFile)
{
    if (!slotFile.isNull())
        m_fixture.write(u"TagsShortCuts.dat"_s, slotFile);
    TesselFrm &w = m_fixture.create();
    w.HTMLLst->addEntries(entries(entryCount));
    QObject::connect(w.HTMLLst, &ListBox::Click, w.HTMLLst, [this] { m_clicks << frm().HTMLLst->listIndex(); });
    w.shortCuts()->load();
    w.show();
    if (!QTest::qWaitForWindowExposed(&w))
        qWarning("main window not exposed");
}

ShortCutSlots &Window::shortCuts() { return *frm().shortCuts(); }

QString Window::caption() { return frm().ShortCutsLbl->caption(); }

QList<int> Window::takeClicks() { return std::exchange(m_clicks, {}); }
} // namespace shortcuttest
