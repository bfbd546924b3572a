#pragma once
// Test classes of one test program register here; the shared main runs them all.
#include <QObject>
#include <functional>
#include <memory>
#include <vector>

namespace testing_support {
using Factory = std::function<std::unique_ptr<QObject>()>;
std::vector<std::pair<const char *, Factory>> &registry();
struct Registrar {
    Registrar(const char *name, Factory f) { registry().emplace_back(name, std::move(f)); }
};
} // namespace testing_support

#define TESSARA_TEST_CLASS(Cls)                                                                    \
    static testing_support::Registrar registrar_##Cls(#Cls, [] { return std::make_unique<Cls>(); });
