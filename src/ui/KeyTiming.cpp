#include "ui/KeyTiming.h"
#include "ui/Keys.h"

#include <QKeyEvent>
#include <utility>

KeyTiming::KeyTiming(QObject *parent) : QObject(parent)
{
    m_timer.setSingleShot(true);
    m_timer.setInterval(40);
    connect(&m_timer, &QTimer::timeout, this, &KeyTiming::flush);
}

void KeyTiming::flush()
{
    m_timer.stop();
    if (const std::optional<PendingUp> up = std::exchange(m_pendingUp, std::nullopt))
        emit keyUp(up->code, up->mask);
}

void KeyTiming::pressed(const QKeyEvent *e)
{
    if (m_pendingUp && m_pendingUp->scanCode == e->nativeScanCode() && m_pendingUp->time == e->timestamp()) {
        m_pendingUp.reset();
        m_timer.stop();
    } else {
        flush();
    }
    if (e->nativeScanCode() != 0 && !e->isAutoRepeat())
        m_lastPress = LastPress{e->nativeScanCode(), keys::maskOf(e), e->timestamp()};
}

void KeyTiming::released(const QKeyEvent *e)
{
    if (e->isAutoRepeat())
        return;
    flush();
    if (e->nativeScanCode() == 0) {
        // No native key behind it (a synthesized event): nothing to pair with.
        emit keyUp(keys::codeOf(e), keys::maskOf(e));
        return;
    }
    int mask = keys::maskOf(e);
    if (m_lastPress && m_lastPress->scanCode == e->nativeScanCode() && e->timestamp() >= m_lastPress->time &&
        e->timestamp() - m_lastPress->time <= InstantKeyMs)
        mask = m_lastPress->mask;
    m_pendingUp = PendingUp{keys::codeOf(e), mask, e->nativeScanCode(), e->timestamp()};
    m_timer.start();
}
