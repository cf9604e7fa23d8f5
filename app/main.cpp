#include "about/icone.h"
#include "ui/application/composition.h"
#include "ui/application/francais.h"
#include "ui/application/ligne_de_commande.h"
#include "ui/fenetre/form1.h"
#include "ui/lecon/fichiers_lecon.h"

#include <QApplication>
#include <QStringList>

#include <cstdio>
#include <optional>

namespace {

// Help and version need no display; the toolkit's own options (-platform...) are only
// known once the application has taken them out.
std::optional<int> repondre(const trajel::ligne_de_commande& ligne, bool erreurs) {
    if (!ligne.code_de_sortie || (*ligne.code_de_sortie != 0 && !erreurs)) {
        return std::nullopt;
    }
    std::fputs(ligne.message.toLocal8Bit().constData(),
               *ligne.code_de_sortie == 0 ? stdout : stderr);
    return ligne.code_de_sortie;
}

} // namespace

int main(int argc, char* argv[]) {
    QStringList arguments;
    for (int i = 0; i < argc; ++i) {
        arguments << QString::fromLocal8Bit(argv[i]);
    }
    if (const auto code = repondre(trajel::analyser_ligne_de_commande(arguments), false)) {
        return *code;
    }
    QApplication application(argc, argv);
    // Where the tool windows' places and the recent lessons are kept between runs.
    QApplication::setOrganizationName(QStringLiteral("Trajel"));
    QApplication::setApplicationName(QStringLiteral("trajel"));
    trajel::installer_francais(application);
    const trajel::ligne_de_commande ligne =
        trajel::analyser_ligne_de_commande(QCoreApplication::arguments());
    if (const auto code = repondre(ligne, true)) {
        return *code;
    }
    QApplication::setWindowIcon(trajel::icone_programme());
    trajel::fenetre_principale Form1;
    const trajel::outils_installes outils = trajel::installer_outils(Form1);
    Form1.show();
    if (ligne.lecon_a_ouvrir) {
        outils.lecons->appliquer(*ligne.lecon_a_ouvrir);
        outils.lecons->lecon_ouverte(ligne.chemin);
    }
    return application.exec();
}
