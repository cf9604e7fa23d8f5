#include "ui/exercice/dialogue_exercice.h"

#include "core/texte.h"
#include "ui/francais/format_fr.h"
#include "ui/lecon/fichiers_lecon.h"
#include "ui/lecon/historique.h"
#include "ui/poste/ecriture_fichier.h"
#include "ui/poste/poste.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileInfo>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include <cmath>
#include <limits>

namespace trajel {

namespace {

bool est_altitude(std::size_t k) {
    return k < 2;
}

// A value shown in a field of the dialog, which reads it back: ten digits, a decimal
// comma, no grouping ("36000", "1,70754729e-06").
QString champ_de(double x) {
    return std::isfinite(x)
               ? QString::number(x, 'g', 10).replace(QLatin1Char('.'), QLatin1Char(','))
               : QString();
}

// The shortest text that reads back to x, as the boxes read it ("36000", "0.25").
std::string texte_de(double x) {
    return QString::number(x, 'g', QLocale::FloatingPointShortest).toStdString();
}

// The elements of the first burn's start written into the boxes that hold them.
void ecrire_orbite(depart_exercice& d, const trajectoire& t, double masse) {
    const double valeurs[] = {t.za,          t.zp,  t.grand_omega, t.inclinaison,
                              t.petit_omega, masse, t.anomalie};
    for (std::size_t k = 0; k < std::size(valeurs); ++k) {
        d.textes[k] = texte_de(valeurs[k]);
    }
    d.type_orbite = t.type_conique == circulaire ? bouton_option::Option_circulaire : d.type_orbite;
}

} // namespace

std::optional<double> nombre_saisi(const QString& texte) {
    QString t = texte.trimmed();
    t.replace(QLatin1Char(','), QLatin1Char('.'));
    t.remove(QChar(0x202F)); // the narrow no-break space of the French thousands
    bool ok = false;
    const double x = t.toDouble(&ok);
    if (!ok) {
        return std::nullopt;
    }
    return x;
}

depart_exercice depart_de_la_fenetre(const contexte_exercice& c, bool avant_premier_tir) {
    const lecon l = c.fichiers.lecon_actuelle();
    const instantane_scene scene = c.principale.scene();
    depart_exercice d;
    for (std::size_t k = 0; k < d.textes.size(); ++k) {
        d.textes[k] = l.textes[k].toStdString();
    }
    d.type_orbite = l.type_orbite;
    d.reperes = l.reperes;
    d.longitude = l.longitude;
    d.latitude = l.latitude;
    d.zoom = l.zoom;
    d.orbite = scene.valeurs.traj;
    // The mass and the Isp as the next burn reads them: from their boxes, which a typed
    // value changes without a redraw.
    d.masse = Val(d.textes[static_cast<std::size_t>(zone_texte::Text6)]);
    d.isp = Val(d.textes[static_cast<std::size_t>(zone_texte::Text13)]);
    d.modele = scene.modele;
    if (avant_premier_tir && !l.journal.empty() && l.journal.front().tir) {
        const bilan_tir& premier = *l.journal.front().tir;
        d.orbite = premier.avant;
        d.masse = l.journal.front().masse_avant;
        d.isp = premier.moteur.isp;
        ecrire_orbite(d, premier.avant, d.masse);
    }
    return d;
}

dialogue_creer_exercice::dialogue_creer_exercice(
    contexte_exercice& c, std::function<QString(const QString&)> choisir_fichier)
    : QDialog(&c.principale.widget()), c_(c), choisir_fichier_(std::move(choisir_fichier)) {
    setObjectName(QStringLiteral("dialogue_creer_exercice"));
    setWindowTitle(QStringLiteral("Créer un exercice"));
    setAttribute(Qt::WA_DeleteOnClose);
    new QVBoxLayout(this);
    creer_cible();
    creer_reste();
    suivre_choix_cible();
}

void dialogue_creer_exercice::creer_cible() {
    auto* boite = new QGroupBox(QStringLiteral("Orbite visée"), this);
    boite->setObjectName(QStringLiteral("groupe_cible"));
    auto* grille = new QGridLayout(boite);
    cible_saisie_ = new QRadioButton(QStringLiteral("&Saisie ci-dessous"), boite);
    cible_saisie_->setObjectName(QStringLiteral("choix_cible_saisie"));
    cible_saisie_->setChecked(true);
    cible_actuelle_ = new QRadioButton(QStringLiteral("L'orbite &actuelle"), boite);
    cible_actuelle_->setObjectName(QStringLiteral("choix_cible_actuelle"));
    cible_actuelle_->setToolTip(QStringLiteral(
        "L'orbite de la fenêtre devient la cible ; si la leçon a des tirs, le départ est "
        "l'état d'avant le premier tir"));
    grille->addWidget(cible_saisie_, 0, 0, 1, 2);
    grille->addWidget(cible_actuelle_, 0, 2, 1, 3);
    grille->addWidget(new QLabel(QStringLiteral("Valeur visée"), boite), 1, 1);
    grille->addWidget(new QLabel(QStringLiteral("Vérifié"), boite), 1, 2);
    grille->addWidget(new QLabel(QStringLiteral("Tolérance"), boite), 1, 3);
    const orbite_cible actuelle = elements_de(c_.principale.scene().valeurs.traj);
    const auto defauts = criteres_par_defaut();
    for (std::size_t k = 0; k < nombre_elements_vises; ++k) {
        const auto el = static_cast<element_vise>(k);
        const QString nom = QString::fromLatin1(nom_element(el));
        const int ligne = static_cast<int>(k) + 2;
        grille->addWidget(
            new QLabel(nom + (est_altitude(k) ? QStringLiteral(" (km)") : QStringLiteral(" (°)")),
                       boite),
            ligne, 0);
        valeurs_[k] = new QLineEdit(boite);
        valeurs_[k]->setObjectName(QStringLiteral("cible_") + nom);
        const double v = actuelle.valeur(el);
        valeurs_[k]->setText(champ_de(v));
        coches_[k] = new QCheckBox(boite);
        coches_[k]->setObjectName(QStringLiteral("coche_") + nom);
        coches_[k]->setChecked(defauts[k].coche);
        coches_[k]->setToolTip(
            QStringLiteral("L'élément %1 compte pour atteindre l'objectif").arg(nom));
        tolerances_[k] = new QLineEdit(nombre_fr(defauts[k].tolerance), boite);
        tolerances_[k]->setObjectName(QStringLiteral("tolerance_") + nom);
        grille->addWidget(valeurs_[k], ligne, 1);
        grille->addWidget(coches_[k], ligne, 2, Qt::AlignCenter);
        grille->addWidget(tolerances_[k], ligne, 3);
        grille->addWidget(
            new QLabel(est_altitude(k) ? QStringLiteral("% de R + Z") : QStringLiteral("°"), boite),
            ligne, 4);
    }
    layout()->addWidget(boite);
    connect(cible_actuelle_, &QRadioButton::toggled, this,
            &dialogue_creer_exercice::suivre_choix_cible);
}

void dialogue_creer_exercice::creer_reste() {
    auto* formulaire = new QFormLayout;
    budget_ = new QLineEdit(this);
    budget_->setObjectName(QStringLiteral("saisie_budget"));
    budget_->setPlaceholderText(QStringLiteral("sans limite"));
    formulaire->addRow(QStringLiteral("Budget de Δv (km/s) :"), budget_);
    tirs_maximum_ = new QLineEdit(this);
    tirs_maximum_->setObjectName(QStringLiteral("saisie_tirs_maximum"));
    tirs_maximum_->setPlaceholderText(QStringLiteral("sans limite"));
    formulaire->addRow(QStringLiteral("Nombre maximal de tirs :"), tirs_maximum_);
    enonce_ = new QPlainTextEdit(this);
    enonce_->setObjectName(QStringLiteral("saisie_enonce"));
    enonce_->setPlaceholderText(QStringLiteral("Énoncé de l'exercice"));
    formulaire->addRow(QStringLiteral("Énoncé :"), enonce_);
    assistant_ = new QCheckBox(QStringLiteral("Assistant de manœuvre permis"), this);
    assistant_->setObjectName(QStringLiteral("case_assistant_permis"));
    assistant_->setChecked(true);
    formulaire->addRow(QString(), assistant_);
    releve_ = new QComboBox(this);
    releve_->setObjectName(QStringLiteral("choix_releve"));
    releve_->addItem(QStringLiteral("entières"));
    releve_->addItem(QStringLiteral("sans « Dernier tir » ni impulsion"));
    formulaire->addRow(QStringLiteral("Caractéristiques de l'orbite :"), releve_);
    auto* disposition = static_cast<QVBoxLayout*>(layout());
    disposition->addLayout(formulaire);
    message_ = new QLabel(this);
    message_->setObjectName(QStringLiteral("message_exercice"));
    message_->setWordWrap(true);
    message_->setStyleSheet(QStringLiteral("color: #b00000"));
    message_->hide();
    disposition->addWidget(message_);
    auto* boutons = new QDialogButtonBox(this);
    boutons->setObjectName(QStringLiteral("boutons_exercice"));
    QPushButton* bouton = boutons->addButton(QStringLiteral("&Enregistrer l'exercice..."),
                                             QDialogButtonBox::AcceptRole);
    bouton->setObjectName(QStringLiteral("bouton_enregistrer_exercice"));
    QPushButton* annuler = boutons->addButton(QDialogButtonBox::Cancel);
    annuler->setText(QStringLiteral("Annuler"));
    annuler->setObjectName(QStringLiteral("bouton_annuler_exercice"));
    disposition->addWidget(boutons);
    connect(bouton, &QPushButton::clicked, this, [this] {
        if (enregistrer()) {
            accept();
        }
    });
    connect(annuler, &QPushButton::clicked, this, &QDialog::reject);
}

// The current orbit as the target: its elements shown, not typed.
void dialogue_creer_exercice::suivre_choix_cible() {
    const bool actuelle = cible_actuelle_->isChecked();
    const orbite_cible o = elements_de(c_.principale.scene().valeurs.traj);
    for (std::size_t k = 0; k < nombre_elements_vises; ++k) {
        valeurs_[k]->setReadOnly(actuelle);
        const double v = o.valeur(static_cast<element_vise>(k));
        if (actuelle) {
            valeurs_[k]->setText(champ_de(v));
        }
    }
}

std::variant<exercice, QStringList> dialogue_creer_exercice::exercice_saisi() const {
    QStringList fautes;
    const auto lire = [&fautes](const QLineEdit* boite, const QString& quoi) {
        const std::optional<double> x = nombre_saisi(boite->text());
        if (!x) {
            fautes << QStringLiteral("%1 n'est pas un nombre : « %2 ».").arg(quoi, boite->text());
        }
        return x.value_or(0.0);
    };
    const bool actuelle = cible_actuelle_->isChecked();
    exercice e;
    e.depart = depart_de_la_fenetre(c_, actuelle);
    orbite_cible cible;
    double* champs[] = {&cible.za, &cible.zp, &cible.inclinaison, &cible.grand_omega,
                        &cible.petit_omega};
    for (std::size_t k = 0; k < nombre_elements_vises; ++k) {
        const QString nom = QString::fromLatin1(nom_element(static_cast<element_vise>(k)));
        if (!actuelle) {
            *champs[k] = lire(valeurs_[k], QStringLiteral("L'élément visé ") + nom);
        }
        e.criteres[k].coche = coches_[k]->isChecked();
        e.criteres[k].tolerance = lire(tolerances_[k], QStringLiteral("La tolérance sur ") + nom);
    }
    if (actuelle) {
        cible = elements_de(c_.principale.scene().valeurs.traj);
    }
    e.cible = cible;
    if (!budget_->text().trimmed().isEmpty()) {
        e.budget_delta_v = lire(budget_, QStringLiteral("Le budget de Δv"));
    }
    if (!tirs_maximum_->text().trimmed().isEmpty()) {
        const double n = lire(tirs_maximum_, QStringLiteral("Le nombre maximal de tirs"));
        if (n != std::floor(n) || std::abs(n) > 1e6) {
            fautes << QStringLiteral("Le nombre maximal de tirs doit être un nombre entier.");
        }
        e.tirs_maximum = static_cast<int>(std::clamp(n, -1e6, 1e6));
    }
    e.enonce = enonce_->toPlainText().toStdString();
    e.assistant_permis = assistant_->isChecked();
    e.releve =
        releve_->currentIndex() == 0 ? releve_permis::entier : releve_permis::sans_dernier_tir;
    for (const std::string& d : defauts_exercice(e)) {
        fautes << QString::fromStdString(d);
    }
    if (!fautes.isEmpty()) {
        return fautes;
    }
    return e;
}

QString dialogue_creer_exercice::message() const {
    return message_->isVisible() || !message_->text().isEmpty() ? message_->text() : QString();
}

bool dialogue_creer_exercice::enregistrer() {
    std::variant<exercice, QStringList> lu = exercice_saisi();
    const auto refuser = [this](const QStringList& fautes) {
        message_->setText(fautes.join(QLatin1Char('\n')));
        message_->show();
        return false;
    };
    if (const QStringList* fautes = std::get_if<QStringList>(&lu)) {
        return refuser(*fautes);
    }
    exercice e = std::get<exercice>(std::move(lu));
    e.optimum = calculer_optimum(e.depart, *e.cible);
    if (!e.optimum) {
        return refuser({QStringLiteral(
            "L'assistant ne trouve aucun plan du départ à l'orbite visée : l'optimum ne peut "
            "pas être calculé.")});
    }
    if (e.optimum->tirs.empty()) {
        return refuser({QStringLiteral("Le départ est déjà sur l'orbite visée : il n'y a rien "
                                       "à faire.")});
    }
    message_->clear();
    message_->hide();
    const QFileInfo actuel(c_.fichiers.chemin());
    const QString propose = actuel.fileName().isEmpty()
                                ? QStringLiteral("exercice.trajel")
                                : actuel.completeBaseName() + QStringLiteral("_exercice.trajel");
    const QString chemin = choisir_fichier_ ? choisir_fichier_(propose) : QString();
    if (chemin.isEmpty()) {
        return false;
    }
    lecon l;
    for (std::size_t k = 0; k < l.textes.size(); ++k) {
        l.textes[k] = QString::fromStdString(e.depart.textes[k]);
    }
    l.type_orbite = e.depart.type_orbite;
    l.reperes = e.depart.reperes;
    l.longitude = e.depart.longitude;
    l.latitude = e.depart.latitude;
    l.zoom = e.depart.zoom;
    l.modele = e.depart.modele;
    l.exercice = section_exercice{e, std::nullopt};
    if (const std::optional<QString> erreur = ecrire_fichier(chemin, ecrire_lecon(l))) {
        return refuser({QStringLiteral("L'exercice n'est pas enregistré : %1.").arg(*erreur)});
    }
    return true;
}

} // namespace trajel
