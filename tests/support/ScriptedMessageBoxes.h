#pragma once
// Message boxes answered by a script: each expected box with its text, title,
// buttons and icon, and the answer to give. An unexpected box, a box that
// differs from the next expectation, or an expectation left over is a failure.
#include "ui/MessageBoxes.h"
#include "ui/ProgramEnd.h"

#include <QList>
#include <QStringList>
#include <functional>

class ScriptedMessageBoxes : public MessageBoxes {
public:
    // Runs while the box is "up", before the answer is returned.
    using Action = std::function<void()>;
    void expect(const MsgBox &box, MsgAnswer answer, Action whileShown = {});
    // As expect(), for a box whose text begins with box.text (a message that
    // goes on with a reason given by the system).
    void expectStartingWith(const MsgBox &box, MsgAnswer answer, Action whileShown = {});
    MsgAnswer ask(const MsgBox &box) override;

    // Empty when every box came as expected and none is left over.
    QString problems() const;
    bool done() const { return m_expected.isEmpty() && m_problems.isEmpty(); }
    int shown() const { return int(m_shown.size()); }
    const QList<MsgBox> &shownBoxes() const { return m_shown; }
    void reset();

    static QString describe(const MsgBox &box);

private:
    struct Step {
        MsgBox box;
        MsgAnswer answer;
        Action action;
        bool prefix = false;
    };
    QList<Step> m_expected;
    QList<MsgBox> m_shown;
    QStringList m_problems;
};

// Records the end of the program instead of exiting.
class RecordingProgramEnd : public ProgramEnd {
public:
    void endProgram() override { ++m_calls; }
    int calls() const { return m_calls; }
    bool ended() const { return m_calls > 0; }

private:
    int m_calls = 0;
};

// Checks a script at the end of a test function.
#define VERIFY_BOXES(script)                                                                        \
    QVERIFY2((script).done(), qPrintable((script).problems()))
