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
#include <QTest>

using namespace Qt::StringLiterals;

namespace {
// The room a control leaves for one line of its text.
QRect textRoom(QWidget *w)
{
    QStyle *style = w->style();
    if (auto *box = qobject_cast<QCheckBox *>(w)) {
        QStyleOptionButton opt;
        opt.initFrom(box);
        opt.text = box->text();
        return style->subElementRect(QStyle::SE_CheckBoxContents, &opt, box);
    }
    if (auto *button = qobject_cast<QPushButton *>(w)) {
        QStyleOptionButton opt;
        opt.initFrom(button);
        opt.text = button->text();
        if (button->autoDefault())
            opt.features |= QStyleOptionButton::AutoDefaultButton;
        return style->subElementRect(QStyle::SE_PushButtonContents, &opt, button);
    }
    if (auto *combo = qobject_cast<QComboBox *>(w)) {
        QStyleOptionComboBox opt;
        opt.initFrom(combo);
        opt.editable = combo->isEditable();
        QRect field = style->subControlRect(QStyle::CC_ComboBox, &opt, QStyle::SC_ComboBoxEditField, combo);
        if (QLineEdit *edit = combo->lineEdit()) {
            // The text box in the field keeps margins of its own around the text.
            const QMargins m = edit->textMargins();
            field = field.marginsRemoved(m).adjusted(2, 1, -2, -1);
        }
        return field;
    }
    if (auto *label = qobject_cast<QLabel *>(w))
        return label->contentsRect().adjusted(label->margin(), label->margin(), -label->margin(), -label->margin());
    return w->rect();
}

struct Room {
    QSize need;
    QSize have;
};

Room measure(QWidget *w, const QString &text)
{
    const QFontMetrics fm(w->font());
    const QRect room = textRoom(w);
    auto *label = qobject_cast<QLabel *>(w);
    QString shown = text;
    shown.replace(u"\r\n"_s, u"\n"_s);
    if (!qobject_cast<QLabel *>(w))
        shown.remove(u'&'); // a button's mnemonic marker takes no room
    if (label && label->wordWrap()) {
        const QRect r = fm.boundingRect(QRect(0, 0, room.width(), 100000), Qt::TextWordWrap, shown);
        return {r.size(), room.size()};
    }
    int width = 0;
    const QStringList lines = shown.split(u'\n');
    for (const QString &line : lines)
        width = qMax(width, fm.horizontalAdvance(line));
    return {QSize(width, fm.height() * int(lines.size())), room.size()};
}

QWidget *childNamed(QWidget *form, const QString &name) { return form->findChild<QWidget *>(name, Qt::FindDirectChildrenOnly); }

// Controls whose text is the user's or the document's, not a caption.
const QStringList NoCaption{u"EditTxt"_s, u"HTMLLst"_s, u"Drive"_s, u"Dir1"_s, u"File"_s,
                             u"FilenameLbl"_s, u"ShortCutsLbl"_s, u"FilenameTxt"_s, u"SearchTxt"_s, u"ReplaceTxt"_s};

struct Caption {
    const char *window;
    const char *control;
    QString text;
};

// Every caption the program puts on a control of its three windows.
std::vector<Caption> captions()
{
    std::vector<Caption> rows = {
        {"TesselFrm", "SearchCmd", u"検索・置換"_s},
        {"TesselFrm", "PresetChk", u"プリセットを使う"_s},
        {"TesselFrm", "NewBtn", u"新規作成"_s},
        {"TesselFrm", "OpenBtn", u"開く"_s},
        {"TesselFrm", "CancelBtn", u"編集内容の破棄"_s},
        {"TesselFrm", "SaveBtn", u"保存"_s},
        {"TesselFrm", "SaveasBtn", u"名前を変えて保存"_s},
        {"TesselFrm", "ColorCmd", u"暗くする"_s},
        {"TesselFrm", "ColorCmd", u"元に戻す"_s},
        {"TesselFrm", "TailCmb", u"html"_s},
        {"TesselFrm", "TailCmb", u"txt"_s},
        {"TesselFrm", "TailCmb", u"(その他)"_s},
        // The size label: up to 100 MB in Shift_JIS, UTF-8 and EUC-JP; up to
        // 1 MB in ISO-2022-JP, whose longer name leaves room for three digits.
        {"TesselFrm", "ByteLbl", u"0 KB"_s},
        {"TesselFrm", "ByteLbl", u"99999 KB"_s},
        {"TesselFrm", "ByteLbl", u"99999 KB UTF-8"_s},
        {"TesselFrm", "ByteLbl", u"99999 KB EUC-JP"_s},
        {"TesselFrm", "ByteLbl", u"999 KB ISO-2022-JP"_s},
        {"SaveasFrm", "TailCmb", u".html"_s},
        {"SaveasFrm", "TailCmb", u".txt"_s},
        {"SaveasFrm", "TailCmb", u"(その他)"_s},
        {"SaveasFrm", "SaveCmd", u"保存"_s},
        {"SaveasFrm", "CancelCmd", u"キャンセル"_s},
        {"SearchFrm", "SearchLbl", u"検索語句："_s},
        {"SearchFrm", "ReplaceLbl", u"置換語句："_s},
        {"SearchFrm", "SearchCmd", u"下を検索"_s},
        {"SearchFrm", "ReSearchCmd", u"上を検索"_s},
        {"SearchFrm", "ReplaceCmd", u"置換"_s},
        {"SearchFrm", "AllReplaceCmd", u"全て置換"_s},
        {"SearchFrm", "CancelCmd", u"キャンセル"_s},
    };
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
        const Room r = measure(w, text);
        QVERIFY2(r.need.width() <= r.have.width() && r.need.height() <= r.have.height(),
                 qPrintable(u"%1 needs %2 x %3, has %4 x %5"_s.arg(QFontInfo(w->font()).family())
                                .arg(r.need.width()).arg(r.need.height()).arg(r.have.width()).arg(r.have.height())));
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
