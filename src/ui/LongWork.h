#pragma once
// Work the user has to wait for, such as opening a large page: the busy cursor
// at once, and a progress dialog (no cancel button) once the work has taken
// more than a second. While it lasts, the windows repaint but take no input:
// the window is disabled (it cannot be closed either) from the first step on.
#include <QElapsedTimer>
#include <QPointer>
#include <QString>

#include <chrono>
#include <future>

class QProgressDialog;
class QWidget;

class LongWork {
public:
    LongWork(QWidget *window, const QString &title, const QString &label);
    ~LongWork();
    // Ends it now: no dialog, the normal cursor, the window as it was.
    void finish();
    LongWork(const LongWork &) = delete;
    LongWork &operator=(const LongWork &) = delete;

    // What is being done now, and how many steps it has (0: not known, the
    // bar moves to and fro).
    void stage(const QString &label, qint64 total);
    // done of the stage's steps are done: the dialog appears or moves on.
    void step(qint64 done);

    // Runs work on a thread of its own and waits for its result, the windows
    // repainting meanwhile. work must not touch widgets.
    template<typename Work>
    auto wait(Work &&work)
    {
        auto result = std::async(std::launch::async, std::forward<Work>(work));
        while (result.wait_for(std::chrono::milliseconds(40)) != std::future_status::ready)
            step(0);
        return result.get();
    }

private:
    QWidget *m_window;
    QString m_title;
    QString m_label;
    qint64 m_total = 0;
    QElapsedTimer m_clock;
    QPointer<QProgressDialog> m_dialog;
    bool m_finished = false;
    // While the events go on, the window takes no input and cannot close.
    bool m_disabled = false;
    QPointer<QWidget> m_focus;
};
