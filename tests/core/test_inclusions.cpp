// The includes of the Qt-free core run one way: no unit (A.h with A.cpp) includes the
// header of a unit that includes, directly or through others, a header of A.

#include "commun/principal.h"

#include <QTest>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace {

// unit ("core/module1") -> the units whose headers it includes.
using graphe = std::map<std::string, std::set<std::string>>;

// The unit of the header a line includes by its quoted path ("core/module1" for
// #include "core/module1.h"); empty for any other line.
std::string unite_incluse(const std::string& ligne) {
    const std::string debut = "#include \"";
    if (!ligne.starts_with(debut)) {
        return {};
    }
    const std::size_t fin = ligne.find(".h\"", debut.size());
    return fin == std::string::npos ? std::string()
                                    : ligne.substr(debut.size(), fin - debut.size());
}

graphe graphe_des_dossiers(const QStringList& dossiers) {
    namespace fs = std::filesystem;
    graphe g;
    for (const QString& dossier : dossiers) {
        for (const auto& f :
             fs::directory_iterator(fs::path(TRAJEL_SOURCES) / dossier.toStdString())) {
            const std::string ext = f.path().extension().string();
            if (ext != ".h" && ext != ".cpp") {
                continue;
            }
            const std::string unite = dossier.toStdString() + "/" + f.path().stem().string();
            std::set<std::string>& inclus = g[unite];
            std::ifstream lecture(f.path());
            for (std::string ligne; std::getline(lecture, ligne);) {
                const std::string u = unite_incluse(ligne);
                if (!u.empty() && u != unite) {
                    inclus.insert(u);
                }
            }
        }
    }
    return g;
}

// A cycle of g as "a -> b -> a", or empty. Units outside g end a path.
std::string cycle_dans(const graphe& g) {
    enum class etat { nouveau, en_cours, fini };
    std::map<std::string, etat> etats;
    std::vector<std::string> chemin;
    std::string trouve;
    auto visiter = [&](auto&& soi, const std::string& u) -> void {
        etats[u] = etat::en_cours;
        chemin.push_back(u);
        for (const std::string& v : g.at(u)) {
            if (!trouve.empty() || !g.contains(v)) {
                continue;
            }
            if (etats[v] == etat::en_cours) {
                for (auto it = std::find(chemin.begin(), chemin.end(), v); it != chemin.end();
                     ++it) {
                    trouve += *it + " -> ";
                }
                trouve += v;
            } else if (etats[v] == etat::nouveau) {
                soi(soi, v);
            }
        }
        chemin.pop_back();
        etats[u] = etat::fini;
    };
    for (const auto& [u, inclus] : g) {
        if (trouve.empty() && etats[u] == etat::nouveau) {
            visiter(visiter, u);
        }
    }
    return trouve;
}

} // namespace

class TestInclusions : public QObject {
    Q_OBJECT
private slots:
    // The search itself, on small graphs: a cycle through three units is found, a chain
    // and a unit included from outside are not cycles.
    void cycle_trouve_data() {
        QTest::addColumn<bool>("avec_cycle");
        QTest::newRow("a -> b -> c -> a") << true;
        QTest::newRow("a -> b -> c") << false;
    }
    void cycle_trouve() {
        QFETCH(bool, avec_cycle);
        graphe g{{"a", {"b", "dehors"}}, {"b", {"c"}}, {"c", {}}};
        if (avec_cycle) {
            g["c"].insert("a");
        }
        QCOMPARE(!cycle_dans(g).empty(), avec_cycle);
    }

    // Each folder alone, and the three together (a cycle may cross folders).
    void sens_unique_data() {
        QTest::addColumn<QStringList>("dossiers");
        QTest::newRow("core") << QStringList{"core"};
        QTest::newRow("render") << QStringList{"render"};
        QTest::newRow("manoeuvre") << QStringList{"manoeuvre"};
        QTest::newRow("core, render et manoeuvre") << QStringList{"core", "render", "manoeuvre"};
    }
    void sens_unique() {
        QFETCH(QStringList, dossiers);
        const graphe g = graphe_des_dossiers(dossiers);
        QVERIFY(g.size() >= 5 * static_cast<std::size_t>(dossiers.size())); // the folders were read
        const std::string cycle = cycle_dans(g);
        QVERIFY2(cycle.empty(), cycle.c_str());
    }
};

TRAJEL_TEST(TestInclusions);

#include "test_inclusions.moc"
