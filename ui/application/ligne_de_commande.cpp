#include "ui/application/ligne_de_commande.h"

#include "trajel_version.h"

#include <QCommandLineParser>
#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace trajel {

namespace {

QString aide() {
    return QStringLiteral(
        "Utilisation : trajel [options] [leçon.trajel]\n"
        "Trajel : visualisation d'orbites terrestres et simulation de manoeuvres.\n"
        "\n"
        "Options :\n"
        "  -h, --help     Affiche cette aide.\n"
        "  -v, --version  Affiche la version de Trajel.\n"
        "\n"
        "Arguments :\n"
        "  leçon.trajel   La leçon à ouvrir au démarrage.\n");
}

ligne_de_commande fin(int code, const QString& message) {
    ligne_de_commande l;
    l.code_de_sortie = code;
    l.message = message;
    return l;
}

} // namespace

ligne_de_commande analyser_ligne_de_commande(const QStringList& arguments) {
    QCommandLineParser analyseur;
    analyseur.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    const QCommandLineOption option_aide({QStringLiteral("h"), QStringLiteral("help")},
                                         QStringLiteral("Affiche cette aide."));
    const QCommandLineOption option_version({QStringLiteral("v"), QStringLiteral("version")},
                                            QStringLiteral("Affiche la version de Trajel."));
    analyseur.addOption(option_aide);
    analyseur.addOption(option_version);
    const QString suite = QStringLiteral("« trajel --help » donne les options.\n");
    if (!analyseur.parse(arguments)) {
        const QStringList inconnues = analyseur.unknownOptionNames();
        if (!inconnues.isEmpty()) {
            return fin(2,
                       QStringLiteral("trajel : option inconnue « %1 ». ").arg(inconnues.first()) +
                           suite);
        }
        return fin(2, QStringLiteral("trajel : ligne de commande incorrecte. ") + suite);
    }
    if (analyseur.isSet(option_aide)) {
        return fin(0, aide());
    }
    if (analyseur.isSet(option_version)) {
        return fin(0, QStringLiteral("%1 %2.%3.%4\n")
                          .arg(QString::fromLatin1(programme::titre))
                          .arg(programme::version_majeure)
                          .arg(programme::version_mineure)
                          .arg(programme::revision));
    }
    const QStringList lecons = analyseur.positionalArguments();
    if (lecons.size() > 1) {
        return fin(2, QStringLiteral("trajel : une seule leçon à la fois. ") + suite);
    }
    ligne_de_commande l;
    if (lecons.isEmpty()) {
        return l;
    }
    l.chemin = lecons.first();
    const QString nom = QDir::toNativeSeparators(l.chemin);
    QFile fichier(l.chemin);
    if (QFileInfo(l.chemin).isDir() || !fichier.open(QIODevice::ReadOnly)) {
        return fin(1, QStringLiteral("trajel : la leçon « %1 » ne peut pas être lue : %2.\n")
                          .arg(nom, pourquoi_illisible(l.chemin, fichier)));
    }
    if (fichier.size() > taille_maximale_lecon) {
        return fin(1, QStringLiteral("trajel : la leçon « %1 » n'a pas été ouverte : %2\n")
                          .arg(nom, lecon_trop_volumineuse()));
    }
    std::variant<lecon, QString> lu = lire_lecon(fichier.readAll());
    if (const QString* raison = std::get_if<QString>(&lu)) {
        return fin(1, QStringLiteral("trajel : la leçon « %1 » n'a pas été ouverte : %2\n")
                          .arg(nom, *raison));
    }
    l.lecon_a_ouvrir = std::move(std::get<lecon>(lu));
    return l;
}

} // namespace trajel
