#pragma once
// When the edit box's key-ups are raised, and with which modifiers.
//
// X repeats a held key as a release and a press with one time stamp, and Qt
// marks that release as auto-repeated only when the press has already
// arrived: a release is therefore held back for a moment and dropped when the
// press that pairs with it follows. A key released very soon after its press
// was struck by a program (macro tools, on-screen keyboards, xdotool), which
// sends a chord in one go, often releasing the modifier first: such a key-up
// keeps the modifiers its key went down with.
#include <QObject>
#include <QTimer>
#include <optional>

class QKeyEvent;

class KeyTiming : public QObject {
    Q_OBJECT
public:
    explicit KeyTiming(QObject *parent);

    // A key went down: a held-back release either turns out to be part of an
    // auto-repeat (dropped) or is raised now, before the new key-down.
    void pressed(const QKeyEvent *e);
    // A key went up: raised at once without a native key behind it, held
    // back otherwise; auto-repeated releases are not key-ups.
    void released(const QKeyEvent *e);

signals:
    void keyUp(int keyCode, int shift);

private:
    void flush();
    static constexpr quint64 InstantKeyMs = 40;
    // A key release held back until it is clear it was no auto-repeat.
    struct PendingUp {
        int code;
        int mask;
        quint32 scanCode;
        quint64 time;
    };
    std::optional<PendingUp> m_pendingUp;
    QTimer m_timer;
    // The last key pressed, with the modifiers held when it went down.
    struct LastPress {
        quint32 scanCode;
        int mask;
        quint64 time;
    };
    std::optional<LastPress> m_lastPress;
};
