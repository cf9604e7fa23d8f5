#include "about/faux_registre.h"
#include "commun/principal.h"

#include <QTemporaryDir>
#include <QTest>

#include <filesystem>
#include <fstream>

using namespace trajel;

namespace {

const std::string cle_msinfo = "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO";
const std::string cle_outils = "SOFTWARE\\Microsoft\\Shared Tools Location";
const std::string indisponible = "System Information Is Unavailable At This Time";

std::string octets(std::initializer_list<int> liste) {
    std::string s;
    for (int o : liste) {
        s.push_back(static_cast<char>(o));
    }
    return s;
}

} // namespace

class TestGetKeyValue : public QObject {
    Q_OBJECT
private slots:
    void valeur_lue_data() {
        QTest::addColumn<uint>("type");
        QTest::addColumn<QByteArray>("stockee");
        QTest::addColumn<bool>("lue");
        QTest::addColumn<QByteArray>("attendue");

        const uint sz = type_chaine;
        const QByteArray ancienne("ancienne");
        QTest::newRow("chaîne avec terminateur")
            << sz << QByteArray("C:\\WINDOWS\\msinfo32.exe\0", 24) << true
            << QByteArray("C:\\WINDOWS\\msinfo32.exe");
        QTest::newRow("chaîne sans terminateur") << sz << QByteArray("C:\\WINDOWS\\msinfo32.exe")
                                                 << true << QByteArray("C:\\WINDOWS\\msinfo32.exe");
        QTest::newRow("chaîne vide avec terminateur")
            << sz << QByteArray(1, '\0') << true << QByteArray();
        QTest::newRow("chaîne vide sans octet") << sz << QByteArray() << true << QByteArray();
        QTest::newRow("un caractère sans terminateur")
            << sz << QByteArray("x") << true << QByteArray("x");
        // The buffer holds 1024 bytes.
        QTest::newRow("1023 caractères et terminateur")
            << sz << QByteArray(1023, 'a') + QByteArray(1, '\0') << true << QByteArray(1023, 'a');
        QTest::newRow("1024 caractères sans terminateur")
            << sz << QByteArray(1024, 'b') << true << QByteArray(1024, 'b');
        QTest::newRow("1024 caractères et terminateur")
            << sz << QByteArray(1024, 'c') + QByteArray(1, '\0') << false << QByteArray();
        QTest::newRow("1025 caractères sans terminateur")
            << sz << QByteArray(1025, 'd') << false << QByteArray();
        QTest::newRow("4000 caractères") << sz << QByteArray(4000, 'e') << false << QByteArray();

        const uint dword = type_nombre_32;
        QTest::newRow("nombre 32 bits")
            << dword << QByteArray("\x45\x23\x01\x00", 4) << true << QByteArray("74565");
        QTest::newRow("nombre 32 bits, octet fort non nul")
            << dword << QByteArray("\x01\x00\x00\x80", 4) << true << QByteArray("2147483649");
        QTest::newRow("nombre 32 bits nul")
            << dword << QByteArray(4, '\0') << true << QByteArray("0");
        QTest::newRow("nombre 32 bits maximal")
            << dword << QByteArray(4, '\xff') << true << QByteArray("4294967295");

        // Neither a string nor a number: read, and the caller's text is left alone.
        QTest::newRow("binaire") << 3u << QByteArray("\x01\x02", 2) << true << ancienne;
        QTest::newRow("chaîne à développer")
            << 2u << QByteArray("%SystemRoot%\0", 13) << true << ancienne;
    }
    void valeur_lue() {
        QFETCH(uint, type);
        QFETCH(QByteArray, stockee);
        QFETCH(bool, lue);
        QFETCH(QByteArray, attendue);

        faux_registre base;
        base.ecrire(cle_msinfo, "PATH", type, stockee.toStdString());
        std::string valeur = "ancienne";
        QCOMPARE(GetKeyValue(base, racine_machine_locale, cle_msinfo, "PATH", valeur), lue);
        QCOMPARE(QByteArray::fromStdString(valeur), attendue);

        QCOMPARE(base.ouvertures.size(), std::size_t(1));
        QCOMPARE(base.ouvertures[0].racine, racine_machine_locale);
        QCOMPARE(base.ouvertures[0].nom_cle, cle_msinfo);
        // KEY_READ: a standard account may not open HKEY_LOCAL_MACHINE with every right.
        QCOMPARE(base.ouvertures[0].acces, 0x20019u);
        QCOMPARE(base.fermetures.size(), std::size_t(1));
        QVERIFY(base.fermetures[0] != 0);
        QCOMPARE(base.cles_ouvertes(), std::size_t(0));
    }

    void cle_absente() {
        faux_registre base;
        std::string valeur = "ancienne";
        QVERIFY(!GetKeyValue(base, racine_machine_locale, cle_msinfo, "PATH", valeur));
        QCOMPARE(valeur, std::string());
        // The handle of a key that did not open is still zero, and that is what is closed.
        QCOMPARE(base.fermetures, std::vector<cle_registre>{0});
    }

    void valeur_absente_de_la_cle() {
        faux_registre base;
        base.chaine(cle_msinfo, "AUTRE", "x");
        std::string valeur = "ancienne";
        QVERIFY(!GetKeyValue(base, racine_machine_locale, cle_msinfo, "PATH", valeur));
        QCOMPARE(valeur, std::string());
        QCOMPARE(base.fermetures.size(), std::size_t(1));
        QVERIFY(base.fermetures[0] != 0);
        QCOMPARE(base.cles_ouvertes(), std::size_t(0));
    }

    void autre_racine() {
        faux_registre base;
        const cle_registre utilisateur =
            static_cast<cle_registre>(static_cast<std::intptr_t>(std::int32_t(0x80000001u)));
        base.ecrire(cle_msinfo, "PATH", type_chaine, octets({'u', 0}), utilisateur);
        std::string valeur;
        QVERIFY(!GetKeyValue(base, racine_machine_locale, cle_msinfo, "PATH", valeur));
        QVERIFY(GetKeyValue(base, utilisateur, cle_msinfo, "PATH", valeur));
        QCOMPARE(valeur, std::string("u"));
    }
};
TRAJEL_TEST(TestGetKeyValue);

class TestStartSysInfo : public QObject {
    Q_OBJECT
private slots:
    void lancement_data() {
        QTest::addColumn<QString>("premiere");       // PATH of the first key; "-": absent
        QTest::addColumn<QString>("seconde");        // MSINFO of the second key; "-": absent
        QTest::addColumn<QStringList>("fichiers");   // files that exist
        QTest::addColumn<QStringList>("programmes"); // programs that start
        QTest::addColumn<QStringList>("tentatives"); // programs the lookup tries to start
        QTest::addColumn<bool>("message");

        const QString msinfo =
            "C:\\Program Files\\Common Files\\Microsoft Shared\\MSInfo\\msinfo32.exe";
        const QString dossier = "C:\\Program Files\\Common Files\\Microsoft Shared\\MSInfo";
        const QString outil = dossier + "\\MSINFO32.EXE";

        QTest::newRow("première trouvée") << msinfo << "-" << QStringList{} << QStringList{msinfo}
                                          << QStringList{msinfo} << false;
        QTest::newRow("première trouvée, la seconde n'est pas lue")
            << msinfo << dossier << QStringList{outil} << QStringList{msinfo, outil}
            << QStringList{msinfo} << false;
        QTest::newRow("seconde seule, avec le fichier")
            << "-" << dossier << QStringList{outil} << QStringList{outil} << QStringList{outil}
            << false;
        QTest::newRow("seconde seule, sans le fichier")
            << "-" << dossier << QStringList{dossier} << QStringList{outil} << QStringList{}
            << true;
        QTest::newRow("seconde seule, fichier qui ne démarre pas")
            << "-" << dossier << QStringList{outil} << QStringList{} << QStringList{outil} << true;
        QTest::newRow("aucune") << "-"
                                << "-" << QStringList{} << QStringList{} << QStringList{} << true;
        QTest::newRow("première qui ne démarre pas")
            << msinfo << dossier << QStringList{outil} << QStringList{outil} << QStringList{msinfo}
            << true;
        QTest::newRow("première vide")
            << ""
            << "-" << QStringList{} << QStringList{} << QStringList{""} << true;
    }
    void lancement() {
        QFETCH(QString, premiere);
        QFETCH(QString, seconde);
        QFETCH(QStringList, fichiers);
        QFETCH(QStringList, programmes);
        QFETCH(QStringList, tentatives);
        QFETCH(bool, message);

        faux_registre base;
        if (premiere != "-") {
            base.chaine(cle_msinfo, "PATH", premiere.toStdString());
        }
        if (seconde != "-") {
            base.chaine(cle_outils, "MSINFO", seconde.toStdString());
        }
        faux_lanceur poste;
        for (const QString& f : fichiers) {
            poste.fichiers.insert(f.toStdString());
        }
        for (const QString& p : programmes) {
            poste.programmes.insert(p.toStdString());
        }

        StartSysInfo(base, poste);

        QStringList essayes;
        for (const std::string& t : poste.tentatives) {
            essayes << QString::fromStdString(t);
        }
        QCOMPARE(essayes, tentatives);
        QCOMPARE(poste.messages.size(), std::size_t(message ? 1 : 0));
        if (message) {
            QCOMPARE(poste.messages[0], indisponible);
        }
        // Every lookup closes what it opened (or the zero handle of a failed open).
        QCOMPARE(base.cles_ouvertes(), std::size_t(0));
        QCOMPARE(base.fermetures.size(), base.ouvertures.size());
        for (const auto& o : base.ouvertures) {
            QCOMPARE(o.racine, racine_machine_locale);
            QCOMPARE(o.acces, acces_lecture);
        }
        QCOMPARE(base.ouvertures[0].nom_cle, cle_msinfo);
        if (base.ouvertures.size() > 1) {
            QCOMPARE(base.ouvertures[1].nom_cle, cle_outils);
        }
    }

    void ordre_des_lectures() {
        faux_registre base;
        faux_lanceur poste;
        StartSysInfo(base, poste);
        QCOMPARE(base.ouvertures.size(), std::size_t(2));
        QCOMPARE(base.ouvertures[0].nom_cle, cle_msinfo);
        QCOMPARE(base.ouvertures[1].nom_cle, cle_outils);
        QVERIFY(poste.fichiers_cherches.empty());
    }

    void erreur_au_demarrage() {
        faux_registre base;
        base.chaine(cle_msinfo, "PATH", "C:\\msinfo32.exe");
        faux_lanceur poste;
        poste.lever_au_demarrage = true;
        StartSysInfo(base, poste);
        QCOMPARE(poste.messages, std::vector<std::string>{indisponible});
        QCOMPARE(base.cles_ouvertes(), std::size_t(0));
    }
};
TRAJEL_TEST(TestStartSysInfo);

#ifndef _WIN32
class TestRegistreSubstitut : public QObject {
    Q_OBJECT

    QTemporaryDir dossier_;

    std::string creer(const std::string& sous_dossier, const std::string& nom, bool executable) {
        const std::filesystem::path d =
            std::filesystem::path(dossier_.path().toStdString()) / sous_dossier;
        std::filesystem::create_directories(d);
        const std::filesystem::path f = d / nom;
        std::ofstream(f) << "#!/bin/sh\n";
        std::filesystem::permissions(f, executable ? std::filesystem::perms(0755)
                                                   : std::filesystem::perms(0644));
        return f.string();
    }
    std::string chemin(const std::string& sous_dossier) const {
        return (std::filesystem::path(dossier_.path().toStdString()) / sous_dossier).string();
    }

private slots:
    void initTestCase() { QVERIFY(dossier_.isValid()); }

    void outil_cherche_dans_les_chemins() {
        creer("a", "kinfocenter", false); // not executable: skipped
        const std::string attendu = creer("b", "kinfocenter", true);
        std::filesystem::create_directories(chemin("c/hardinfo")); // a directory: skipped
        registre_substitut base(chemin("a") + "::relatif:" + chemin("b") + ":" + chemin("c"),
                                {"hardinfo", "kinfocenter"});
        QCOMPARE(base.outil_trouve(), attendu);

        std::string valeur;
        QVERIFY(GetKeyValue(base, racine_machine_locale, cle_msinfo, "PATH", valeur));
        QCOMPARE(valeur, attendu);
        QVERIFY(!GetKeyValue(base, racine_machine_locale, cle_outils, "MSINFO", valeur));
        QCOMPARE(valeur, std::string());
        QVERIFY(!GetKeyValue(base, racine_machine_locale, cle_msinfo, "AUTRE", valeur));
    }

    void outil_prefere() {
        creer("d", "xfce4-taskmanager", true);
        const std::string attendu = creer("e", "hardinfo", true);
        registre_substitut base(chemin("d") + ":" + chemin("e"),
                                {"hardinfo", "gnome-system-monitor", "xfce4-taskmanager"});
        QCOMPARE(base.outil_trouve(), attendu);
    }

    void lancement_de_l_outil_trouve() {
        const std::string outil = creer("f", "gnome-system-monitor", true);
        registre_substitut base(chemin("f"), {"hardinfo", "gnome-system-monitor"});
        faux_lanceur poste;
        poste.programmes.insert(outil);
        StartSysInfo(base, poste);
        QCOMPARE(poste.demarres, std::vector<std::string>{outil});
        QVERIFY(poste.messages.empty());
        // The key was closed: a second close has no key to close.
        QVERIFY(base.fermer(1) != succes_registre);
    }

    void aucun_outil() {
        std::filesystem::create_directories(chemin("vide"));
        for (const std::string& chemins : {chemin("vide"), std::string()}) {
            registre_substitut base(chemins, {"hardinfo", "kinfocenter"});
            faux_lanceur poste;
            StartSysInfo(base, poste);
            QVERIFY(poste.tentatives.empty());
            QCOMPARE(poste.messages, std::vector<std::string>{indisponible});
        }
    }

    void tampon_trop_court() {
        const std::string outil = creer("g", "hardinfo", true);
        registre_substitut base(chemin("g"), {"hardinfo"});
        cle_registre cle = 0;
        QCOMPARE(base.ouvrir(racine_machine_locale, cle_msinfo, acces_lecture, cle),
                 succes_registre);
        char tampon[4] = {};
        std::uint32_t taille = sizeof tampon;
        std::uint32_t type = 0;
        QCOMPARE(base.lire(cle, "PATH", type, tampon, taille), erreur_tampon_court);
        QCOMPARE(taille, std::uint32_t(outil.size() + 1));
        QCOMPARE(base.fermer(cle), succes_registre);
    }
};
TRAJEL_TEST(TestRegistreSubstitut);
#endif

#include "test_registre.moc"
