#include "ui/outils/fenetre_trace_sol.h"

#include "core/erreur.h"
#include "ecran/placement.h"
#include "ecran/twips.h"
#include "render/continents.h"
#include "render/scene.h"
#include "ui/francais/format_fr.h"
#include "ui/image/exportateur.h"
#include "ui/image/picture1.h"
#include "ui/poste/evenements.h"
#include "ui/poste/poste.h"

#include <QAction>
#include <QDoubleSpinBox>
#include <QFile>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QPainter>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

namespace trajel {

namespace {

const QString credit_cotes = QStringLiteral(
    "Côtes : GSHHG 2.3.7, résolution grossière, P. Wessel et W. H. F. Smith, licence LGPL "
    "(paquet Debian gmt-gshhg-low)");

// The text under the map: the shift of the track a revolution, or why there is none.
QString ligne_decalage(const trace_au_sol& trace, int revolutions) {
    if (!trace.decalage) {
        return QStringLiteral("Conique ouverte : trace sur l'arc dessiné, sans révolution");
    }
    const double d = *trace.decalage;
    const QString sens = d < 0.0 ? QStringLiteral("vers l'ouest") : QStringLiteral("vers l'est");
    return QStringLiteral("Décalage de la trace par révolution : %1° %2 (période %3 s), %4 "
                          "révolution%5")
        .arg(nombre_fr(std::abs(d)), sens, nombre_fr(*trace.periode))
        .arg(revolutions)
        .arg(revolutions > 1 ? QStringLiteral("s") : QString());
}

exportateur* exporter_trace(QWidget& fenetre, const carte_trace_sol& carte,
                            const poste_de_travail& principale, const QSpinBox& revolutions) {
    auto* e = new exportateur(
        fenetre, carte, [&carte] { return carte.scene(); },
        [&principale, &revolutions] {
            const instantane_scene s = principale.scene();
            return legende_orbite(s.valeurs.traj, s.longitude, s.latitude, s.zoom) +
                   QStringLiteral(" – trace au sol, %1 révolution(s)").arg(revolutions.value());
        },
        {QStringLiteral("Enregistrer la trace au sol"), QStringLiteral("Imprimer la trace au sol"),
         QStringLiteral("Trace au sol"), QStringLiteral("trace_au_sol.png")});
    e->setObjectName(QStringLiteral("exportateur_trace_sol"));
    return e;
}

void relier_boutons(exportateur& e, const QPushButton* copie, const QPushButton* sauve,
                    const QPushButton* impression) {
    QObject::connect(copie, &QPushButton::clicked, &e, &exportateur::copier);
    QObject::connect(sauve, &QPushButton::clicked, &e, &exportateur::enregistrer);
    QObject::connect(impression, &QPushButton::clicked, &e, &exportateur::imprimer);
}

} // namespace

carte_trace_sol::carte_trace_sol(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("carte_trace_sol"));
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMinimumSize(360, 220);
}

double carte_trace_sol::twips_par_pixel() const {
    return echelle_twips::de(this).twips_par_pixel_x();
}

scene_image carte_trace_sol::scene() const {
    return {&liste_.elements(), QSizeF(liste_.Width(), liste_.Height()), twips_par_pixel()};
}

void carte_trace_sol::definir_couches(const couches_carte& couches, bool trace_changee) {
    couches_ = couches;
    if (trace_changee) {
        trace_ = QPixmap();
    } else {
        // The satellite moves along the track: from now on the map keeps its layers.
        par_couches_ = true;
    }
}

std::vector<element_affichage> carte_trace_sol::extrait(std::size_t debut, std::size_t fin) const {
    const std::vector<element_affichage>& e = liste_.elements();
    fin = std::min(fin, e.size());
    debut = std::min(debut, fin);
    return {e.begin() + static_cast<std::ptrdiff_t>(debut),
            e.begin() + static_cast<std::ptrdiff_t>(fin)};
}

QRect carte_trace_sol::zone_marque() const {
    const double ppt = 1.0 / twips_par_pixel();
    QRectF zone;
    for (const element_affichage& e : extrait(couches_.trace, couches_.marque)) {
        zone |= QRectF(QPointF(e.x1, e.y1) * ppt, QSizeF(1.0, 1.0));
        if (e.nature == element_affichage::genre::trait) {
            zone |= QRectF(QPointF(e.x2, e.y2) * ppt, QSizeF(1.0, 1.0));
        }
    }
    // The pen's width and the "S" whose top-left corner is its point.
    constexpr double marge = 32.0;
    return zone.isNull() ? QRect() : zone.adjusted(-marge, -marge, marge, marge).toAlignedRect();
}

// `dessous` (white when null) with the list's elements [debut, fin) painted over it.
QPixmap carte_trace_sol::couche(const QPixmap& dessous, std::size_t debut, std::size_t fin) const {
    QPixmap p = dessous;
    if (p.isNull()) {
        const double ratio = devicePixelRatioF();
        p = QPixmap((QSizeF(size()) * ratio).toSize());
        p.setDevicePixelRatio(ratio);
        p.fill(Qt::white);
    }
    QPainter peintre(&p);
    rendu_image rendu;
    rendu.pixels_par_twip = 1.0 / twips_par_pixel();
    peindre_liste(peintre, extrait(debut, fin), rendu, QRectF(rect()));
    return p;
}

void carte_trace_sol::paintEvent(QPaintEvent*) {
    const double ratio = devicePixelRatioF();
    if (!fond_.isNull() &&
        (fond_.devicePixelRatio() != ratio || fond_.size() != (QSizeF(size()) * ratio).toSize())) {
        fond_ = QPixmap();
        trace_ = QPixmap();
    }
    QPainter peintre(this);
    rendu_image rendu;
    rendu.pixels_par_twip = 1.0 / twips_par_pixel();
    if (!par_couches_) {
        peintre.fillRect(rect(), Qt::white);
        peindre_liste(peintre, liste_.elements(), rendu, QRectF(rect()));
        return;
    }
    if (fond_.isNull()) {
        fond_ = couche(QPixmap(), 0, couches_.fond);
    }
    if (trace_.isNull()) {
        trace_ = couche(fond_, couches_.fond, couches_.trace);
    }
    peintre.drawPixmap(QPointF(), trace_);
    peindre_liste(peintre, extrait(couches_.trace, liste_.elements().size()), rendu,
                  QRectF(rect()));
}

void carte_trace_sol::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    fond_ = QPixmap();
    trace_ = QPixmap();
    const double t = twips_par_pixel();
    liste_.redimensionner(width() * t, height() * t);
    emit redimensionnee();
}

fenetre_trace_sol::fenetre_trace_sol(poste_de_travail& principale)
    : QWidget(&principale.widget(), Qt::Window), fenetre_outil(*this, principale) {
    setObjectName(QStringLiteral("fenetre_trace_sol"));
    setWindowTitle(QStringLiteral("Trace au sol – Calcul d'orbite"));
    creer_reglages();
    carte_ = new carte_trace_sol(this);
    disposer(creer_boutons());
    relier();
}

void fenetre_trace_sol::creer_reglages() {
    revolutions_ = new QSpinBox(this);
    revolutions_->setObjectName(QStringLiteral("revolutions_trace_sol"));
    revolutions_->setRange(revolutions_minimum, revolutions_maximum);
    revolutions_->setValue(revolutions_par_defaut);
    longitude_origine_ = new QDoubleSpinBox(this);
    longitude_origine_->setObjectName(QStringLiteral("longitude_origine_trace_sol"));
    longitude_origine_->setRange(-180.0, 180.0);
    longitude_origine_->setDecimals(1);
    longitude_origine_->setSuffix(QStringLiteral("°"));
    longitude_origine_->setValue(principale_.scene().terre.longitude_origine);
    longitude_origine_->setToolTip(
        QStringLiteral("Le méridien qui se trouve sur l'axe X0(gamma) à l'origine des temps "
                       "(0 : Greenwich)"));
}

// Copy, save and print, on a row of their own.
QHBoxLayout* fenetre_trace_sol::creer_boutons() {
    auto creer_bouton = [this](const char* nom, const QString& texte) {
        auto* b = new QPushButton(texte, this);
        b->setObjectName(QString::fromLatin1(nom));
        b->setAutoDefault(false);
        return b;
    };
    QPushButton* copie = creer_bouton("copier_trace_sol", QStringLiteral("Copier"));
    QPushButton* sauve = creer_bouton("enregistrer_trace_sol", QStringLiteral("Enregistrer..."));
    QPushButton* impression = creer_bouton("imprimer_trace_sol", QStringLiteral("Imprimer..."));

    auto* boutons = new QHBoxLayout;
    boutons->addStretch(1);
    boutons->addWidget(copie);
    boutons->addWidget(sauve);
    boutons->addWidget(impression);
    exportateur_ = exporter_trace(*this, *carte_, principale_, *revolutions_);
    relier_boutons(*exportateur_, copie, sauve, impression);
    return boutons;
}

void fenetre_trace_sol::disposer(QHBoxLayout* boutons) {
    // The settings on one row, the buttons on the next: the window stays narrow enough to
    // stand beside the main window.
    auto* haut = new QHBoxLayout;
    haut->addWidget(new QLabel(QStringLiteral("Révolutions :"), this));
    haut->addWidget(revolutions_);
    haut->addSpacing(12);
    haut->addWidget(new QLabel(QStringLiteral("Longitude sur X0 à l'origine des temps :"), this));
    haut->addWidget(longitude_origine_);
    haut->addStretch(1);
    auto* colonne = new QVBoxLayout(this);
    colonne->addLayout(haut);
    colonne->addWidget(carte_, 1);
    colonne->addLayout(boutons);
    resize(900, 560);
}

// The settings redraw the track, the map's size redraws the map; a completed event of
// the main window or a state put back recomputes the track (an abandoned event changed
// nothing).
void fenetre_trace_sol::relier() {
    connect(revolutions_, &QSpinBox::valueChanged, this, &fenetre_trace_sol::actualiser);
    connect(longitude_origine_, &QDoubleSpinBox::valueChanged, this,
            &fenetre_trace_sol::changer_longitude_origine);
    connect(carte_, &carte_trace_sol::redimensionnee, this, [this] { redessiner(); });
    suivre_les_evenements([this](bool reussi) {
        if (reussi && isVisible()) {
            actualiser();
        }
    });
}

void fenetre_trace_sol::actualiser() {
    // Called from signals: the error stops here, told on the map.
    try {
        const instantane_scene scene = principale_.scene();
        const trajectoire& t = scene.valeurs.traj;
        const int revolutions = revolutions_->value();
        if (origine_ && origine_->revolutions == revolutions && origine_->modele == scene.modele &&
            sur_la_meme_trace(origine_->traj, origine_->terre, t, scene.terre, scene.modele)) {
            trace_.sous_satellite = point_sous_satellite(t, scene.terre, scene.modele);
            redessiner(false);
            return;
        }
        trace_ = calculer_trace(t, scene.terre, revolutions, scene.modele);
        origine_ = origine_trace{t, scene.terre, revolutions, scene.modele};
        message_.clear();
    } catch (const erreur_calcul& e) {
        origine_.reset();
        trace_ = trace_au_sol{};
        message_ = QStringLiteral("Pas de trace au sol : %1").arg(QString::fromStdString(e.what()));
    }
    redessiner();
}

void fenetre_trace_sol::redessiner(bool trace_changee) {
    const QString premiere =
        message_.isEmpty() ? ligne_decalage(trace_, revolutions_->value()) : message_;
    const QRect avant = carte_->zone_marque();
    carte_->definir_couches(dessiner_carte(carte_->liste(), continents_lus(), trace_,
                                           {premiere.toStdString(), credit_cotes.toStdString()}),
                            trace_changee);
    if (trace_changee) {
        carte_->update();
    } else {
        // Only the point under the satellite moved.
        carte_->update(QRegion(avant) | carte_->zone_marque());
    }
}

void fenetre_trace_sol::changer_longitude_origine(double degres) {
    options_affichage options = principale_.scene().affichage;
    options.longitude_origine = degres;
    // The globe turns with it when it shows the coasts; the end of that event refreshes
    // the map.
    principale_.executer(commande::afficher{options});
    actualiser();
}

void ajouter_trace_sol(poste_de_travail& principale) {
    source_continents = [] {
        QFile fichier(QStringLiteral(":/trajel/cotes.txt"));
        if (!fichier.open(QIODevice::ReadOnly)) {
            return std::vector<ligne_geo>{};
        }
        const QByteArray texte = fichier.readAll();
        return lire_cotes(std::string_view(texte.constData(), texte.size()));
    };

    QMenu* menu = principale.menu_outils();
    menu->addSeparator();
    QAction* trace = menu->addAction(QStringLiteral("&Trace au sol"));
    trace->setObjectName(QStringLiteral("menu_trace_sol"));
    trace->setShortcut(QKeySequence(Qt::Key_F3));
    trace->setShortcutContext(Qt::ApplicationShortcut);
    montrer_a_la_demande<fenetre_trace_sol>(
        *trace, principale.widget(), [&principale] { return new fenetre_trace_sol(principale); });
    QAction* globe = menu->addAction(QStringLiteral("Continents sur le &globe"));
    globe->setObjectName(QStringLiteral("menu_continents_globe"));
    globe->setCheckable(true);
    QObject::connect(globe, &QAction::toggled, &principale.widget(), [&principale](bool actif) {
        options_affichage options = principale.scene().affichage;
        options.continents_sur_le_globe = actif;
        principale.executer(commande::afficher{options});
    });
}

} // namespace trajel
