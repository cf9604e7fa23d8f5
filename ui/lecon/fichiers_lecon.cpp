#include "ui/lecon/fichiers_lecon.h"

#include "core/erreur.h"
#include "ui/lecon/historique.h"
#include "ui/poste/ecriture_fichier.h"
#include "ui/poste/evenements.h"
#include "ui/poste/poste.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QSettings>
#include <QTimer>
#include <QWidget>

#include <utility>

namespace trajel {

namespace {

constexpr int recentes_maximum = 5;
const QString cle_recentes = QStringLiteral("lecons_recentes");
const QString filtre_lecon = QStringLiteral("Leçon Trajel (*.trajel)");

constexpr bouton_option types[] = {
    bouton_option::Option_circulaire, bouton_option::Option_elliptique,
    bouton_option::Option_parabolique, bouton_option::Option_hyperbolique};
constexpr bouton_option reperes[] = {bouton_option::Option_RN, bouton_option::Option_RH,
                                     bouton_option::Option_RP, bouton_option::Option_tous};

} // namespace

fichiers_lecon::fichiers_lecon(poste_de_travail& principale, historique_lecon& historique,
                               reglages_lecon reglages)
    : QObject(&principale.widget()), principale_(principale), historique_(historique),
      reglages_(std::move(reglages)), dossier_(QDir::homePath()) {
    setObjectName(QStringLiteral("fichiers_lecon"));
    choisir_enregistrement = [this](const QString& propose) {
        return QFileDialog::getSaveFileName(
            &principale_.widget(), QStringLiteral("Enregistrer la leçon"), propose, filtre_lecon);
    };
    choisir_ouverture = [this](const QString& dossier) {
        return QFileDialog::getOpenFileName(
            &principale_.widget(), QStringLiteral("Ouvrir une leçon"), dossier, filtre_lecon);
    };
    avertir = [this](const QString& message) {
        QMessageBox::warning(&principale_.widget(), QStringLiteral("Trajel"), message);
    };
    poser_question = [](QMessageBox& question) { return question.exec(); };

    legende_ = principale_.widget().windowTitle();
    ouverture_ = lecon_actuelle();
    connect(&historique_.pile(), &QUndoStack::cleanChanged, this, &fichiers_lecon::titrer);
    connect(&historique_, &historique_lecon::notes_changees, this, &fichiers_lecon::titrer);
    principale_.annonces().accord_de_fermeture = [this] { return peut_etre_quittee(); };
}

lecon fichiers_lecon::lecon_actuelle() const {
    const instantane_scene scene = principale_.scene();
    lecon l;
    for (std::size_t i = 0; i < l.textes.size(); ++i) {
        l.textes[i] = QString::fromStdString(scene.textes[i]);
    }
    for (bouton_option b : types) {
        if (scene.selectionne(b)) {
            l.type_orbite = b;
        }
    }
    for (bouton_option b : reperes) {
        if (scene.selectionne(b)) {
            l.reperes = b;
        }
    }
    l.longitude = scene.longitude;
    l.latitude = scene.latitude;
    l.zoom = scene.zoom;
    l.marques = reglages_.marques();
    l.acceleration = reglages_.acceleration();
    l.journal = historique_.journal();
    l.notes = historique_.notes();
    if (scene.dernier_tir) {
        l.dernier_tir = scene.dernier_tir;
        l.dernier_tir->numero = 0;
        l.arc_du_tir = historique_.arc_affiche();
    }
    l.debit = QString::fromStdString(scene.debit);
    l.temps_mission = scene.temps_mission;
    l.modele = scene.modele;
    if (exercice_actuel) {
        l.exercice = exercice_actuel();
    }
    return l;
}

bool fichiers_lecon::enregistrer_vers(const QString& chemin) {
    historique_.commettre_la_saisie_en_cours(); // a step before the saved state
    const QByteArray octets = ecrire_lecon(lecon_actuelle());
    if (octets.size() > taille_maximale_lecon) { // a file that would not open again
        avertir(QStringLiteral("La leçon n'a pas pu être enregistrée dans « %1 » : elle "
                               "dépasserait %2 Mo, la taille d'une leçon Trajel ; les notes "
                               "ou le journal des tirs sont trop longs.")
                    .arg(QDir::toNativeSeparators(chemin))
                    .arg(taille_maximale_lecon / (1024 * 1024)));
        return false;
    }
    if (const std::optional<QString> cause = ecrire_fichier(chemin, octets)) {
        avertir(QStringLiteral("La leçon n'a pas pu être enregistrée dans « %1 » : %2")
                    .arg(QDir::toNativeSeparators(chemin), *cause));
        return false;
    }
    dossier_ = QFileInfo(chemin).absolutePath();
    noter_recente(chemin);
    chemin_ = QFileInfo(chemin).absoluteFilePath();
    fichier_touche_ = true;
    marquer_enregistree();
    return true;
}

bool fichiers_lecon::enregistrer() {
    return chemin_.isEmpty() ? enregistrer_sous() : enregistrer_vers(chemin_);
}

bool fichiers_lecon::enregistrer_sous() {
    const QString propose =
        chemin_.isEmpty() ? QDir(dossier_).filePath(QStringLiteral("lecon.trajel")) : chemin_;
    const QString chemin = choisir_enregistrement(propose);
    if (chemin.isEmpty()) {
        return false;
    }
    return enregistrer_vers(
        chemin.endsWith(QLatin1String(".trajel")) ? chemin : chemin + QStringLiteral(".trajel"));
}

bool fichiers_lecon::modifiee() const {
    return !historique_.pile().isClean() || historique_.notes() != notes_enregistrees_;
}

bool fichiers_lecon::peut_etre_quittee() {
    if (!fichier_touche_) {
        return true; // as the program always did
    }
    historique_.commettre_la_saisie_en_cours(); // the keys typed count
    if (!modifiee()) {
        return true;
    }
    if (historique_.avant_restitution) {
        historique_.avant_restitution(); // no frame runs under the question
    }
    const QString nom =
        chemin_.isEmpty() ? QStringLiteral("Sans titre") : QFileInfo(chemin_).completeBaseName();
    QMessageBox question(
        QMessageBox::Warning, legende_,
        QStringLiteral("Enregistrer les modifications de la leçon « %1 » ?").arg(nom),
        QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, &principale_.widget());
    question.setObjectName(QStringLiteral("question_enregistrer_lecon"));
    question.button(QMessageBox::Save)->setText(QStringLiteral("&Enregistrer"));
    question.button(QMessageBox::Discard)->setText(QStringLiteral("&Ne pas enregistrer"));
    question.button(QMessageBox::Cancel)->setText(QStringLiteral("Annuler"));
    question.setDefaultButton(QMessageBox::Save);
    question.setEscapeButton(QMessageBox::Cancel);
    switch (poser_question(question)) {
    case QMessageBox::Save:
        return enregistrer();
    case QMessageBox::Discard:
        return true;
    default:
        return false;
    }
}

void fichiers_lecon::marquer_enregistree() {
    historique_.pile().setClean();
    notes_enregistrees_ = historique_.notes();
    titrer();
}

void fichiers_lecon::titrer() {
    QWidget& fenetre = principale_.widget();
    const bool modifie = modifiee();
    fenetre.setWindowFilePath(chemin_);
    if (chemin_.isEmpty() && !modifie) {
        fenetre.setWindowTitle(legende_);
    } else {
        const QString nom = chemin_.isEmpty() ? QStringLiteral("Sans titre")
                                              : QFileInfo(chemin_).completeBaseName();
        fenetre.setWindowTitle(QStringLiteral("%1[*] – %2").arg(nom, legende_));
    }
    fenetre.setWindowModified(modifie);
}

void fichiers_lecon::lecon_ouverte(const QString& chemin) {
    dossier_ = QFileInfo(chemin).absolutePath();
    noter_recente(chemin);
    chemin_ = QFileInfo(chemin).absoluteFilePath();
    fichier_touche_ = true;
    marquer_enregistree();
}

void fichiers_lecon::nouvelle_lecon() {
    if (!peut_etre_quittee()) {
        return;
    }
    appliquer(ouverture_);
    chemin_.clear();
    marquer_enregistree();
}

bool fichiers_lecon::ouvrir(const QString& chemin) {
    QFile fichier(chemin);
    const auto refuser = [&](const QString& raison) {
        avertir(QStringLiteral("La leçon « %1 » n'a pas été ouverte.\n%2")
                    .arg(QDir::toNativeSeparators(chemin), raison));
        return false;
    };
    if (QFileInfo(chemin).isDir() || !fichier.open(QIODevice::ReadOnly)) {
        return refuser(QStringLiteral("Le fichier ne peut pas être lu : %1.")
                           .arg(pourquoi_illisible(chemin, fichier)));
    }
    if (fichier.size() > taille_maximale_lecon) {
        return refuser(lecon_trop_volumineuse()); // refused before it is read
    }
    const std::variant<lecon, QString> lu = lire_lecon(fichier.readAll());
    if (const QString* raison = std::get_if<QString>(&lu)) {
        return refuser(*raison);
    }
    appliquer(std::get<lecon>(lu));
    lecon_ouverte(chemin);
    return true;
}

void fichiers_lecon::appliquer(const lecon& l) {
    historique_.ouvrir(l.journal, l.notes, [&] {
        // The view first, on the scene shown: the scroll bars run their own handlers.
        const instantane_scene scene = principale_.scene();
        if (scene.zoom != l.zoom) {
            principale_.executer(commande::changer_zoom{[zoom = l.zoom] { return zoom; }});
        }
        principale_.executer(
            commande::tourner_vue{l.longitude - scene.longitude, l.latitude - scene.latitude});
        if (reglages_.marques() != l.marques) {
            reglages_.marquer(l.marques);
        }
        reglages_.accelerer(l.acceleration);
        return ecrire_dans_la_fenetre(l);
    });
    if (exercice_applique) {
        exercice_applique(l.exercice);
    }
}

bool fichiers_lecon::ecrire_dans_la_fenetre(const lecon& l) {
    lecon_a_ecrire e;
    for (std::size_t i = 0; i < l.textes.size(); ++i) {
        e.textes[i] = l.textes[i].toStdString();
    }
    e.type_orbite = l.type_orbite;
    e.reperes = l.reperes;
    e.tir = l.dernier_tir;
    e.arc = l.arc_du_tir;
    e.temps_mission = l.temps_mission;
    e.modele = l.modele;
    if (l.debit) {
        e.debit = l.debit->toStdString();
    }
    return principale_.executer(commande::ecrire_lecon{std::move(e)});
}

fichiers_lecon::~fichiers_lecon() {
    ecrire_recentes();
}

QStringList fichiers_lecon::recentes() const {
    return recentes_a_ecrire_ ? *recentes_a_ecrire_
                              : QSettings().value(cle_recentes).toStringList();
}

// The settings are written after the redraw, at most once a second: lessons opened one
// after the other in that second are written together (and at the end, by the destructor).
void fichiers_lecon::ecrire_recentes() {
    if (recentes_a_ecrire_) {
        QSettings().setValue(cle_recentes, *std::exchange(recentes_a_ecrire_, std::nullopt));
    }
}

void fichiers_lecon::noter_recente(const QString& chemin) {
    QStringList liste = recentes();
    const QString absolu = QFileInfo(chemin).absoluteFilePath();
    if (liste.value(0) == absolu) {
        return; // already the first: the settings are not written again
    }
    liste.removeAll(absolu);
    liste.prepend(absolu);
    while (liste.size() > recentes_maximum) {
        liste.removeLast();
    }
    if (!recentes_a_ecrire_) {
        QTimer::singleShot(1000, this, &fichiers_lecon::ecrire_recentes);
    }
    recentes_a_ecrire_ = liste;
}

void fichiers_lecon::remplir_recentes(QMenu* menu) {
    menu->clear();
    const QStringList liste = recentes();
    if (liste.isEmpty()) {
        menu->addAction(QStringLiteral("(aucune)"))->setEnabled(false);
        return;
    }
    for (int i = 0; i < liste.size(); ++i) {
        const QString chemin = liste[i];
        QAction* a =
            menu->addAction(QStringLiteral("&%1 %2").arg(i + 1).arg(QFileInfo(chemin).fileName()));
        a->setToolTip(QDir::toNativeSeparators(chemin));
        connect(a, &QAction::triggered, this, [this, chemin] {
            if (peut_etre_quittee()) {
                ouvrir(chemin);
            }
        });
    }
}

void fichiers_lecon::creer_menu() {
    QMenu* menu = principale_.menu_outils();
    menu->addSeparator();
    QAction* nouvelle = menu->addAction(QStringLiteral("&Nouvelle leçon"));
    nouvelle->setObjectName(QStringLiteral("menu_nouvelle_lecon"));
    nouvelle->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_N));
    nouvelle->setShortcutContext(Qt::ApplicationShortcut);
    connect(nouvelle, &QAction::triggered, this, &fichiers_lecon::nouvelle_lecon);
    QAction* ouvrir_action = menu->addAction(QStringLiteral("&Ouvrir une leçon..."));
    ouvrir_action->setObjectName(QStringLiteral("menu_ouvrir_lecon"));
    ouvrir_action->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_O));
    ouvrir_action->setShortcutContext(Qt::ApplicationShortcut);
    connect(ouvrir_action, &QAction::triggered, this, [this] {
        if (!peut_etre_quittee()) {
            return;
        }
        const QString chemin = choisir_ouverture(dossier_);
        if (!chemin.isEmpty()) {
            ouvrir(chemin);
        }
    });
    QAction* enregistrer = menu->addAction(QStringLiteral("&Enregistrer la leçon"));
    enregistrer->setObjectName(QStringLiteral("menu_enregistrer_lecon"));
    enregistrer->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S));
    enregistrer->setShortcutContext(Qt::ApplicationShortcut);
    connect(enregistrer, &QAction::triggered, this, &fichiers_lecon::enregistrer);
    QAction* sous = menu->addAction(QStringLiteral("Enregistrer la leçon &sous..."));
    sous->setObjectName(QStringLiteral("menu_enregistrer_lecon_sous"));
    connect(sous, &QAction::triggered, this, &fichiers_lecon::enregistrer_sous);
    QMenu* recentes_menu = menu->addMenu(QStringLiteral("Leçons &récentes"));
    recentes_menu->setObjectName(QStringLiteral("menu_lecons_recentes"));
    connect(recentes_menu, &QMenu::aboutToShow, this,
            [this, recentes_menu] { remplir_recentes(recentes_menu); });
}

fichiers_lecon* ajouter_fichiers_lecon(poste_de_travail& principale, historique_lecon& historique,
                                       reglages_lecon reglages) {
    auto* f = new fichiers_lecon(principale, historique, std::move(reglages));
    f->creer_menu();
    return f;
}

} // namespace trajel
