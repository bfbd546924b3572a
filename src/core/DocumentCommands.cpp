#include "core/DocumentCommands.h"
#include "browse/FilePane.h"
#include "browse/SaveasFrm.h"
#include "core/ProgramFiles.h"
#include "core/SizeText.h"
#include "core/TesselFrm.h"
#include "tags/Preset.h"
#include "text/Declaration.h"
#include "text/LineEnds.h"
#include "text/SystemError.h"
#include "text/TextFile.h"
#include "ui/Browser.h"
#include "ui/CheckBox.h"
#include "ui/DirList.h"
#include "ui/EditBox.h"
#include "ui/FileList.h"
#include "ui/Label.h"
#include "ui/LongWork.h"
#include "ui/MessageBoxes.h"

#include <QFileInfo>
#include <QUrl>

#include <cerrno>
#include <new>
#include <utility>

using namespace Qt::StringLiterals;

namespace {
const QString CrLf = u"\r\n"_s;
const QString OpeningTitle = u"開いています"_s;
const QString OpeningLabel = u"ファイルを読み込んでいます…"_s;
// From this size on a page is read and decoded aside (LongWork::wait); below
// it the thread would cost more than the repainting is worth.
constexpr qint64 ReadAsideFrom = qint64(16) << 20;
}

DocumentCommands::DocumentCommands(TesselFrm &frm) : QObject(&frm), m_frm(frm) {}

bool DocumentCommands::confirm(const QString &sentence)
{
    return m_frm.platform().boxes->ask(MsgBox::question(sentence + CrLf + u"よろしいですか？"_s, u"確認"_s)) ==
           MsgAnswer::Yes;
}

void DocumentCommands::notice(const QString &text, const QString &title)
{
    m_frm.platform().boxes->ask(MsgBox::warning(text, title));
}

std::optional<TextFile::DocumentRead> DocumentCommands::readDocument(const QString &path, LongWork &work)
{
    // A large page is read and decoded on a thread of its own, so that the
    // window repaints and shows how far it is.
    const bool large = QFileInfo(path).size() >= ReadAsideFrom;
    TextFile::DocumentRead read = large ? work.wait([path] { return TextFile::readDocument(path); })
                                        : TextFile::readDocument(path);
    if (!read.ok) {
        work.finish();
        notice(u"ファイルを読み込めません。"_s + CrLf + path + CrLf + read.reason, u"エラー"_s);
        return std::nullopt;
    }
    return read;
}

void DocumentCommands::tellHowItWasRead(const TextFile::DocumentRead &read)
{
    const QString name = encoding::name(read.encoding.encoding);
    if (read.misdeclared) {
        const QString declared = encoding::name(*read.misdeclared);
        m_frm.platform().boxes->ask(MsgBox::information(
            u"このページは "_s + declared + u" と宣言されていますが、"_s + declared +
                u" としては正しくないバイトがあります。"_s + CrLf + u"すべてのバイトを正しく読める "_s + name +
                u" として開きました。保存するときに、どちらの文字コードで保存するかを確認します。"_s,
            u"確認"_s));
    } else if (!read.unsupportedLabel.isEmpty()) {
        const QString label = QString::fromLatin1(read.unsupportedLabel);
        m_frm.platform().boxes->ask(MsgBox::information(
            u"このページは "_s + label + u" と宣言されていますが、この文字コードには対応していません。"_s + CrLf +
                name + u" として開きます。ファイルのバイトはそのまま保持し、保存すると元のバイトに戻して書き込みます。"_s,
            u"確認"_s));
    }
    if (read.keptByteCount > 0)
        m_frm.platform().boxes->ask(MsgBox::information(
            u"このファイルには"_s + encoding::name(read.encoding.encoding) + u"として正しくないバイトが "_s +
                QString::number(read.keptByteCount) + u" 個あります（最初は "_s +
                QString::number(read.firstKeptByte + 1) + u" バイト目）。"_s + CrLf +
                u"そのままの値で保持し、保存すると元のバイトに戻して書き込みます。"_s,
            u"確認"_s));
}

void DocumentCommands::NewBtn_Click()
{
    if (!confirm(u"編集内容を破棄して新しい文書を作成します。"_s))
        return;
    ValueDesc &v = m_frm.values();
    v.SavedText.clear();
    v.DocEncoding = {};
    m_frm.EditTxt->setText(QString());
    m_frm.FilenameLbl->setCaption(QString());
    m_frm.ByteLbl->setCaption(u"0 KB"_s);
    if (m_frm.PresetChk->value() == 1)
        presetStep();
}

void DocumentCommands::presetStep()
{
    ValueDesc &v = m_frm.values();
    const QString dir = m_frm.platform().startDir;
    if (TextFile::fileExists(dir, programfiles::Preset)) {
        const QString path = programfiles::pathOf(dir, programfiles::Preset);
        const TextFile::LinesRead read = TextFile::readLines(path);
        if (read.ok) {
            v.SavedText = read.lines.join(CrLf);
        } else {
            // The user's file stays as it is; this document starts from the built-in page.
            v.SavedText = preset::builtInText();
            notice(u"プリセットのファイルを読み込めません。"_s + CrLf + path + CrLf + read.reason + CrLf +
                       u"組み込みのプリセットを使います。"_s,
                   u"エラー"_s);
        }
    } else {
        WriteDefaultPreset();
    }
    // The page is in the encoding the preset declares, so that the two agree
    // from the first save on.
    if (const std::optional<Encoding> declared = declaration::of(v.SavedText, v.DocEncoding).encoding) {
        v.DocEncoding.encoding = *declared;
        m_frm.ByteLbl->setCaption(sizetext::forDocument(QString(), v.DocEncoding));
    }
    m_frm.EditTxt->setText(v.SavedText);
}

void DocumentCommands::WriteDefaultPreset()
{
    m_frm.values().SavedText = preset::builtInText();
    const QString path = programfiles::pathOf(m_frm.platform().startDir, programfiles::Preset);
    const TextFile::WriteResult w = TextFile::writeText(path, QString(m_frm.values().SavedText + CrLf));
    if (!w.ok)
        notice(u"プリセットのファイルを作成できません。"_s + CrLf + path + CrLf + w.reason + CrLf +
                   u"組み込みのプリセットを使います。"_s,
               u"エラー"_s);
}

void DocumentCommands::OpenBtn_Click()
{
    // The selection may have been lost since a file was chosen (the list was
    // read again): then there is nothing to open either.
    const QString name = m_frm.File->fileName();
    if (m_frm.filePane()->fileChosen() == 0 || name.isEmpty()) {
        notice(u"ファイルを選択してください。"_s, u"確認"_s);
        return;
    }
    if (name == programfiles::WorkFile) {
        notice(u"システムファイルは開けません。"_s, u"エラー"_s);
        return;
    }
    ValueDesc &v = m_frm.values();
    if (!m_frm.EditTxt->textEquals(v.SavedText) && !confirm(u"現在の編集内容を破棄します。"_s))
        return;
    const QString dir = m_frm.Dir1->path();
    const QString path = dir + (dir.endsWith(u'/') ? QString() : u"/"_s) + name;
    if (!TextFile::fileExists(dir, name)) {
        // Nothing is touched: the document the user had stays as it was. A
        // folder that lists its files but may not be entered is no missing file.
        const int error = TextFile::lookupError(dir, name);
        if (error == ENOENT || error == ENOTDIR || error == EISDIR) {
            notice(u"ファイルが存在しません。"_s, u"エラー"_s);
            m_frm.filePane()->refreshFiles();
        } else {
            notice(u"ファイルを読み込めません。"_s + CrLf + path + CrLf + TextFile::lookupReason(dir, name),
                   u"エラー"_s);
        }
        return;
    }
    openPath(path);
}

std::optional<QString> DocumentCommands::givePage(TextFile::DocumentRead &read, bool everyLineEnded,
                                                  const QString &path, LongWork &work)
{
    EditBox *edit = m_frm.EditTxt;
    const QString &saved = m_frm.values().SavedText;
    // What the box holds now, to give back should the new text not fit: the
    // saved text itself unless it has been edited.
    const bool unchanged = edit->textEquals(saved);
    QString before;
    bool touched = false;
    try {
        QString text = everyLineEnded ? lineends::terminated(std::move(read.text), read.encoding.lineEnd)
                                      : lineends::joined(std::move(read.text), read.encoding.lineEnd);
        if (!unchanged)
            before = edit->text();
        touched = true;
        work.stage(u"ページを表示しています…"_s, text.size());
        edit->setText(text, [&work](qsizetype done, qsizetype) { work.step(done); });
        return text;
    } catch (const std::bad_alloc &) {
    }
    if (touched) {
        try {
            edit->setText(QString()); // what the failed load holds goes first
            edit->setText(unchanged ? saved : before);
        } catch (const std::bad_alloc &) {
        }
    }
    work.finish();
    notice(u"ファイルを読み込めません。"_s + CrLf + path + CrLf + TextFile::outOfMemoryReason(), u"エラー"_s);
    return std::nullopt;
}

void DocumentCommands::openPath(const QString &path)
{
    LongWork work(&m_frm, OpeningTitle, OpeningLabel);
    std::optional<TextFile::DocumentRead> read = readDocument(path, work);
    if (!read)
        return;
    ValueDesc &v = m_frm.values();
    std::optional<QString> text = givePage(*read, false, path, work);
    if (!text)
        return;
    v.SavedText = std::move(*text);
    v.DocEncoding = std::move(read->encoding);
    m_frm.FilenameLbl->setCaption(path);
    m_frm.ByteLbl->setCaption(sizetext::forDocument(path, v.DocEncoding));
    work.finish();
    tellHowItWasRead(*read);
}

void DocumentCommands::openGiven(const QString &path)
{
    const QFileInfo info(path);
    if (info.isDir()) {
        m_frm.filePane()->showDirectory(path);
        return;
    }
    const QString dir = info.absolutePath();
    if (!info.exists()) {
        // A new page: an empty document under that name, not modified, which
        // the first save creates.
        if (QFileInfo(dir).isDir())
            m_frm.filePane()->showDirectory(dir);
        m_frm.FilenameLbl->setCaption(path);
        return;
    }
    if (m_frm.filePane()->chooseFile(dir, info.fileName())) {
        OpenBtn_Click();
        return;
    }
    // The directory cannot be listed, or its listing leaves the name out (a
    // hidden file): the same checks and reading as Open, without the list.
    if (info.fileName() == programfiles::WorkFile) {
        notice(u"システムファイルは開けません。"_s, u"エラー"_s);
        return;
    }
    openPath(path);
}

void DocumentCommands::SaveBtn_Click() { save(); }

DocumentCommands::SaveOutcome DocumentCommands::save()
{
    ValueDesc &v = m_frm.values();
    if (v.QuitAfterSave == 0 && !confirm(u"編集内容を保存します。"_s))
        return SaveOutcome::Declined;
    const QString file = m_frm.FilenameLbl->caption();
    bool saved = false;
    if (!file.isEmpty())
        saved = m_frm.SaveTextFile(file, QString());
    else
        openSaveasDialog();
    m_frm.filePane()->listDirectory();
    if (!file.isEmpty() && v.QuitAfterSave == 1) {
        if (!saved) {
            // The file could not be written: the program stays, with the text.
            v.QuitAfterSave = 0;
            return SaveOutcome::Failed;
        }
        qint16 cancel = 0;
        m_frm.Form_Unload(cancel);
    }
    if (file.isEmpty())
        return SaveOutcome::InDialog;
    return saved ? SaveOutcome::Saved : SaveOutcome::Failed;
}

void DocumentCommands::ShowInBrowser()
{
    ValueDesc &v = m_frm.values();
    if (m_frm.FilenameLbl->caption().isEmpty() || !m_frm.EditTxt->textEquals(v.SavedText)) {
        switch (save()) {
        case SaveOutcome::InDialog:
            m_showAfterDialog = true; // the dialog's save shows the page
            return;
        case SaveOutcome::Failed:
            return; // the user has been told why
        case SaveOutcome::Declined:
        case SaveOutcome::Saved:
            break; // a titled page is shown as it is on disk
        }
    }
    showPage(m_frm.FilenameLbl->caption());
}

void DocumentCommands::saveasDone(bool saved)
{
    if (std::exchange(m_showAfterDialog, false) && saved)
        showPage(m_frm.FilenameLbl->caption());
}

void DocumentCommands::showPage(const QString &file)
{
    if (file.isEmpty()) {
        notice(u"保存されていない文書はブラウザーで表示できません。"_s + CrLf +
                   u"ファイルに保存してから表示してください。"_s,
               u"確認"_s);
        return;
    }
    if (!QFileInfo(file).isFile()) {
        notice(u"ファイル「"_s + file + u"」が見つからないため、ブラウザーで表示できません。"_s, u"エラー"_s);
        return;
    }
    Browser *browser = m_frm.platform().browser;
    if (!browser || !browser->show(QUrl::fromLocalFile(file)))
        notice(u"ブラウザーを起動できませんでした。"_s + CrLf + file + CrLf +
                   (browser ? browser->failure() : Browser::notFound()),
               u"エラー"_s);
}

void DocumentCommands::SaveasBtn_Click()
{
    if (!confirm(u"編集内容を保存します。"_s))
        return;
    openSaveasDialog();
    m_frm.filePane()->listDirectory();
}

void DocumentCommands::openSaveasDialog()
{
    SaveasFrm *dlg = m_frm.saveasFrm();
    dlg->showFor(m_frm.Dir1->path());
    m_frm.setEnabled(false);
}

void DocumentCommands::CancelBtn_Click()
{
    if (!confirm(u"編集内容を破棄し保存状態に戻します。"_s))
        return;
    ValueDesc &v = m_frm.values();
    const QString file = m_frm.FilenameLbl->caption();
    if (file.isEmpty()) {
        v.SavedText.clear();
        m_frm.EditTxt->setText(QString());
        return;
    }
    LongWork work(&m_frm, OpeningTitle, OpeningLabel);
    std::optional<TextFile::DocumentRead> read = readDocument(file, work);
    if (!read)
        return;
    std::optional<QString> text = givePage(*read, true, file, work);
    if (!text)
        return;
    v.SavedText = std::move(*text);
    // The size stays as it was read or written; the encoding is the file's now.
    const bool otherEncoding = read->encoding.encoding != v.DocEncoding.encoding;
    v.DocEncoding = std::move(read->encoding);
    if (otherEncoding)
        m_frm.ByteLbl->setCaption(sizetext::forDocument(file, v.DocEncoding));
    work.finish();
    tellHowItWasRead(*read);
}
