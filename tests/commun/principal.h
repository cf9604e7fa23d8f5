#pragma once

#include <QObject>

#include <functional>
#include <vector>

// Each test file registers its QtTest classes; one main runs them all.
std::vector<std::function<QObject*()>>& classes_de_test();

#define TRAJEL_TEST(Classe)                                                                        \
    static const bool enregistrement_##Classe =                                                    \
        (classes_de_test().push_back([] { return new Classe; }), true)
