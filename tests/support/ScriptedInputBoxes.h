#pragma once
// Input questions answered by a script: each expected question with its
// prompt, title and kind of answer, and what the user types (nothing for
// Cancel). An unexpected question, one that differs from the next
// expectation, or an expectation left over is a failure.
#include "ui/InputBoxes.h"

#include <QList>
#include <QStringList>
#include <functional>

class ScriptedInputBoxes : public InputBoxes {
public:
    // Runs while the question is "up", before the answer is returned.
    using Action = std::function<void()>;
    void expect(const InputBox &box, std::optional<QString> answer, Action whileShown = {});
    std::optional<QString> ask(const InputBox &box) override;

    // Empty when every question came as expected and none is left over.
    QString problems() const;
    bool done() const { return m_expected.isEmpty() && m_problems.isEmpty(); }

private:
    struct Step {
        InputBox box;
        std::optional<QString> answer;
        Action action;
    };
    QList<Step> m_expected;
    QStringList m_problems;
};

#define VERIFY_INPUTS(script) QVERIFY2((script).done(), qPrintable((script).problems()))
