// Every caption, button text and label of the three windows shows whole at
// the designed sizes: each text measured with the font its control really
// uses, against the room the control's style leaves for it (a check box's
// indicator and spacing, a button's frame, a combo box's arrow and its text
// box's margins).
#include "TestRegistry.h"
#include "WindowFixture.h"
#include "browse/SaveasFrm.h"
#include "browse/SaveasFrmDesign.h"
#include "core/TesselFrmDesign.h"
#include "look/HelpTexts.h"
#include "search/SearchFrm.h"
#include "search/SearchFrmDesign.h"
#include "ui/Fonts.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFontInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QStyleOptionButton>
#include <QStyleOptionComboBox>

#include <algorithm>
#include <tuple>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {
// The room a control's style leaves for one line of its text.
QRect textRoom(QWidget *w)
{
    QStyle *style = w->style();
    QStyleOptionButton button;
    button.initFrom(w);
    if (qobject_cast<QCheckBox *>(w))
        return style->subElementRect(QStyle::SE_CheckBoxContents, &button, w);
    if (qobject_cast<QPushButton *>(w))
        return style->subElementRect(QStyle::SE_PushButtonContents, &button, w);
    if (auto *combo = qobject_cast<QComboBox *>(w)) {
        QStyleOptionComboBox opt;
        opt.initFrom(combo);
        opt.editable = true;
        // The text box in the field keeps 2 pixels either side of the text.
        return style->subControlRect(QStyle::CC_ComboBox, &opt, QStyle::SC_ComboBoxEditField, combo)
            .marginsRemoved(combo->lineEdit()->textMargins())
            .adjusted(2, 0, -2, 0);
    }
    return qobject_cast<QLabel *>(w)->contentsRect();
}

// The size the text needs in the control's own font, and the room it has.
std::pair<QSize, QSize> measure(QWidget *w, QString text)
{
    const QFontMetrics fm(w->font());
    const QRect room = textRoom(w);
    if (auto *label = qobject_cast<QLabel *>(w); label && label->wordWrap())
        return {fm.boundingRect(QRect(0, 0, room.width(), 10000), Qt::TextWordWrap, text.replace(u"\r\n"_s, u"\n"_s)).size(),
                room.size()};
    return {QSize(fm.horizontalAdvance(text), fm.height()), room.size()};
}

QWidget *childNamed(QWidget *form, const QString &name)
{
    return form->findChild<QWidget *>(name, Qt::FindDirectChildrenOnly);
}

// Controls that show the user's or the document's text, not a caption.
const QStringList NoCaption{u"EditTxt"_s,      u"HTMLLst"_s,      u"Drive"_s,       u"Dir1"_s,
                             u"File"_s,         u"FilenameLbl"_s,  u"ShortCutsLbl"_s, u"FilenameTxt"_s,
                             u"SearchTxt"_s,    u"ReplaceTxt"_s};

struct Caption {
    const char *window;
    const char *control;
    QString text;
};

// Every caption the program puts on a control of its three windows. The size
// label: up to 100 MB in Shift_JIS, UTF-8 and EUC-JP, up to 1 MB in
// ISO-2022-JP, whose longer name leaves room for three digits.
std::vector<Caption> captions()
{
    const std::vector<std::tuple<const char *, const char *, QStringList>> controls = {
        {"TesselFrm", "SearchCmd", {u"検索・置換"_s}}, {"TesselFrm", "PresetChk", {u"プリセットを使う"_s}},
        {"TesselFrm", "NewBtn", {u"新規作成"_s}},      {"TesselFrm", "OpenBtn", {u"開く"_s}},
        {"TesselFrm", "CancelBtn", {u"編集内容の破棄"_s}}, {"TesselFrm", "SaveBtn", {u"保存"_s}},
        {"TesselFrm", "SaveasBtn", {u"名前を変えて保存"_s}}, {"TesselFrm", "ColorCmd", {u"暗くする"_s, u"元に戻す"_s}},
        {"TesselFrm", "TailCmb", {u"html"_s, u"txt"_s, u"(その他)"_s}},
        {"TesselFrm", "ByteLbl", {u"0 KB"_s, u"99999 KB UTF-8"_s, u"99999 KB EUC-JP"_s, u"999 KB ISO-2022-JP"_s}},
        {"SaveasFrm", "TailCmb", {u".html"_s, u".txt"_s, u"(その他)"_s}},
        {"SaveasFrm", "SaveCmd", {u"保存"_s}},          {"SaveasFrm", "CancelCmd", {u"キャンセル"_s}},
        {"SearchFrm", "SearchLbl", {u"検索語句："_s}},   {"SearchFrm", "ReplaceLbl", {u"置換語句："_s}},
        {"SearchFrm", "SearchCmd", {u"下を検索"_s}},     {"SearchFrm", "ReSearchCmd", {u"上を検索"_s}},
        {"SearchFrm", "ReplaceCmd", {u"置換"_s}},        {"SearchFrm", "AllReplaceCmd", {u"全て置換"_s}},
        {"SearchFrm", "CancelCmd", {u"キャンセル"_s}},
    };
    std::vector<Caption> rows;
    for (const auto &[window, control, texts] : controls)
        for (const QString &text : texts)
            rows.push_back({window, control, text});
    // The help label, word-wrapped, shows each help text whole.
    for (int id = 0; id < helptexts::Count; ++id)
        rows.push_back({"TesselFrm", "DescriptionLbl", helptexts::text(id)});
    return rows;
}
} // namespace

class CaptionsTest : public QObject
{
    Q_OBJECT
  private slots:
    void everyCaptionShowsWhole_data()
    {
        QTest::addColumn<QString>("window");
        QTest::addColumn<QString>("control");
        QTest::addColumn<QString>("text");
        for (const Caption &c : captions())
            QTest::addRow("%s %s %s", c.window, c.control, qPrintable(c.text.left(10)))
                << QString::fromLatin1(c.window) << QString::fromLatin1(c.control) << c.text;
    }

    void everyCaptionShowsWhole()
    {
        QFETCH(QString, window);
        QFETCH(QString, control);
        QFETCH(QString, text);
        WindowFixture f;
        TesselFrm &frm = f.create();
        QWidget *form = &frm;
        if (window == u"SaveasFrm")
            form = frm.saveasFrm();
        else if (window == u"SearchFrm") {
            frm.SearchCmd_Click();
            form = frm.searchFrm();
        }
        QWidget *w = childNamed(form, control);
        QVERIFY(w);
        // The font the control really uses: a Japanese Gothic, not a fallback.
        QVERIFY2(QFontInfo(w->font()).family() == QFontInfo(fonts::japaneseGothic(9)).family(),
                 qPrintable(QFontInfo(w->font()).family()));
        const auto [need, have] = measure(w, text);
        QVERIFY2(need.width() <= have.width() && need.height() <= have.height(),
                 qPrintable(u"%1 needs %2 x %3, has %4 x %5"_s.arg(QFontInfo(w->font()).family())
                                .arg(need.width()).arg(need.height()).arg(have.width()).arg(have.height())));
    }

    void everyControlIsMeasuredOrShowsTheUsersText()
    {
        const std::vector<Caption> rows = captions();
        const std::pair<const char *, std::span<const ControlPlace>> windows[] = {
            {"TesselFrm", tesselfrm::Design}, {"SaveasFrm", saveasfrm::Design}, {"SearchFrm", searchfrm::Design}};
        for (const auto &[window, design] : windows)
            for (const ControlPlace &c : design) {
                const QString name = QString::fromUtf16(c.name);
                const bool measured = std::any_of(rows.begin(), rows.end(), [&](const Caption &row) {
                    return qstrcmp(row.window, window) == 0 && name == QLatin1StringView(row.control);
                });
                QVERIFY2(measured != NoCaption.contains(name), qPrintable(QString::fromLatin1(window) + u' ' + name));
            }
    }
};

TESSARA_TEST_CLASS(CaptionsTest)
#include "CaptionsTest.moc"
