#include "core/DocumentCommands.h"
#include "browse/FilePane.h"
#include "browse/SaveasFrm.h"
#include "core/ProgramFiles.h"
#include "core/SizeText.h"
#include "core/TesselFrm.h"
#include "tags/Preset.h"
#include "text/TextFile.h"
#include "ui/CheckBox.h"
#include "ui/DirList.h"
#include "ui/EditBox.h"
#include "ui/FileList.h"
#include "ui/Label.h"
#include "ui/MessageBoxes.h"

#include <QFileInfo>

using namespace Qt::StringLiterals;

namespace {
const QString CrLf = u"\r\n"_s;
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

std::optional<QStringList> DocumentCommands::readDocument(const QString &path)
{
    TextFile::LinesRead read = TextFile::readLines(path);
    if (!read.ok) {
        notice(u"ファイルを読み込めません。"_s + CrLf + path + CrLf + read.reason, u"エラー"_s);
        return std::nullopt;
    }
    if (read.keptByteCount > 0)
        m_frm.platform().boxes->ask(MsgBox::information(
            u"このファイルにはShift_JISとして正しくないバイトが "_s + QString::number(read.keptByteCount) +
                u" 個あります（最初は "_s + QString::number(read.firstKeptByte) + u" バイト目）。"_s + CrLf +
                u"そのままの値で保持し、保存すると元のバイトに戻して書き込みます。"_s,
            u"確認"_s));
    return std::move(read.lines);
}

void DocumentCommands::NewBtn_Click()
{
    if (!confirm(u"編集内容を破棄して新しい文書を作成します。"_s))
        return;
    ValueDesc &v = m_frm.values();
    v.SavedText.clear();
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
    if (m_frm.EditTxt->text() != v.SavedText && !confirm(u"現在の編集内容を破棄します。"_s))
        return;
    const QString dir = m_frm.Dir1->path();
    const QString path = dir + (dir.endsWith(u'/') ? QString() : u"/"_s) + name;
    if (!TextFile::fileExists(dir, name)) {
        // Nothing is touched: the document the user had stays as it was.
        notice(u"ファイルが存在しません。"_s, u"エラー"_s);
        m_frm.filePane()->refreshFiles();
        return;
    }
    openPath(path);
}

void DocumentCommands::openPath(const QString &path)
{
    const std::optional<QStringList> lines = readDocument(path);
    if (!lines)
        return;
    ValueDesc &v = m_frm.values();
    v.SavedText = lines->join(CrLf);
    m_frm.EditTxt->setText(v.SavedText);
    m_frm.FilenameLbl->setCaption(path);
    m_frm.ByteLbl->setCaption(sizetext::forFile(path));
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

void DocumentCommands::SaveBtn_Click()
{
    ValueDesc &v = m_frm.values();
    if (v.QuitAfterSave == 0 && !confirm(u"編集内容を保存します。"_s))
        return;
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
            return;
        }
        qint16 cancel = 0;
        m_frm.Form_Unload(cancel);
    }
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
    const std::optional<QStringList> lines = readDocument(file);
    if (!lines)
        return;
    QString text;
    for (const QString &line : *lines)
        text += line + CrLf;
    v.SavedText = text;
    m_frm.EditTxt->setText(v.SavedText);
}
