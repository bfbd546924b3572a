#include "core/TesselFrm.h"
#include "core/TesselFrmDesign.h"
#include "browse/Drives.h"
#include "browse/FilePane.h"
#include "browse/MainLayout.h"
#include "browse/SaveasFrm.h"
#include "core/DocumentCommands.h"
#include "core/DocumentWriter.h"
#include "core/ProgramFiles.h"
#include "core/StartupFiles.h"
#include "text/SystemError.h"
#include "text/TextFile.h"
#include "ui/MessageBoxes.h"
#include "ui/ProgramEnd.h"
#include "look/ColourScheme.h"
#include "look/HoverHelp.h"
#include "search/SearchFrm.h"
#include "tags/EditKeys.h"
#include "tags/GoToLine.h"
#include "tags/ShortCutSlots.h"
#include "tags/TagList.h"
#include "ui/Button.h"
#include "ui/CheckBox.h"
#include "ui/ComboBox.h"
#include "ui/DirList.h"
#include "ui/DriveList.h"
#include "ui/EditBox.h"
#include "ui/FileList.h"
#include "ui/Fonts.h"
#include "ui/InputBoxes.h"
#include "ui/Label.h"
#include "ui/ListBox.h"
#include "ui/Twips.h"

#include <QCloseEvent>
#include <QFile>
#include <QGuiApplication>
#include <QScreen>
#include <QWindow>
#include <optional>

#include <cerrno>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace {
template <typename W> W *named(W *w, const QString &name, const QString &accessible)
{
    w->setObjectName(name);
    if (!accessible.isEmpty())
        w->setAccessibleName(accessible);
    return w;
}
} // namespace

TesselFrm::TesselFrm(const Platform &platform, ValueDesc &values, QWidget *parent)
    : QWidget(parent), m_platform(platform), m_values(values), m_drives(std::make_unique<Drives>(platform.browseStart()))
{
    createControls();
    m_tagList = new TagList(*this);
    m_shortCuts = new ShortCutSlots(*this);
    m_filePane = new FilePane(*this);
    m_writer = new DocumentWriter(*this);
    m_commands = new DocumentCommands(*this);
    m_colours = new ColourScheme(*this);
    m_hover = new HoverHelp(*this);

    connect(NewBtn, &Button::Click, this, &TesselFrm::NewBtn_Click);
    connect(OpenBtn, &Button::Click, this, &TesselFrm::OpenBtn_Click);
    connect(SaveBtn, &Button::Click, this, &TesselFrm::SaveBtn_Click);
    connect(SaveasBtn, &Button::Click, this, &TesselFrm::SaveasBtn_Click);
    connect(CancelBtn, &Button::Click, this, &TesselFrm::CancelBtn_Click);
    connect(SearchCmd, &Button::Click, this, &TesselFrm::SearchCmd_Click);
    connect(ColorCmd, &Button::Click, this, &TesselFrm::ColorCmd_Click);
    connect(EditTxt, &EditBox::KeyDown, this, &TesselFrm::EditTxt_KeyDown);
    connect(EditTxt, &EditBox::KeyUp, this, &TesselFrm::EditTxt_KeyUp);
    connect(EditTxt, &EditBox::outOfMemory, this, [this] {
        m_platform.boxes->ask(MsgBox::warning(
            u"メモリが足りないため、貼り付けられません。"_s + u"\r\n"_s + TextFile::outOfMemoryReason(), u"エラー"_s));
    });
    connect(HTMLLst, &ListBox::KeyDown, this, &TesselFrm::HTMLLst_KeyDown);
    connect(HTMLLst, &ListBox::DblClick, this, &TesselFrm::HTMLLst_DblClick);
}

void TesselFrm::createControls()
{
    setObjectName(u"TesselFrm"_s);
    setWindowTitle(u"Tessara"_s);
    setMouseTracking(true);
    setAutoFillBackground(true);
    setFont(fonts::japaneseGothic(9));

    EditTxt = named(new EditBox(this), u"EditTxt"_s, u"編集テキスト"_s);
    EditTxt->setFont(fonts::japaneseGothic(11.25));
    SearchCmd = named(new Button(u"検索・置換"_s, this), u"SearchCmd"_s, {});
    HTMLLst = named(new ListBox(this), u"HTMLLst"_s, u"タグリスト"_s);
    PresetChk = named(new CheckBox(u"プリセットを使う"_s, this), u"PresetChk"_s, {});
    NewBtn = named(new Button(u"新規作成"_s, this), u"NewBtn"_s, {});
    Drive = named(new DriveList(this), u"Drive"_s, u"ドライブ"_s);
    Drive->setDrives(m_drives.get());
    Dir1 = named(new DirList(this), u"Dir1"_s, u"ディレクトリ"_s);
    Dir1->setDrives(m_drives.get());
    File = named(new FileList(this), u"File"_s, u"ファイル"_s);
    TailCmb = named(new ComboBox(this), u"TailCmb"_s, u"拡張子"_s);
    TailCmb->setEntries({u"html"_s, u"txt"_s, u"(その他)"_s}, u"html"_s);
    OpenBtn = named(new Button(u"開く"_s, this), u"OpenBtn"_s, {});
    CancelBtn = named(new Button(u"編集内容の破棄"_s, this), u"CancelBtn"_s, {});
    SaveBtn = named(new Button(u"保存"_s, this), u"SaveBtn"_s, {});
    SaveasBtn = named(new Button(u"名前を変えて保存"_s, this), u"SaveasBtn"_s, {});
    FilenameLbl = named(new Label(QString(), this), u"FilenameLbl"_s, {});
    FilenameLbl->setAccessibleDescription(u"ファイル名"_s);
    ByteLbl = named(new Label(u"0 KB"_s, this), u"ByteLbl"_s, {});
    DescriptionLbl = named(new Label(u"ここに各機能の説明が現れます。説明が見たいボタンやフィールドにマウスを合わせてください。"_s, this),
                           u"DescriptionLbl"_s, {});
    DescriptionLbl->setWordWrap(true);
    ColorCmd = named(new Button(u"暗くする"_s, this), u"ColorCmd"_s, {});
    ShortCutsLbl = named(new Label(QString(), this), u"ShortCutsLbl"_s, {});
    ShortCutsLbl->setAccessibleDescription(u"ショートカット"_s);

    formdesign::apply(this, tesselfrm::Design);
    resize(twips::toPixels(tesselfrm::ClientWidth), twips::toPixels(tesselfrm::ClientHeight));
    setFocusProxy(EditTxt);
    EditTxt->setFocus();
}

TesselFrm::~TesselFrm()
{
    // The dialogs are windows of their own, not children: a child would be
    // disabled with this window while the save-as dialog is up.
    delete m_saveasFrm;
    delete m_searchFrm;
}

void TesselFrm::NewBtn_Click() { m_commands->NewBtn_Click(); }
void TesselFrm::openFromCommandLine(const QString &path) { m_commands->openGiven(path); }
void TesselFrm::saveasDone(bool saved) { m_commands->saveasDone(saved); }
void TesselFrm::OpenBtn_Click() { m_commands->OpenBtn_Click(); }
void TesselFrm::SaveBtn_Click() { m_commands->SaveBtn_Click(); }
void TesselFrm::SaveasBtn_Click() { m_commands->SaveasBtn_Click(); }
void TesselFrm::CancelBtn_Click() { m_commands->CancelBtn_Click(); }
void TesselFrm::ColorCmd_Click() { m_colours->ColorCmd_Click(); }
void TesselFrm::HTMLLst_DblClick() { m_tagList->HTMLLst_DblClick(); }
void TesselFrm::ShowShortCuts() { m_shortCuts->ShowShortCuts(); }

bool TesselFrm::SaveTextFile(const QString &FileName, const QString &FilePath)
{
    return m_writer->SaveTextFile(FileName, FilePath);
}

void TesselFrm::SearchCmd_Click()
{
    // The dialog is loaded on first use and again after its frame unloaded it.
    if (!m_searchFrm) {
        m_searchFrm = new SearchFrm(m_platform, EditTxt, nullptr);
        keepAbove(m_searchFrm);
        // Over the upper right of the edit box, clear of the buttons and lists.
        m_searchFrm->move(frameGeometry().topLeft() + QPoint(twips::toPixels(4500), twips::toPixels(2700)));
    }
    m_searchFrm->setVisible(true);
    m_searchFrm->setEnabled(true);
}

void TesselFrm::keepAbove(QWidget *dialog)
{
    // A dialog stays above this window, as a window it belongs to.
    dialog->winId();
    winId();
    if (dialog->windowHandle() && windowHandle())
        dialog->windowHandle()->setTransientParent(windowHandle());
}

SaveasFrm *TesselFrm::saveasFrm()
{
    if (!m_saveasFrm) {
        m_saveasFrm = new SaveasFrm(*this);
        keepAbove(m_saveasFrm);
    }
    return m_saveasFrm;
}

SaveasFrm *TesselFrm::loadedSaveasFrm() const { return m_saveasFrm; }

SearchFrm *TesselFrm::searchFrm() const { return m_searchFrm; }

void TesselFrm::EditTxt_KeyDown(int KeyCode, int Shift) { m_shortCuts->EditTxt_KeyDown(KeyCode, Shift); }

void TesselFrm::EditTxt_KeyUp(int KeyCode, int Shift)
{
    using editkeys::Command;
    switch (editkeys::onKeyUp(KeyCode, Shift)) {
    case Command::None: break;
    case Command::New: NewBtn_Click(); break;
    case Command::Open: OpenBtn_Click(); break;
    case Command::Discard: CancelBtn_Click(); break;
    case Command::Save: SaveBtn_Click(); break;
    case Command::SaveAs: SaveasBtn_Click(); break;
    case Command::Search: SearchCmd_Click(); break;
    case Command::Colour: ColorCmd_Click(); break;
    case Command::SelectAll:
        EditTxt->setSelStart(0);
        EditTxt->setSelLength(EditTxt->textLength());
        break;
    case Command::ShowInBrowser: m_commands->ShowInBrowser(); break;
    case Command::GoToLine: GoToLine(); break;
    }
}

void TesselFrm::GoToLine()
{
    if (!m_platform.inputs)
        return;
    const QString text = EditTxt->text();
    const gotoline::Lines lines = gotoline::linesOf(text);
    const std::optional<QString> answer =
        m_platform.inputs->ask(InputBox{gotoline::prompt(lines.count), gotoline::title(), true});
    const qsizetype line = answer ? gotoline::target(*answer, lines.count) : -1;
    // The question is modal: the text is still the one counted.
    if (line >= 0) {
        EditTxt->setSelStart(gotoline::startOf(text, lines, line));
        EditTxt->centerCursor();
    }
    activateWindow();
    EditTxt->setFocus();
}

void TesselFrm::HTMLLst_KeyDown(int KeyCode, int Shift)
{
    if (KeyCode == 13) // Enter, whatever the modifiers
        HTMLLst_DblClick();
    else
        m_shortCuts->HTMLLst_KeyDown(KeyCode, Shift);
}

void TesselFrm::Form_Resize() { mainlayout::apply(*this); }

void TesselFrm::resizeEvent(QResizeEvent *e)
{
    QWidget::resizeEvent(e);
    Form_Resize();
}

void TesselFrm::mouseMoveEvent(QMouseEvent *e)
{
    m_hover->Form_MouseMove();
    QWidget::mouseMoveEvent(e);
}

void TesselFrm::closeEvent(QCloseEvent *e)
{
    // While the save-as dialog is up the main window is disabled and cannot close.
    if (!isEnabled()) {
        e->ignore();
        return;
    }
    qint16 Cancel = 0;
    Form_Unload(Cancel);
    if (Cancel)
        e->ignore();
    else
        e->accept();
}

void TesselFrm::Form_Load()
{
    // HoverId starts at 0 with the help part, which this window creates just
    // before its start-up.
    m_filePane->resetFileChosen();
    m_colours->recordBaseColours();
    m_values.QuitAfterSave = 0;

    // Work file: count this copy and take the next place in the cascade.
    const QString dir = m_platform.startDir;
    const QString workPath = programfiles::pathOf(dir, programfiles::WorkFile);
    std::optional<workfile::Counts> counts;
    if (TextFile::fileExists(dir, programfiles::WorkFile)) {
        const TextFile::LinesRead read = TextFile::readLines(workPath, workfile::MaxBytes);
        if (read.ok)
            counts = workfile::parse(read.lines);
    }
    const QRect screen = screenPixels();
    const workfile::Placement place =
        workfile::place(counts, QSize(int(twips::fromPixels(screen.width())), int(twips::fromPixels(screen.height()))),
                        outerDesignTwips());
    move(screen.topLeft() + QPoint(twips::toPixels(place.left), twips::toPixels(place.top)));
    // A work file that cannot be written only costs the cascade; nothing to tell.
    TextFile::writeLines(workPath, workfile::format(place.written));

    std::optional<QStringList> settingsLines;
    if (TextFile::fileExists(dir, programfiles::Settings)) {
        const TextFile::LinesRead read =
            TextFile::readLines(programfiles::pathOf(dir, programfiles::Settings), settingsfile::MaxBytes);
        if (read.ok)
            settingsLines = read.lines;
    }
    const settingsfile::Settings settings = settingsfile::parse(settingsLines);

    EditTxt->setText(QString());
    m_filePane->startUp(settings.directory);
    m_tagList->load();
    m_shortCuts->load();
    if (settings.scheme == settingsfile::DarkCaption)
        ColorCmd_Click();
    m_hover->showDefault();
}

void TesselFrm::Form_Unload(qint16 &Cancel)
{
    if (!EditTxt->textEquals(m_values.SavedText)) {
        MsgBox ask{u"内容が変更されています。"_s + u"\r\n"_s + u"保存しますか？"_s, u"確認"_s,
                   MsgButtons::YesNoCancel, MsgIcon::None, MsgAnswer::Yes};
        switch (m_platform.boxes->ask(ask)) {
        case MsgAnswer::Yes:
            m_values.QuitAfterSave = 1;
            Cancel = 1;
            SaveBtn_Click();
            return;
        case MsgAnswer::No:
            break;
        default:
            Cancel = 1;
            return;
        }
    }

    const QString dir = m_platform.startDir;
    QStringList failures;
    // Work file: the last copy to close removes it. One that has vanished in
    // the meantime is left alone; a damaged one is removed.
    if (TextFile::fileExists(dir, programfiles::WorkFile)) {
        const QString workPath = programfiles::pathOf(dir, programfiles::WorkFile);
        const TextFile::LinesRead read = TextFile::readLines(workPath, workfile::MaxBytes);
        const workfile::Shutdown next = workfile::shutdown(read.ok ? workfile::parse(read.lines) : std::nullopt);
        if (next.remove) {
            if (::unlink(QFile::encodeName(workPath).constData()) != 0 && errno != ENOENT)
                failures << workPath + u"\r\n"_s + syserror::reason(errno, syserror::Action::Remove);
        } else {
            const TextFile::WriteResult w = TextFile::writeLines(workPath, workfile::format(next.written));
            if (!w.ok)
                failures << workPath + u"\r\n"_s + w.reason;
        }
    }
    const QString settingsPath = programfiles::pathOf(dir, programfiles::Settings);
    const TextFile::WriteResult s = TextFile::writeLines(
        settingsPath,
        settingsfile::format(settingsfile::storableDirectory(Dir1->path(), m_platform.browseStart()),
                             ColorCmd->caption()));
    if (!s.ok)
        failures << settingsPath + u"\r\n"_s + s.reason;
    QString why;
    if (!m_shortCuts->save(&why))
        failures << programfiles::pathOf(dir, programfiles::ShortCuts) + u"\r\n"_s + why;
    if (!failures.isEmpty())
        m_platform.boxes->ask(MsgBox::warning(u"次のファイルを書き込めませんでした。"_s + u"\r\n"_s +
                                                  failures.join(u"\r\n"_s),
                                              u"エラー"_s));
    m_platform.end->endProgram();
}

QRect TesselFrm::screenPixels() const
{
    // The whole screen: a window may stand beside a dock or under a panel.
    const QScreen *screen = QGuiApplication::primaryScreen();
    return screen ? screen->geometry() : QRect(0, 0, 1920, 1080);
}

QSize TesselFrm::outerDesignTwips()
{
    return QSize(tesselfrm::ClientWidth + tesselfrm::FrameWidth, tesselfrm::ClientHeight + tesselfrm::FrameHeight);
}
