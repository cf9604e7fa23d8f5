#include "ui/outils/assistant_manoeuvre.h"

#include "core/caracteristiques.h"
#include "core/texte.h"
#include "ui/francais/convention_poussee.h"
#include "ui/francais/format_fr.h"
#include "ui/poste/evenements.h"
#include "ui/poste/poste.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

namespace trajel {

namespace {

const QString km = QStringLiteral("km");
const QString km_s = QStringLiteral("km/s");

QDoubleSpinBox* champ(QWidget* parent, const char* nom, double minimum, double maximum,
                      double valeur, int decimales, const QString& suffixe) {
    auto* c = new QDoubleSpinBox(parent);
    c->setObjectName(QString::fromLatin1(nom));
    c->setLocale(QLocale(QLocale::French, QLocale::France));
    c->setRange(minimum, maximum);
    c->setDecimals(decimales);
    c->setValue(valeur);
    c->setSuffix(suffixe);
    c->setGroupSeparatorShown(true);
    c->setKeyboardTracking(false); // the plan follows a value once typed
    return c;
}

// Along or against the motion at an apsis; otherwise the unit vector's components.
QString direction_fr(const vecteur& d) {
    if (d.x == 0.0 && d.z == 0.0) {
        return d.y > 0.0 ? QStringLiteral("prograde (ortho-radiale)")
                         : QStringLiteral("rétrograde (ortho-radiale)");
    }
    const QString plan =
        QStringLiteral("ortho-radiale %1 ; normale %2").arg(nombre_fr(d.y), nombre_fr(d.z));
    return d.x == 0.0 ? plan : QStringLiteral("radiale %1 ; ").arg(nombre_fr(d.x)) + plan;
}

QString orbite_fr(const orbite_visee& o) {
    return QStringLiteral("Zp %1 ; Za %2 ; i %3")
        .arg(valeur_fr(o.zp, km), valeur_fr(o.za, km), valeur_fr(o.inclinaison, "°"));
}

double valeur_boite(const instantane_scene& scene, zone_texte zone) {
    return Val(scene.texte(zone));
}

QTreeWidgetItem* ligne(QTreeWidgetItem* parent, const QString& nom, const QString& valeur) {
    return new QTreeWidgetItem(parent, {nom, valeur});
}

void bulle(QTreeWidgetItem* item, const QString& texte) {
    item->setToolTip(0, texte);
    item->setToolTip(1, texte);
}

// Just below a full turn is the anomaly 0 to the digits shown.
QString anomalie_fr(double anomalie) {
    return valeur_fr(anomalie >= 359.9995 ? 0.0 : anomalie, "°", 6);
}

QString tir_prepare_fr(int numero) {
    return QStringLiteral("Tir %1 préparé : appuyez sur « Tir ! » dans la fenêtre principale.")
        .arg(numero);
}

} // namespace

assistant_manoeuvre::assistant_manoeuvre(poste_de_travail& principale)
    : QDialog(&principale.widget()), fenetre_outil(*this, principale) {
    setObjectName(QStringLiteral("assistant_manoeuvre"));
    setWindowTitle(QStringLiteral("Assistant de manœuvre"));
    setModal(false);
    // Made in the order of the keyboard's tab.
    creer_saisies();
    creer_tableaux();
    creer_boutons();
    disposer();
    relier();
    adapter_saisies();
    actualiser();
    donner_taille_initiale();
}

// The manoeuvre and its targets.
void assistant_manoeuvre::creer_saisies() {
    genre_ = new QComboBox(this);
    genre_->setObjectName(QStringLiteral("choix_manoeuvre"));
    genre_->setToolTip(QStringLiteral("La manœuvre à planifier depuis l'orbite actuelle"));
    genre_->addItem(QStringLiteral("Transfert de Hohmann vers un cercle"),
                    static_cast<int>(genre_manoeuvre::hohmann));
    genre_->addItem(QStringLiteral("Circularisation"),
                    static_cast<int>(genre_manoeuvre::circularisation));
    genre_->addItem(QStringLiteral("Changement de l'apside opposée"),
                    static_cast<int>(genre_manoeuvre::changement_apside));
    genre_->addItem(QStringLiteral("Changement d'inclinaison"),
                    static_cast<int>(genre_manoeuvre::changement_inclinaison));
    genre_->addItem(QStringLiteral("Orbite géostationnaire"),
                    static_cast<int>(genre_manoeuvre::geostationnaire));
    altitude_ = champ(this, "altitude_visee", -1e6, 1e9, 36000.0, 1, QStringLiteral(" km"));
    apside_ = new QComboBox(this);
    apside_->setObjectName(QStringLiteral("apside_tir"));
    apside_->setToolTip(QStringLiteral("L'apside où le tir a lieu"));
    apside_->addItem(QStringLiteral("à l'apoastre"), static_cast<int>(apside::apoastre));
    apside_->addItem(QStringLiteral("au périastre"), static_cast<int>(apside::periastre));
    inclinaison_ = champ(this, "inclinaison_visee", 0.0, 180.0, 0.0, 3, QStringLiteral(" °"));
    inclinaison_->setToolTip(
        QStringLiteral("Inclinaison visée, en degrés ; le tir a lieu au nœud le moins coûteux "
                       "(orbite équatoriale : au nœud choisi)"));
    poussee_ = champ(this, "poussee_choisie", 0.0, 1e9, 100.0, 3, QStringLiteral(" N"));
    choix_noeud_ = new QComboBox(this);
    choix_noeud_->setObjectName(QStringLiteral("choix_noeud"));
    choix_noeud_->addItem(QStringLiteral("à la position du satellite"));
    choix_noeud_->addItem(QStringLiteral("à la longitude choisie"));
    choix_noeud_->setToolTip(QStringLiteral(
        "Une orbite équatoriale n'a pas de ligne des nœuds : le nœud ascendant du nouveau plan "
        "est la position du satellite ou la longitude choisie"));
    longitude_noeud_ = champ(this, "longitude_noeud", 0.0, 360.0, 0.0, 3, QStringLiteral(" °"));
    longitude_noeud_->setToolTip(QStringLiteral(
        "Longitude du nœud ascendant du nouveau plan, en degrés depuis le premier axe du "
        "repère fixe (orbite équatoriale seulement)"));

    saisies_ = new QFormLayout;
    saisies_->addRow(QStringLiteral("&Manœuvre :"), genre_);
    saisies_->addRow(QStringLiteral("&Altitude visée :"), altitude_);
    saisies_->addRow(QStringLiteral("&Tir :"), apside_);
    saisies_->addRow(QStringLiteral("&Inclinaison visée :"), inclinaison_);
    saisies_->addRow(QStringLiteral("&Nœud (orbite équatoriale) :"), choix_noeud_);
    saisies_->addRow(QStringLiteral("&Longitude du nœud :"), longitude_noeud_);
    saisies_->addRow(QStringLiteral("&Poussée du moteur (convention de Trajel) :"), poussee_);
    nommer_modele(terre_du_programme);
}

// The texts that name the Earth model: its radius, and its engine's convention when it
// has one. The thrust follows the model's unit so that the engine stays the same: F N of
// the program's convention accelerate as 1000 F N in SI, and the burns keep their
// durations (100 N would take hours to put a satellite on a real transfer).
void assistant_manoeuvre::nommer_modele(const modele_terre& modele) {
    if (modele.poussee_si != poussee_si_) {
        poussee_si_ = modele.poussee_si;
        const QSignalBlocker silence(poussee_);
        poussee_->setValue(poussee_si_ ? poussee_->value() * 1000.0 : poussee_->value() / 1000.0);
    }
    altitude_->setToolTip(QStringLiteral("Altitude visée, en km au-dessus de la Terre (") +
                          rayon_terre_fr(modele) +
                          QStringLiteral(") : celle du cercle d'arrivée, ou celle de l'apside "
                                         "opposée au tir"));
    poussee_->setToolTip(
        QStringLiteral("Module de la poussée, en N, écrit dans le vecteur poussée ; divisé "
                       "par la masse en kg, il donne l'accélération en ") +
        (modele.poussee_si ? QStringLiteral("m/s².\n") : QStringLiteral("km/s².\n")) +
        explication_moteur(modele));
    if (auto* etiquette = qobject_cast<QLabel*>(saisies_->labelForField(poussee_))) {
        etiquette->setText(modele.poussee_si
                               ? QStringLiteral("&Poussée du moteur :")
                               : QStringLiteral("&Poussée du moteur (convention de Trajel) :"));
    }
}

// The plan, the results, the targeter's iterations, the orbit predicted, the message.
void assistant_manoeuvre::creer_tableaux() {
    plan_ = new QTreeWidget(this);
    plan_->setObjectName(QStringLiteral("plan_manoeuvre"));
    plan_->setHeaderLabels({QStringLiteral("Plan"), QStringLiteral("Valeur")});
    plan_->setAlternatingRowColors(true);
    plan_->setToolTip(QStringLiteral(
        "Le plan en impulsions : Δv de chaque tir, sa direction, son point ; le tir fini "
        "correspondant ; la durée du transfert et le Δv total"));
    resultats_ = new QTreeWidget(this);
    resultats_->setObjectName(QStringLiteral("resultats_manoeuvre"));
    resultats_->setHeaderLabels({QStringLiteral("Après le tir"), QStringLiteral("Visée"),
                                 QStringLiteral("Prévue"), QStringLiteral("Obtenue")});
    resultats_->setAlternatingRowColors(true);
    resultats_->setToolTip(QStringLiteral(
        "Après chaque tir tiré : l'orbite visée, l'orbite prévue par la correction et l'orbite "
        "obtenue"));
    ciblage_ = new QTreeWidget(this);
    ciblage_->setObjectName(QStringLiteral("ciblage_tir"));
    ciblage_->setRootIsDecorated(false);
    ciblage_->setAlternatingRowColors(true);
    ciblage_->setVisible(false);
    ciblage_->setToolTip(QStringLiteral(
        "La correction du tir préparé, itération par itération : ce que chaque essai manque "
        "de la cible (résidus) et le tir essayé ; la première ligne est le tir tiré de "
        "l'impulsion"));
    prevue_ = new QLabel(this);
    prevue_->setObjectName(QStringLiteral("orbite_prevue"));
    prevue_->setWordWrap(true);
    prevue_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    prevue_->setVisible(false);
    prevue_->setToolTip(
        QStringLiteral("L'orbite que donne le tir préparé, intégré comme « Tir ! » l'intégrera"));
    message_ = new QLabel(this);
    message_->setObjectName(QStringLiteral("message_assistant"));
    message_->setToolTip(QStringLiteral("Ce qu'il reste à faire, ou pourquoi le plan est refusé"));
    message_->setWordWrap(true);
    message_->setTextInteractionFlags(Qt::TextSelectableByMouse);
}

void assistant_manoeuvre::creer_boutons() {
    preparer_ = new QPushButton(QStringLiteral("Préparer le &tir"), this);
    preparer_->setObjectName(QStringLiteral("bouton_preparer"));
    preparer_->setDefault(true);
    preparer_->setToolTip(QStringLiteral(
        "Écrit l'anomalie de départ, la poussée, la durée et le nombre de pas du prochain tir "
        "dans la fenêtre principale ; « Tir ! » le tire"));
    nouveau_plan_ = new QPushButton(QStringLiteral("&Nouveau plan"), this);
    nouveau_plan_->setObjectName(QStringLiteral("bouton_nouveau_plan"));
    nouveau_plan_->setToolTip(
        QStringLiteral("Recommence le plan depuis l'orbite actuelle, au premier tir"));
    fermer_ = new QPushButton(QStringLiteral("&Fermer"), this);
    fermer_->setObjectName(QStringLiteral("bouton_fermer_assistant"));
    fermer_->setToolTip(QStringLiteral("Ferme l'assistant (Ctrl+M le rouvre)"));
}

void assistant_manoeuvre::disposer() {
    auto* boutons = new QHBoxLayout;
    boutons->addWidget(nouveau_plan_);
    boutons->addStretch();
    boutons->addWidget(preparer_);
    boutons->addWidget(fermer_);

    auto* disposition = new QVBoxLayout(this);
    disposition->addLayout(saisies_);
    disposition->addWidget(plan_, 3);
    disposition->addWidget(message_);
    disposition->addWidget(ciblage_, 2);
    disposition->addWidget(prevue_);
    disposition->addWidget(resultats_, 2);
    disposition->addLayout(boutons);
}

// A new request starts the plan again; the thrust only re-plans; the main window's
// events move the plan on.
void assistant_manoeuvre::relier() {
    auto nouvelle_demande = [this] {
        suivi_.recommencer();
        ciblage_->hide();
        prevue_->hide();
        adapter_saisies();
        actualiser();
    };
    connect(genre_, &QComboBox::currentIndexChanged, this, nouvelle_demande);
    connect(apside_, &QComboBox::currentIndexChanged, this, nouvelle_demande);
    connect(altitude_, &QDoubleSpinBox::valueChanged, this, nouvelle_demande);
    connect(inclinaison_, &QDoubleSpinBox::valueChanged, this, nouvelle_demande);
    connect(choix_noeud_, &QComboBox::currentIndexChanged, this, nouvelle_demande);
    connect(longitude_noeud_, &QDoubleSpinBox::valueChanged, this, nouvelle_demande);
    connect(poussee_, &QDoubleSpinBox::valueChanged, this, [this] { actualiser(); });
    connect(preparer_, &QPushButton::clicked, this, &assistant_manoeuvre::preparer);
    connect(nouveau_plan_, &QPushButton::clicked, this, nouvelle_demande);
    connect(fermer_, &QPushButton::clicked, this, &QDialog::close);
    // A refused or failed event has changed nothing; a completed one re-plans when it
    // fired a burn or changed the orbit or the satellite. Hidden, it only follows the
    // plan's burns.
    suivre_les_evenements(
        [this](bool reussi) {
            if (!reussi) {
                return;
            }
            const bool tir = suivre_tir();
            if (isVisible() && (tir || calcule_sur_ != source_de(principale_.scene()))) {
                actualiser();
            }
        },
        [this](bool reussi) {
            if (reussi) {
                suivre_tir();
            }
        });
}

void assistant_manoeuvre::donner_taille_initiale() {
    const QFontMetrics m(font());
    resize(m.horizontalAdvance(QLatin1Char('x')) * 76, m.height() * 36);
}

demande_manoeuvre assistant_manoeuvre::demande() const {
    demande_manoeuvre d;
    d.genre = static_cast<genre_manoeuvre>(genre_->currentData().toInt());
    d.altitude_visee = altitude_->value();
    d.lieu = static_cast<apside>(apside_->currentData().toInt());
    d.inclinaison_visee = inclinaison_->value();
    if (choix_noeud_->currentIndex() == 1) {
        d.longitude_noeud = longitude_noeud_->value();
    }
    d.modele = principale_.scene().modele;
    return d;
}

// Only the inputs of the manoeuvre chosen are shown.
void assistant_manoeuvre::adapter_saisies() {
    const genre_manoeuvre g = demande().genre;
    saisies_->setRowVisible(altitude_, g == genre_manoeuvre::hohmann ||
                                           g == genre_manoeuvre::changement_apside);
    saisies_->setRowVisible(apside_, g == genre_manoeuvre::circularisation ||
                                         g == genre_manoeuvre::changement_apside);
    saisies_->setRowVisible(inclinaison_, g == genre_manoeuvre::changement_inclinaison);
    saisies_->setRowVisible(choix_noeud_, g == genre_manoeuvre::changement_inclinaison);
    saisies_->setRowVisible(longitude_noeud_, g == genre_manoeuvre::changement_inclinaison &&
                                                  choix_noeud_->currentIndex() == 1);
    if (auto* etiquette = qobject_cast<QLabel*>(saisies_->labelForField(altitude_))) {
        etiquette->setText(g == genre_manoeuvre::hohmann
                               ? QStringLiteral("&Altitude du cercle visé :")
                               : QStringLiteral("&Altitude de l'apside opposée :"));
    }
}

void assistant_manoeuvre::signaler(const QString& message, bool refus) {
    message_->setText(message);
    message_->setStyleSheet(refus ? QStringLiteral("color: #b00000;") : QString());
}

void assistant_manoeuvre::actualiser() {
    const instantane_scene scene = principale_.scene();
    calcule_sur_ = source_de(scene);
    nommer_modele(scene.modele);
    try {
        const bool termine = suivi_.termine();
        plan_->setVisible(!termine);
        if (termine) {
            plan_->clear();
            preparer_->setEnabled(false);
            signaler(QStringLiteral("Manœuvre terminée : l'orbite obtenue est ci-dessous. "
                                    "« Nouveau plan » repart de l'orbite actuelle."),
                     false);
        } else if (suivi_.faits() == 0 && orbite_visee_atteinte(scene.valeurs.traj, demande())) {
            plan_->clear();
            plan_->setVisible(false);
            preparer_->setEnabled(false);
            signaler(QStringLiteral("Orbite visée atteinte : l'orbite actuelle est celle visée, "
                                    "à 0,01 % près sur les rayons et 0,001° sur l'inclinaison ; "
                                    "aucun tir n'est nécessaire."),
                     false);
        } else {
            const plan_manoeuvre plan = suivi_.plan_restant(scene.valeurs.traj, demande());
            afficher_plan(plan, scene.valeurs.traj);
            preparer_->setEnabled(true);
            const int prochain = suivi_.prochain();
            signaler(suivi_.en_attente()
                         ? tir_prepare_fr(prochain)
                         : QStringLiteral("« Préparer le tir » écrit le tir %1 sur %2 dans la "
                                          "fenêtre principale.")
                               .arg(prochain)
                               .arg(suivi_.prevus()),
                     false);
        }
    } catch (const erreur_calcul& e) {
        plan_->clear();
        preparer_->setEnabled(false);
        signaler(QString::fromUtf8(e.what()), true);
    }
    afficher_resultats();
}

void assistant_manoeuvre::afficher_plan(const plan_manoeuvre& plan, const trajectoire& depuis) {
    plan_->clear();
    const int faits = suivi_.faits();
    const instantane_scene scene = principale_.scene();
    double masse = valeur_boite(scene, zone_texte::Text6);
    const double isp_moteur = valeur_boite(scene, zone_texte::Text13);
    std::optional<double> periode;
    try {
        periode = caracteristiques_de(conique_de(depuis, scene.modele)).periode;
    } catch (const erreur_calcul&) {
    }
    for (std::size_t i = 0; i < plan.tirs.size(); ++i) {
        const tir_impulsionnel& tir = plan.tirs[i];
        auto* g = new QTreeWidgetItem(plan_, {QStringLiteral("Tir %1 %2")
                                                  .arg(faits + 1 + static_cast<int>(i))
                                                  .arg(QString::fromStdString(tir.lieu))});
        QFont gras = g->font(0);
        gras.setBold(true);
        g->setFont(0, gras);
        g->setToolTip(0, g->text(0));
        // The finite burn of the chosen thrust, from the mass left by the burns before;
        // the first one refused refuses the plan.
        std::optional<tir_prepare> p;
        QString echec;
        try {
            p = preparer_tir(depuis, tir, poussee_->value(), masse, isp_moteur, scene.modele);
        } catch (const erreur_calcul& e) {
            if (i == 0) {
                throw;
            }
            echec = QString::fromUtf8(e.what());
        }
        ligne(g, QStringLiteral("Δv impulsionnel"), delta_v_fr(tir.delta_v));
        ligne(g, QStringLiteral("Direction de la poussée"), direction_fr(tir.direction));
        if (i == 0) {
            afficher_anomalies(g, tir, *p);
            ligne(g, QStringLiteral("Attente depuis la position actuelle"),
                  tir.attente && *tir.attente < 0 ? QStringLiteral("point déjà dépassé")
                                                  : duree_fr(tir.attente));
        }
        if (p) {
            afficher_tir_fini(g, *p, masse, i == 0 ? periode : std::nullopt);
            for (const ligne_moteur& l : lignes_convention_moteur(
                     poussee_->value(), tir.delta_v, masse, isp_moteur, !scene.modele.poussee_si)) {
                bulle(ligne(g, l.nom, l.valeur), l.bulle);
            }
            masse = p->masse_finale;
        } else {
            ligne(g, QStringLiteral("Tir fini"), echec);
        }
        ligne(g, QStringLiteral("Orbite visée après le tir"), orbite_fr(tir.apres));
    }
    afficher_totaux(plan);
}

// The impulse's point and, when it lies before it by more than the digits shown, the
// start of the finite burn centred on it: each row says which it is.
void assistant_manoeuvre::afficher_anomalies(QTreeWidgetItem* g, const tir_impulsionnel& tir,
                                             const tir_prepare& p) {
    const QString point = anomalie_fr(tir.anomalie);
    const QString depart = anomalie_fr(p.anomalie_depart);
    QTreeWidgetItem* l = ligne(g, QStringLiteral("Anomalie du point de tir"), point);
    if (depart == point) {
        bulle(l, tir.point_libre
                     ? QStringLiteral("Sur un cercle tous les points se valent : le tir commence "
                                      "à la position actuelle du satellite, à cette anomalie, "
                                      "que « Préparer le tir » écrit dans la fenêtre principale")
                     : QStringLiteral("Le point de l'impulsion, où le tir commence : sa "
                                      "demi-durée ne le déplace pas aux chiffres affichés"));
        return;
    }
    bulle(l, QStringLiteral("Le point de l'impulsion du plan : le milieu du tir fini"));
    bulle(ligne(g, QStringLiteral("Anomalie de départ (demi-tir avant)"), depart),
          QStringLiteral("Où le tir fini commence, une demi-durée de tir avant le point de tir "
                         "(équation de Kepler), pour être centré sur lui : l'anomalie que "
                         "« Préparer le tir » écrit dans la fenêtre principale"));
}

void assistant_manoeuvre::afficher_tir_fini(QTreeWidgetItem* g, const tir_prepare& p, double masse,
                                            std::optional<double> periode) {
    ligne(g, QStringLiteral("Durée du tir"), valeur_fr(p.duree, "s"));
    if (periode) {
        ligne(g, QStringLiteral("Durée du tir / période"),
              valeur_fr(100.0 * p.duree / *periode, "%"));
    }
    ligne(g, QStringLiteral("Nombre de pas"), QString::number(p.pas));
    ligne(g, QStringLiteral("Masse consommée"), valeur_fr(masse - p.masse_finale, "kg"));
}

void assistant_manoeuvre::afficher_totaux(const plan_manoeuvre& plan) {
    auto* total =
        plan.duree_transfert
            ? new QTreeWidgetItem(
                  plan_, {QStringLiteral("Durée du transfert"), duree_fr(plan.duree_transfert)})
            : new QTreeWidgetItem(plan_, {QStringLiteral("Nombre de tirs"), QStringLiteral("1")});
    // The mission clock's target: the wait to the first burn point and the transfer.
    const std::optional<double> attente =
        plan.tirs.empty() ? std::nullopt : plan.tirs.front().attente;
    const bool connue = attente && *attente >= 0.0;
    auto* arrivee =
        new QTreeWidgetItem(plan_, {QStringLiteral("Temps de mission à l'arrivée"),
                                    connue ? duree_fr(principale_.scene().temps_mission + *attente +
                                                      plan.duree_transfert.value_or(0.0))
                                           : QStringLiteral("-")});
    arrivee->setToolTip(0, QStringLiteral("Le temps de mission actuel, plus l'attente jusqu'au "
                                          "premier point de tir et la durée du transfert"));
    auto* dv =
        new QTreeWidgetItem(plan_, {QStringLiteral("Δv total"), delta_v_fr(plan.delta_v_total)});
    for (QTreeWidgetItem* item : {total, dv}) {
        QFont gras = item->font(0);
        gras.setBold(true);
        item->setFont(0, gras);
    }
    plan_->expandAll();
    // The burns' titles span the row: the names' column is as wide as the names.
    for (int k = 0; k < plan_->topLevelItemCount(); ++k) {
        QTreeWidgetItem* g = plan_->topLevelItem(k);
        g->setFirstColumnSpanned(g->childCount() > 0);
    }
    for (int c = 0; c < plan_->columnCount(); ++c) {
        plan_->resizeColumnToContents(c); // nothing cut; a scroll bar when too wide
    }
}

void assistant_manoeuvre::afficher_resultats() {
    const std::vector<suivi_manoeuvre::resultat>& faits = suivi_.resultats();
    resultats_->clear();
    resultats_->setVisible(!faits.empty());
    for (std::size_t i = 0; i < faits.size(); ++i) {
        const suivi_manoeuvre::resultat& r = faits[i];
        auto* g = new QTreeWidgetItem(resultats_, {QStringLiteral("Tir %1").arg(i + 1)});
        const std::optional<orbite_etat>& o = r.obtenue;
        const std::optional<orbite_etat>& p = r.prevue;
        // The prediction and the result to 8 digits: they agree to the targeter's
        // tolerance, about a metre on 36000 km, which 6 digits would round away.
        new QTreeWidgetItem(g, {QStringLiteral("Altitude du périastre"), valeur_fr(r.visee.zp, km),
                                p ? valeur_fr(p->zp, km, 8) : QStringLiteral("-"),
                                o ? valeur_fr(o->zp, km, 8) : QStringLiteral("-")});
        new QTreeWidgetItem(g, {QStringLiteral("Altitude de l'apoastre"), valeur_fr(r.visee.za, km),
                                p ? valeur_fr(p->za, km, 8) : QStringLiteral("-"),
                                o ? valeur_fr(o->za, km, 8) : QStringLiteral("-")});
        new QTreeWidgetItem(g, {QStringLiteral("Inclinaison"), valeur_fr(r.visee.inclinaison, "°"),
                                p ? valeur_fr(p->inclinaison, "°", 8) : QStringLiteral("-"),
                                o ? valeur_fr(o->inclinaison, "°", 8) : QStringLiteral("-")});
        if (o && o->za) {
            // The mean radius reached against the one aimed at.
            const double rayon_terre = principale_.scene().modele.rayon;
            const double vise = 0.5 * (r.visee.zp + r.visee.za) + rayon_terre;
            const double obtenu = 0.5 * (o->zp + *o->za) + rayon_terre;
            new QTreeWidgetItem(g, {QStringLiteral("Écart du rayon moyen"), QString(), QString(),
                                    valeur_fr(100.0 * (obtenu - vise) / vise, "%")});
        }
    }
    resultats_->expandAll();
    for (int c = 0; c < resultats_->columnCount(); ++c) {
        resultats_->resizeColumnToContents(c);
    }
}

void assistant_manoeuvre::preparer() {
    const instantane_scene scene = principale_.scene();
    ciblage c;
    int numero = 0;
    try {
        const plan_manoeuvre plan = suivi_.plan_restant(scene.valeurs.traj, demande());
        if (plan.tirs.empty()) {
            return;
        }
        numero = suivi_.prochain();
        const depart_tir depart{scene.valeurs.traj, valeur_boite(scene, zone_texte::Text6),
                                valeur_boite(scene, zone_texte::Text13), scene.modele};
        c = cibler(depart, plan.tirs.front(), cible_de(demande(), plan), poussee_->value());
    } catch (const erreur_calcul& e) {
        signaler(QString::fromUtf8(e.what()), true); // refused: nothing is written
        return;
    }
    afficher_ciblage(c);
    if (!c.converge) {
        signaler(QStringLiteral("Correction du tir non convergée : %1 Le tir affiché est "
                                "l'estimation impulsionnelle, non corrigée ; rien n'est écrit "
                                "dans la fenêtre principale.")
                     .arg(QString::fromStdString(c.message)),
                 true);
        return;
    }
    const unsigned precedent = source_de(scene).tir;
    bool ecrit = false;
    principale_.executer(commande::saisir{[&](formulaire& f) {
                                              ecrire_tir(f, c.tir);
                                              ecrit = true;
                                          },
                                          true, 0.0, preparer_->objectName(),
                                          QStringLiteral("la préparation du tir")});
    if (ecrit) {
        suivi_.noter_preparation(precedent, c.tir.duree, c.tir.pas, c.tir.poussee, c.prevue);
    }
    actualiser();
    if (ecrit) {
        signaler(tir_prepare_fr(numero), false); // even when the plan from the new place fails
    }
}

void assistant_manoeuvre::afficher_ciblage(const ciblage& c) {
    ciblage_->clear();
    QStringList entetes{QStringLiteral("Itération")};
    for (const std::string& nom : c.noms_residus) {
        entetes << QString::fromStdString(nom);
    }
    entetes << QStringLiteral("Écart (tolérances)") << QStringLiteral("Durée")
            << QStringLiteral("Azimut") << QStringLiteral("Élévation")
            << QStringLiteral("Anomalie de départ");
    ciblage_->setColumnCount(static_cast<int>(entetes.size()));
    ciblage_->setHeaderLabels(entetes);
    // Newton's steps change the duration and the ignition anomaly in their 7th and 8th
    // digits once close: more digits than elsewhere, or the last rows would look equal.
    auto commande = [](const commande_tir& x) {
        return QStringList{valeur_fr(x.duree, "s", 7), valeur_fr(x.azimut, "°"),
                           valeur_fr(x.elevation, "°"), valeur_fr(x.anomalie_depart, "°", 8)};
    };
    for (const iteration_ciblage& it : c.iterations) {
        QStringList textes{it.numero == 0 ? QStringLiteral("0 (impulsion)")
                                          : QString::number(it.numero)};
        for (double r : it.residus) {
            textes << nombre_fr(r);
        }
        textes << nombre_fr(it.ecart) << commande(it.commande);
        new QTreeWidgetItem(ciblage_, textes);
    }
    if (!c.converge) {
        QStringList textes{QStringLiteral("Estimation impulsionnelle (non corrigée)")};
        for (std::size_t i = 0; i <= c.noms_residus.size(); ++i) {
            textes << QString();
        }
        textes << commande(c.commande);
        auto* item = new QTreeWidgetItem(ciblage_, textes);
        QFont gras = item->font(0);
        gras.setBold(true);
        item->setFont(0, gras);
    }
    for (int i = 0; i < ciblage_->columnCount(); ++i) {
        ciblage_->resizeColumnToContents(i);
    }
    ciblage_->setVisible(true);
    if (c.prevue) {
        const orbite_etat& o = *c.prevue;
        // To 8 digits, as the results it is compared with.
        prevue_->setText(QStringLiteral("Orbite prévue après le tir : Zp %1 ; Za %2 ; i %3")
                             .arg(valeur_fr(o.zp, km, 8), valeur_fr(o.za, km, 8),
                                  valeur_fr(o.inclinaison, "°", 8)));
    } else {
        prevue_->setText(QStringLiteral("Orbite prévue : aucune, le tir n'est pas corrigé."));
    }
    prevue_->setVisible(true);
}

// After each completed event of the main window: the burn prepared has been fired, or
// another; true when the progress changed.
bool assistant_manoeuvre::suivre_tir() {
    switch (suivi_.suivre(principale_.scene().dernier_tir)) {
    case suivi_manoeuvre::issue::rien:
        return false;
    case suivi_manoeuvre::issue::autre_tir:
        signaler(QStringLiteral("Un autre tir que celui préparé a été tiré : le plan repart de "
                                "l'orbite actuelle."),
                 false);
        return true;
    case suivi_manoeuvre::issue::tir_suivi:
        return true;
    }
    return true;
}

QSize assistant_manoeuvre::taille_minimale() const {
    const QFontMetrics m(font());
    return {m.horizontalAdvance(QLatin1Char('x')) * 64, m.height() * 22};
}

QSize assistant_manoeuvre::taille_voulue() const {
    const QFontMetrics m(font());
    return sizeHint().expandedTo(
        QSize(m.horizontalAdvance(QLatin1Char('x')) * 90, m.height() * 36));
}

} // namespace trajel
