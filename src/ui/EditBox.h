#pragma once
// The multi-line edit box as the program sees it: the text has CR LF between
// lines and positions count CR LF as two characters. Inside the document a CR LF
// is a paragraph break; a lone LF is kept as a line separator (shown as a break)
// and a lone CR as a private character, so both come back out unchanged.
#include <QPlainTextEdit>
#include <QTimer>
#include <optional>

class EditBox : public QPlainTextEdit {
    Q_OBJECT
public:
    explicit EditBox(QWidget *parent = nullptr);

    static constexpr char16_t LoneLf = 0x2028;
    static constexpr char16_t LoneCr = 0xF8FE;

    QString text() const;
    // Replaces the whole text, like loading a file: the undo history starts anew
    // and the caret goes to the start.
    void setText(const QString &text);
    qsizetype textLength() const;

    qsizetype selStart() const;
    void setSelStart(qsizetype pos); // caret there, no selection; past the end = the end
    qsizetype selLength() const;
    void setSelLength(qsizetype length); // selects from selStart on

    // Edits of the text that keep the undo history and the scroll position.
    void replaceRange(qsizetype start, qsizetype length, const QString &with);
    void replaceAllText(const QString &text);

    // Conversions between the program's text and positions and the document's.
    static QString toDocumentText(QStringView text);
    static QString fromDocumentText(QStringView raw);
    qsizetype toDocumentPosition(qsizetype pos) const;
    qsizetype fromDocumentPosition(qsizetype docPos) const;
    // The document's own text (paragraph breaks as U+2029), without conversion.
    QString documentText() const;

signals:
    void Change();
    void KeyDown(int keyCode, int shift);
    void KeyUp(int keyCode, int shift);
    void MouseMove();

protected:
    void keyPressEvent(QKeyEvent *e) override;
    void keyReleaseEvent(QKeyEvent *e) override;
    void mouseMoveEvent(QMouseEvent *e) override;
    void resizeEvent(QResizeEvent *e) override;

private:
    void selectDocumentRange(qsizetype anchor, qsizetype position);
    void flushKeyUp();
    QTimer m_relayout;
    // A key release held back until it is clear it was no auto-repeat.
    struct PendingUp {
        int code;
        int mask;
        quint32 scanCode;
        quint64 time;
    };
    std::optional<PendingUp> m_pendingUp;
    QTimer m_keyUpTimer;
};
