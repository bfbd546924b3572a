#include "ui/LongWork.h"

#include <QApplication>
#include <QProgressDialog>
#include <QWidget>

#include <utility>

namespace {
// Work that ends sooner shows no dialog: a dialog that flashes up and goes
// costs more attention than it saves.
constexpr qint64 DialogAfterMs = 1000;
} // namespace

LongWork::LongWork(QWidget *window, const QString &title, const QString &label)
    : m_window(window), m_title(title), m_label(label)
{
    QApplication::setOverrideCursor(Qt::WaitCursor);
    m_clock.start();
}

LongWork::~LongWork() { finish(); }

void LongWork::finish()
{
    if (std::exchange(m_finished, true))
        return;
    delete m_dialog.data();
    if (m_disabled && m_window) {
        m_window->setEnabled(true);
        if (m_focus)
            m_focus->setFocus();
    }
    QApplication::restoreOverrideCursor();
}

void LongWork::stage(const QString &label, qint64 total)
{
    m_label = label;
    m_total = total;
    if (m_dialog) {
        m_dialog->setLabelText(label);
        m_dialog->setRange(0, total > 0 ? 1000 : 0);
        m_dialog->setValue(0);
    }
    step(0);
}

void LongWork::step(qint64 done)
{
    if (m_finished)
        return;
    if (!m_disabled && m_window && m_window->isEnabled()) {
        m_focus = QApplication::focusWidget();
        m_window->setEnabled(false);
        m_disabled = true;
    }
    if (!m_dialog && m_clock.elapsed() >= DialogAfterMs) {
        auto *dialog = new QProgressDialog(m_label, QString(), 0, m_total > 0 ? 1000 : 0, m_window);
        dialog->setObjectName(QStringLiteral("LongWork"));
        dialog->setWindowTitle(m_title);
        dialog->setWindowModality(Qt::ApplicationModal);
        dialog->setCancelButton(nullptr);
        dialog->setMinimumDuration(0);
        dialog->setAutoClose(false);
        dialog->setAutoReset(false);
        dialog->show();
        m_dialog = dialog;
    }
    if (m_dialog) {
        if (m_total > 0)
            m_dialog->setValue(int(qMin<qint64>(1000, done * 1000 / m_total)));
        else
            m_dialog->setValue(0);
    }
    // Repaints only: a click or a key now would act on a document half given.
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}
