// Runs every registered test class of this program. With arguments, the first
// one may name a class ("Class" or "Class::function"); the rest go to QTest.
#include "TestRegistry.h"

#include <QApplication>
#include <QTest>
#include <cstring>

namespace testing_support {
std::vector<std::pair<const char *, Factory>> &registry()
{
    static std::vector<std::pair<const char *, Factory>> r;
    return r;
}
} // namespace testing_support

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QString only;
    QStringList args;
    for (int i = 0; i < argc; ++i)
        args << QString::fromLocal8Bit(argv[i]);
    if (args.size() > 1 && !args.at(1).startsWith(u'-')) {
        only = args.takeAt(1);
    }
    int failures = 0, ran = 0;
    for (auto &[name, make] : testing_support::registry()) {
        QStringList classArgs = args;
        const QString cls = QString::fromLatin1(name);
        if (!only.isEmpty()) {
            const QString onlyCls = only.section(QStringLiteral("::"), 0, 0);
            if (onlyCls != cls)
                continue;
            if (only.contains(QStringLiteral("::")))
                classArgs << only.section(QStringLiteral("::"), 1);
        }
        auto obj = make();
        failures += QTest::qExec(obj.get(), classArgs);
        ++ran;
    }
    if (ran == 0) {
        fprintf(stderr, "no test class ran\n");
        return 1;
    }
    return failures == 0 ? 0 : 1;
}
