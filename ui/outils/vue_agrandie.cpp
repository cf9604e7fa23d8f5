#include "ui/outils/vue_agrandie.h"

#include "manoeuvre/lecture.h"
#include "render/cadrage.h"
#include "ui/image/gestes.h"
#include "ui/poste/poste.h"

#include <QAction>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QPaintEngine>
#include <QPainter>
#include <QScreen>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <utility>

#if defined(__linux__)
#include <sys/mman.h>
#include <unistd.h>
#endif

namespace trajel {

namespace {

// The panel's share of the width when the window's aspect leaves no band for it.
constexpr double part_panneau_min = 0.28;
// In projector mode: the labels' line at least this share of the window's height, and
// a pixel of DrawWidth at least a 540th of it (a width-2 line 4 pixels at 1080).
constexpr double part_etiquette = 0.025;
constexpr double lignes_par_plume = 540.0;
// With the projector's colours, a pixel of DrawWidth at least a 360th (3 pixels at 1080).
constexpr double lignes_par_plume_projecteur = 360.0;
const QColor fond_panneau(244, 244, 240);

// A resize gives the window a new backing store, fresh memory the first paint would
// fault in a page at a time (at 4K, 8100 faults, most of the resize's time): its pages
// are mapped in one call first.
void preparer_memoire(QPainter& peintre, std::pair<const uchar*, qsizetype>& derniere) {
#if defined(__linux__) && defined(MADV_POPULATE_WRITE)
    QPaintDevice* appareil = peintre.paintEngine()->paintDevice();
    if (appareil == nullptr || appareil->devType() != QInternal::Image) {
        return;
    }
    const auto* image = static_cast<const QImage*>(appareil);
    const std::pair<const uchar*, qsizetype> memoire(image->constBits(), image->sizeInBytes());
    if (memoire == derniere) {
        return;
    }
    derniere = memoire;
    const auto page = static_cast<std::uintptr_t>(sysconf(_SC_PAGESIZE));
    const auto debut = reinterpret_cast<std::uintptr_t>(memoire.first) & ~(page - 1);
    const auto fin = reinterpret_cast<std::uintptr_t>(memoire.first) +
                     static_cast<std::uintptr_t>(memoire.second);
    // Only a hint: where the kernel refuses it, the paint faults the pages in as before.
    madvise(reinterpret_cast<void*>(debut), fin - debut, MADV_POPULATE_WRITE);
#else
    (void)peintre;
    (void)derniere;
#endif
}

} // namespace

vue_agrandie::vue_agrandie(Picture1* source, QWidget* parent)
    : QWidget(parent, Qt::Window), source_(source),
      // A pixel of the picture is as many of the window as the enlargement.
      gestes_(new filtre_gestes(this, [this] {
          return zone_scene().width() * source_->twips_par_pixel() / taille_twips().width();
      })) {
    setObjectName(QStringLiteral("vue_agrandie"));
    setWindowTitle(QStringLiteral("Vue agrandie – Calcul d'orbite"));
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMinimumSize(160, 120);
    setToolTip(QStringLiteral(
        "La scène agrandie : glisser fait tourner la vue, la molette zoome ; F11 : plein "
        "écran, Échap : en sortir, Ctrl+W : fermer ; clic droit : ces commandes"));

    plein_ecran_ = new QAction(QStringLiteral("Plein écran"), this);
    plein_ecran_->setObjectName(QStringLiteral("vue_agrandie_plein_ecran"));
    plein_ecran_->setCheckable(true);
    plein_ecran_->setShortcut(Qt::Key_F11);
    connect(plein_ecran_, &QAction::triggered, this, &vue_agrandie::basculer_plein_ecran);
    auto* fermer = new QAction(QStringLiteral("Fermer la vue agrandie"), this);
    fermer->setObjectName(QStringLiteral("vue_agrandie_fermer"));
    fermer->setShortcut(QKeySequence::Close);
    connect(fermer, &QAction::triggered, this, &QWidget::close);
    projecteur_action_ = new QAction(QStringLiteral("Mode projecteur"), this);
    projecteur_action_->setObjectName(QStringLiteral("vue_agrandie_projecteur"));
    projecteur_action_->setCheckable(true);
    projecteur_action_->setShortcut(Qt::Key_F5);
    connect(projecteur_action_, &QAction::toggled, this, &vue_agrandie::definir_mode_projecteur);
    auto* ajuster = new QAction(QStringLiteral("Ajuster la vue"), this);
    ajuster->setObjectName(QStringLiteral("vue_agrandie_ajuster"));
    ajuster->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_F), QKeySequence(Qt::Key_A)});
    connect(ajuster, &QAction::triggered, this, &vue_agrandie::ajustement_demande);
    auto* initiale = new QAction(QStringLiteral("Vue initiale"), this);
    initiale->setObjectName(QStringLiteral("vue_agrandie_vue_initiale"));
    initiale->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_0));
    connect(initiale, &QAction::triggered, this, &vue_agrandie::retablir_cadrage);
    couleurs_action_ = new QAction(QStringLiteral("Couleurs pour projecteur"), this);
    couleurs_action_->setObjectName(QStringLiteral("vue_agrandie_couleurs_projecteur"));
    couleurs_action_->setCheckable(true);
    connect(couleurs_action_, &QAction::toggled, this, [this] { update(); });
    addAction(plein_ecran_);
    addAction(projecteur_action_);
    addAction(ajuster);
    addAction(initiale);
    addAction(couleurs_action_);
    addAction(fermer);
    gestes_->permettre_deplacement(true);
    connect(gestes_, &filtre_gestes::deplacement, this, &vue_agrandie::deplacer);
    connect(gestes_, &filtre_gestes::double_clic, this, &vue_agrandie::retablir_cadrage);
    setContextMenuPolicy(Qt::ActionsContextMenu);

    // Twice the picture, within the screen.
    QSize taille = source_->size() * 2;
    if (const QScreen* ecran = source_->screen()) {
        taille = taille.boundedTo(ecran->availableGeometry().size() * 9 / 10);
    }
    resize(taille);

    connect(source_, &Picture1::affichage_change, this, qOverload<>(&QWidget::update));
}

QSizeF vue_agrandie::taille_twips() const {
    return {source_->Width(), source_->Height()};
}

QRectF vue_agrandie::zone_panneau() const {
    if (!projecteur_) {
        return {};
    }
    const QRectF fenetre(rect());
    const QSizeF scene = taille_twips() / source_->twips_par_pixel();
    if (!(scene.height() > 0.0)) {
        return {};
    }
    // The scene at the window's full height; the band it leaves, or a minimum share.
    const double largeur_scene = scene.width() * fenetre.height() / scene.height();
    const double bande =
        std::max(fenetre.width() - largeur_scene, fenetre.width() * part_panneau_min);
    return {fenetre.right() - bande, fenetre.top(), bande, fenetre.height()};
}

QRectF vue_agrandie::zone_visible() const {
    QRectF r(rect());
    r.setWidth(r.width() - zone_panneau().width());
    return r;
}

QRectF vue_agrandie::zone_scene() const {
    const QSizeF twips = taille_twips();
    const QSizeF scene = twips / source_->twips_par_pixel();
    const QRectF visible = zone_visible();
    QSizeF ajustee = scene.scaled(visible.size(), Qt::KeepAspectRatio);
    QRectF r(QPointF(), ajustee);
    r.moveCenter(visible.center());
    return r;
}

agrandissement vue_agrandie::options_peinture() const {
    agrandissement options;
    options.visible = zone_visible();
    options.placer_etiquettes = true;
    if (projecteur_) {
        options.plume_min = height() / lignes_par_plume;
        options.hauteur_texte_min = std::ceil(part_etiquette * height());
    }
    if (couleurs_projecteur()) {
        options.plume_min = std::max(options.plume_min, height() / lignes_par_plume_projecteur);
        options.couleurs = &palette_projecteur();
    }
    options.facteur = facteur_;
    options.centre = centre_;
    return options;
}

void vue_agrandie::definir_mode_projecteur(bool actif) {
    if (actif == projecteur_) {
        return;
    }
    projecteur_ = actif;
    projecteur_action_->setChecked(actif);
    couleurs_action_->setChecked(actif);
    update();
    emit mode_projecteur_change(actif);
}

void vue_agrandie::actualiser_panneau(const instantane_scene& scene) {
    if (!projecteur_) {
        return;
    }
    const trajectoire& t = scene.valeurs.traj;
    std::vector<ligne_panneau> lignes =
        lignes_panneau(t, lire_orbite(t, scene.dernier_tir, scene.modele));
    lignes.push_back(ligne_temps_mission(scene.temps_mission));
    lignes.push_back(ligne_modele(scene.modele));
    if (scene.affichage.orbites_precedentes != fantomes_) {
        fantomes_ = scene.affichage.orbites_precedentes;
        lignes_.clear(); // the legend changes: the panel is painted again
    }
    if (lignes.size() != lignes_.size() ||
        !std::equal(lignes.begin(), lignes.end(), lignes_.begin(),
                    [](const ligne_panneau& a, const ligne_panneau& b) {
                        return a.nom == b.nom && a.valeur == b.valeur;
                    })) {
        lignes_ = std::move(lignes);
        update(zone_panneau().toAlignedRect());
    }
}

void vue_agrandie::paintEvent(QPaintEvent*) {
    QPainter peintre(this);
    preparer_memoire(peintre, memoire_);
    const agrandissement options = options_peinture();
    peintre.fillRect(options.visible, Qt::white);
    peindre_scene_ajustee(peintre, elements(), taille_twips(), source_->twips_par_pixel(),
                          options.visible, options);
    if (horloge_) {
        peindre_horloge(peintre, options.visible);
    }
    if (projecteur_) {
        peindre_panneau(peintre, zone_panneau());
    }
}

// The numbers in two columns, names left and values right, then the legend: a thick
// stroke of each colour and what it draws. The type is as large as the band allows, at
// most about a 30th of the height.
void vue_agrandie::peindre_panneau(QPainter& peintre, const QRectF& zone) const {
    peintre.fillRect(zone, fond_panneau);
    const double marge = zone.height() * 0.03;
    const QRectF interieur = zone.adjusted(marge, marge, -marge, -marge);
    std::vector<entree_legende> legende =
        legende_couleurs(couleurs_projecteur() ? &palette_projecteur() : nullptr);
    if (fantomes_) {
        legende.push_back(entree_orbites_precedentes());
    }
    QFont police(QStringLiteral("Arial"));
    police.setPixelSize(std::max(8, static_cast<int>(zone.height() / 30.0)));
    {
        // Narrower when the longest line would not fit the band.
        const QFontMetricsF m(police, peintre.device());
        double plus_large = 0.0;
        for (const ligne_panneau& l : lignes_) {
            plus_large =
                std::max(plus_large, m.horizontalAdvance(l.nom + QStringLiteral("   ") + l.valeur));
        }
        for (const entree_legende& e : legende) {
            plus_large = std::max(plus_large, m.horizontalAdvance(e.texte) + 3.0 * m.height());
        }
        if (plus_large > interieur.width() && plus_large > 0.0) {
            police.setPixelSize(
                std::max(6, static_cast<int>(police.pixelSize() * interieur.width() / plus_large)));
        }
    }
    QFont titre = police;
    titre.setBold(true);
    const QFontMetricsF m(police, peintre.device());
    const double pas = m.height() * 1.3;
    double y = interieur.top();
    auto ligne_de_titre = [&](const QString& texte) {
        peintre.setFont(titre);
        peintre.setPen(Qt::black);
        peintre.drawText(QRectF(interieur.left(), y, interieur.width(), pas),
                         Qt::AlignLeft | Qt::AlignVCenter, texte);
        peintre.setFont(police);
        y += pas;
    };
    ligne_de_titre(QStringLiteral("Orbite"));
    for (const ligne_panneau& l : lignes_) {
        const QRectF r(interieur.left(), y, interieur.width(), pas);
        peintre.drawText(r, Qt::AlignLeft | Qt::AlignVCenter, l.nom);
        peintre.drawText(r, Qt::AlignRight | Qt::AlignVCenter, l.valeur);
        y += pas;
    }
    y += pas * 0.5;
    ligne_de_titre(QStringLiteral("Couleurs"));
    for (const entree_legende& e : legende) {
        const double trait = 2.0 * m.height();
        QPen stylo(QColor(e.couleur.r, e.couleur.g, e.couleur.b));
        stylo.setWidthF(std::max(2.0, m.height() / 5.0));
        peintre.setPen(stylo);
        peintre.drawLine(QPointF(interieur.left(), y + pas / 2.0),
                         QPointF(interieur.left() + trait, y + pas / 2.0));
        peintre.setPen(Qt::black);
        peintre.drawText(QRectF(interieur.left() + trait + m.height(), y, interieur.width(), pas),
                         Qt::AlignLeft | Qt::AlignVCenter, e.texte);
        y += pas;
    }
}

// "Temps de mission 4 h 25 min 26 s" on a light band in the top left corner, over the
// picture, its type a 30th of the height as the panel's.
void vue_agrandie::peindre_horloge(QPainter& peintre, const QRectF& zone) const {
    const ligne_panneau l = ligne_temps_mission(*horloge_);
    const QString texte = l.nom + ' ' + l.valeur;
    QFont police(QStringLiteral("Arial"));
    police.setPixelSize(std::max(8, static_cast<int>(zone.height() / 30.0)));
    const QFontMetricsF m(police, peintre.device());
    const double marge = m.height() * 0.4;
    const QRectF bande(zone.left() + marge, zone.top() + marge,
                       m.horizontalAdvance(texte) + 2.0 * marge, m.height() + marge);
    peintre.fillRect(bande, QColor(255, 255, 255, 220));
    peintre.setFont(police);
    peintre.setPen(Qt::black);
    peintre.drawText(bande, Qt::AlignCenter, texte);
}

void vue_agrandie::definir_horloge(std::optional<double> secondes) {
    if (secondes != horloge_) {
        horloge_ = secondes;
        update();
    }
}

bool vue_agrandie::couleurs_projecteur() const {
    return couleurs_action_->isChecked();
}

void vue_agrandie::definir_couleurs_projecteur(bool actives) {
    couleurs_action_->setChecked(actives);
}

QPointF vue_agrandie::vers_fenetre(QPointF twips) const {
    const QSizeF taille = taille_twips();
    const double par_twip = zone_scene().width() / taille.width() * facteur_;
    return zone_visible().center() +
           (twips - centre_.value_or(QPointF(taille.width(), taille.height()) / 2.0)) * par_twip;
}

void vue_agrandie::cadrer(const QRectF& boite) {
    const QRectF visible = zone_visible();
    const double par_twip = zone_scene().width() / taille_twips().width();
    if (!(par_twip > 0.0) || !boite.isValid()) {
        return;
    }
    const double libre = 1.0 - marge_cadrage;
    facteur_ = std::min(libre * visible.width() / (boite.width() * par_twip),
                        libre * visible.height() / (boite.height() * par_twip));
    centre_ = boite.center();
    update();
}

void vue_agrandie::deplacer(QPointF pixels) {
    const QSizeF taille = taille_twips();
    const double par_twip = zone_scene().width() / taille.width() * facteur_;
    if (!(par_twip > 0.0)) {
        return;
    }
    centre_ = centre_.value_or(QPointF(taille.width(), taille.height()) / 2.0) - pixels / par_twip;
    update();
}

void vue_agrandie::retablir_cadrage() {
    facteur_ = 1.0;
    centre_.reset();
    update();
}

void vue_agrandie::basculer_plein_ecran() {
    if (isFullScreen()) {
        showNormal();
    } else {
        showFullScreen();
    }
}

void vue_agrandie::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape && isFullScreen()) {
        showNormal();
        event->accept();
        return;
    }
    QWidget::keyPressEvent(event);
}

void vue_agrandie::changeEvent(QEvent* event) {
    if (event->type() == QEvent::WindowStateChange) {
        plein_ecran_->setChecked(isFullScreen());
    }
    QWidget::changeEvent(event);
}

} // namespace trajel
