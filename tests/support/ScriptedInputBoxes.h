#pragma once
// Input questions answered by a script: each expected question (prompt, title,
// kind of answer) and what the user types, nothing for Cancel. An unexpected
// or different question, or one left over, is a failure.
#include "ui/InputBoxes.h"

#include <QList>
#include <QStringList>
#include <functional>

class ScriptedInputBoxes : public InputBoxes {
public:
    // whileShown runs while the question is "up", before the answer is returned.
    void expect(const InputBox &box, std::optional<QString> answer, std::function<void()> whileShown = {})
    {
        m_expected.append({box, std::move(answer), std::move(whileShown)});
    }
    std::optional<QString> ask(const InputBox &box) override;
    // Empty when every question came as expected and none is left over.
    QString problems() const;

private:
    struct Step {
        InputBox box;
        std::optional<QString> answer;
        std::function<void()> action;
    };
    QList<Step> m_expected;
    QStringList m_problems;
};

#define VERIFY_INPUTS(script) QVERIFY2((script).problems().isEmpty(), qPrintable((script).problems()))
