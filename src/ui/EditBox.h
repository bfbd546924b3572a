#pragma once
// The multi-line edit box as the program sees it: the text has CR LF between
// lines and positions count CR LF as two characters. Inside the document a CR LF
// is a paragraph break; a lone LF is kept as a line separator (shown as a break)
// and a lone CR as a private character, so both come back out unchanged.
//
// The characters the document cannot hold as themselves (a line or paragraph
// separator, that private character, the document's frame markers) are kept
// as a stand-in marked with the real character, so a line separator a page
// holds or a user pastes is never taken for a lone LF.
//
// Lines wrap at the box's width, at word boundaries and inside words longer
// than a line; there is no horizontal scroll bar. The lines shown are coloured
// as HTML in the colours that go with the box's background.
//
// The parts stand in files of their own: the stand-ins (LineEndStandIns), the
// timing of key-ups (KeyTiming), the clipboard's private type
// (ProgramClipboard) and the colouring (HtmlColouring).
#include "text/CharRefs.h"
#include "ui/LineEndStandIns.h"

#include <QPlainTextEdit>
#include <QTimer>
#include <functional>
#include <optional>
#include <utility>
#include <vector>

class HtmlColouring;
class KeyTiming;

class EditBox : public QPlainTextEdit {
    Q_OBJECT
public:
    explicit EditBox(QWidget *parent = nullptr);

    static constexpr char16_t LoneLf = standins::LoneLf;
    static constexpr char16_t LoneCr = standins::LoneCr;
    // Whether a character of the program's text is held in the document as
    // something else (a line break, a stand-in).
    static bool storedDifferently(char16_t c);

    QString text() const;
    // Whether text() would equal other, found without building text(): the
    // document is compared paragraph by paragraph, so comparing a large page
    // costs no copy of it.
    bool textEquals(QStringView other) const;
    // Replaces the whole text, like loading a file: the undo history starts anew
    // and the caret goes to the start.
    void setText(const QString &text);
    // The same for a page that takes long to load: a large text goes in in
    // pieces, progress(done, total) called after each, in characters.
    using LoadProgress = std::function<void(qsizetype done, qsizetype total)>;
    void setText(const QString &text, const LoadProgress &progress);
    // A text of this many characters is loaded in pieces of LoadPiece when
    // progress is asked for; smaller ones in one go.
    static constexpr qsizetype LoadInPiecesFrom = qsizetype(16) << 20;
    static constexpr qsizetype LoadPiece = qsizetype(4) << 20;
    qsizetype textLength() const;

    qsizetype selStart() const;
    void setSelStart(qsizetype pos); // caret there, no selection; past the end = the end
    qsizetype selLength() const;
    void setSelLength(qsizetype length); // selects from selStart on

    // Edits of the text that keep the undo history and the scroll position.
    void replaceRange(qsizetype start, qsizetype length, const QString &with);
    // Throws std::bad_alloc, the text as it was, when memory runs out.
    void replaceAllText(const QString &text);
    // Several replacements (positions in the text as it is now, in order, not
    // overlapping) as one edit: one undo takes them all back.
    void replaceRanges(const QList<TextReplacement> &edits);

    // Conversions between the program's text and positions and the document's.
    static QString toDocumentText(QStringView text);
    static QString fromDocumentText(QStringView raw);
    qsizetype toDocumentPosition(qsizetype pos) const;
    qsizetype fromDocumentPosition(qsizetype docPos) const;
    // The document's own text (paragraph breaks as U+2029), without conversion.
    QString documentText() const;

signals:
    void Change();
    // A paste needed more memory than there is: nothing was pasted.
    void outOfMemory();
    void KeyDown(int keyCode, int shift);
    void KeyUp(int keyCode, int shift);
    void MouseMove();

protected:
    void keyPressEvent(QKeyEvent *e) override;
    void keyReleaseEvent(QKeyEvent *e) override;
    void inputMethodEvent(QInputMethodEvent *e) override;
    void mouseMoveEvent(QMouseEvent *e) override;
    void resizeEvent(QResizeEvent *e) override;
    QMimeData *createMimeDataFromSelection() const override;
    bool canInsertFromMimeData(const QMimeData *source) const override;
    void insertFromMimeData(const QMimeData *source) override;

private:
    using Marks = standins::Marks; // document position, real character
    // The program's text as the document holds it, and where stand-ins go.
    static QString toDocument(QStringView text, Marks *marks);
    static QString fromDocument(QStringView raw, const Marks &marks, qsizetype offset);
    // The stand-ins in raw (the document's text from document position offset on).
    Marks marksIn(QStringView raw, qsizetype offset) const;
    // Replaces the whole document, like loading a file.
    void load(const QString &documentText, const LoadProgress &progress = {});
    // Inserts program text at the cursor, with its stand-ins marked.
    void insertProgramText(QTextCursor &c, QStringView text);
    // The same inside an edit block begun on c, which it ends; when memory
    // runs out, what went in is taken out again and bad_alloc goes on.
    void insertTakingBackOnFailure(QTextCursor &c, QStringView text);
    void selectDocumentRange(qsizetype anchor, qsizetype position);
    // From this many lines on, a new width is laid out once resizing stops.
    static constexpr int DeferRelayoutFromBlocks = 20000;
    QTimer m_relayout;
    KeyTiming *m_keyTiming;
    HtmlColouring *m_colouring;
};
