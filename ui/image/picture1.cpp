#include "ui/image/picture1.h"

#include "ecran/twips.h"
#include "render/etiquettes.h"
#include "ui/image/gestes.h"

#include <QPainter>
#include <QScreen>

#include <algorithm>
#include <cmath>

namespace trajel {

namespace {

QColor couleur_qt(std::int16_t n, const palette_peinture* couleurs) {
    const couleur_rgb c = couleurs != nullptr ? (*couleurs)[((n % 16) + 16) % 16] : palette(n);
    return QColor(c.r, c.g, c.b);
}

// A shape's tint, through `couleurs` when it is one of the palette's.
couleur_rgb teinte_peinte(const couleur_rgb& c, const palette_peinture* couleurs) {
    if (couleurs != nullptr) {
        for (std::int16_t n = 0; n < 16; ++n) {
            if (palette(n) == c) {
                return (*couleurs)[static_cast<std::size_t>(n)];
            }
        }
    }
    return c;
}

// The part of the segment inside `zone`, or false if none is.
bool decouper(QPointF& a, QPointF& b, const QRectF& zone) {
    double x1 = a.x(), y1 = a.y(), x2 = b.x(), y2 = b.y();
    if (!couper_segment(x1, y1, x2, y2, zone.left(), zone.top(), zone.right(), zone.bottom())) {
        return false;
    }
    a = QPointF(x1, y1);
    b = QPointF(x2, y2);
    return true;
}

// Snaps lines to the device pixel grid, for painters that only scale and translate.
class grille_appareil {
public:
    grille_appareil(const QPainter& peintre, bool active)
        : vers_appareil_(peintre.deviceTransform()) {
        active_ = active && vers_appareil_.type() <= QTransform::TxScale;
        if (active_) {
            depuis_appareil_ = vers_appareil_.inverted();
            echelle_ = std::abs(vers_appareil_.m11());
        }
    }

    // A pen `largeur` painter units wide, in whole device pixels (at least one).
    double largeur(double largeur) {
        if (!active_) {
            return largeur;
        }
        pixels_ = std::max(1.0, std::round(largeur * echelle_));
        return pixels_ / echelle_;
    }

    // Across the line, its ends go to pixel centres for an odd width and to pixel
    // edges for an even one; along it, to pixel edges, so that dots are whole pixels.
    void aligner(QPointF& a, QPointF& b) const {
        if (!active_) {
            return;
        }
        QPointF da = vers_appareil_.map(a);
        QPointF db = vers_appareil_.map(b);
        const bool impaire = std::fmod(pixels_, 2.0) == 1.0;
        auto travers = [impaire](double v) {
            return impaire ? std::floor(v) + 0.5 : std::round(v);
        };
        auto long_de = [](double v) { return std::round(v); };
        if (std::abs(db.x() - da.x()) >= std::abs(db.y() - da.y())) {
            da = QPointF(long_de(da.x()), travers(da.y()));
            db = QPointF(long_de(db.x()), travers(db.y()));
        } else {
            da = QPointF(travers(da.x()), long_de(da.y()));
            db = QPointF(travers(db.x()), long_de(db.y()));
        }
        a = depuis_appareil_.map(da);
        b = depuis_appareil_.map(db);
    }

private:
    QTransform vers_appareil_;
    QTransform depuis_appareil_;
    bool active_ = false;
    double echelle_ = 1.0;
    double pixels_ = 1.0;
};

// A filled disc or polygon, without outline.
void peindre_forme(QPainter& peintre, const element_affichage& e, double ppt,
                   const palette_peinture* couleurs) {
    peintre.setPen(Qt::NoPen);
    const couleur_rgb c = teinte_peinte(e.teinte, couleurs);
    peintre.setBrush(QColor(c.r, c.g, c.b));
    if (e.nature == element_affichage::genre::disque) {
        peintre.drawEllipse(QPointF(e.x1 * ppt, e.y1 * ppt), e.x2 * ppt, e.x2 * ppt);
    } else {
        QPolygonF polygone;
        for (std::size_t i = 0; i + 1 < e.sommets.size(); i += 2) {
            polygone << QPointF(e.sommets[i] * ppt, e.sommets[i + 1] * ppt);
        }
        peintre.drawPolygon(polygone);
    }
    peintre.setBrush(Qt::NoBrush);
}

// Where each text of the list is painted (top-left corner, painter units), in the
// list's order of texts: kept apart and off the Earth's disc within `zone`.
std::vector<etiquette_placee> textes_places(const std::vector<element_affichage>& elements,
                                            const QFontMetricsF& mesure, double ppt,
                                            const QRectF& zone) {
    std::vector<etiquette_a_placer> etiquettes;
    for (const element_affichage& e : elements) {
        if (e.nature == element_affichage::genre::texte) {
            etiquettes.push_back({e.x1 * ppt, e.y1 * ppt,
                                  mesure.horizontalAdvance(QString::fromStdString(e.texte)),
                                  mesure.height(), 0});
        }
    }
    disque_plan terre;
    if (const std::optional<disque_plan> d = disque_terre(elements)) {
        terre = {d->x * ppt, d->y * ppt, d->rayon * ppt};
    }
    return placer_etiquettes(etiquettes, terre, {zone.x(), zone.y(), zone.width(), zone.height()});
}

// A thin grey line from a label's point to the label moved away from it.
void peindre_renvoi(QPainter& peintre, const element_affichage& e, const etiquette_placee& p,
                    double ppt, double largeur) {
    QPen stylo(couleur_renvoi);
    stylo.setWidthF(largeur);
    stylo.setCapStyle(Qt::RoundCap);
    peintre.setPen(stylo);
    peintre.drawLine(QPointF(e.x1 * ppt, e.y1 * ppt), QPointF(p.renvoi_x, p.renvoi_y));
}

} // namespace

// "Arial" 8.25 pt, 165 twips, in the painter's units on its device; larger when the
// rendering asks for a minimum height.
QFont police_etiquettes(const QPainter& peintre, const rendu_image& rendu) {
    QFont police(QStringLiteral("Arial"));
    const double dpi = peintre.device()->logicalDpiY();
    const double echelle =
        rendu.texte_par_twip > 0.0 ? rendu.texte_par_twip : rendu.pixels_par_twip;
    const double points = 165.0 * echelle * 72.0 / (dpi > 0 ? dpi : 96.0);
    police.setPointSizeF(points);
    // The metrics are hinted: a few steps up to the height asked.
    double taille = points;
    for (int essai = 0; essai < 4; ++essai) {
        const double hauteur = QFontMetricsF(police, peintre.device()).height();
        if (!(hauteur > 0.0) || hauteur >= rendu.hauteur_texte_min) {
            break;
        }
        taille *= rendu.hauteur_texte_min / hauteur * 1.01;
        police.setPointSizeF(taille);
    }
    return police;
}

void peindre_liste(QPainter& peintre, const std::vector<element_affichage>& elements,
                   const rendu_image& rendu, const QRectF& zone) {
    peintre.setRenderHint(QPainter::Antialiasing, rendu.lissage);
    peintre.setRenderHint(QPainter::TextAntialiasing, rendu.lissage);
    const QFont police = police_etiquettes(peintre, rendu);
    peintre.setFont(police);
    const QFontMetricsF mesure(police, peintre.device());
    const double ascendante = mesure.ascent();
    const double marge = 4.0 * rendu.unite_plume;
    const QRectF limite = zone.adjusted(-marge, -marge, marge, marge);
    grille_appareil grille(peintre, rendu.grille);
    const double ppt = rendu.pixels_par_twip;
    const std::vector<etiquette_placee> places = rendu.placer_etiquettes
                                                     ? textes_places(elements, mesure, ppt, zone)
                                                     : std::vector<etiquette_placee>{};
    std::size_t texte = 0;
    for (const element_affichage& e : elements) {
        QPointF a(e.x1 * ppt, e.y1 * ppt);
        if (e.nature == element_affichage::genre::texte) {
            if (texte < places.size()) {
                const etiquette_placee& p = places[texte];
                if (p.renvoi) {
                    peindre_renvoi(peintre, e, p, ppt, rendu.unite_plume);
                }
                a = QPointF(p.cadre.x, p.cadre.y);
            }
            ++texte;
            peintre.setPen(Qt::black);
            peintre.drawText(a + QPointF(0.0, ascendante), QString::fromStdString(e.texte));
            continue;
        }
        if (e.nature == element_affichage::genre::disque ||
            e.nature == element_affichage::genre::polygone) {
            peindre_forme(peintre, e, ppt, rendu.couleurs);
            continue;
        }
        QPointF debut = a;
        QPointF fin(e.x2 * ppt, e.y2 * ppt);
        if (!decouper(debut, fin, limite)) {
            continue;
        }
        const bool pointille = e.epaisseur <= 1 && e.style == style_pointille;
        QPen stylo(couleur_qt(e.couleur, rendu.couleurs));
        stylo.setWidthF(grille.largeur(std::max(1, e.epaisseur) * rendu.unite_plume));
        if (e.style == style_tirets) {
            // The lesson's earlier orbits: halfway to white, dashes of 4, blanks of 3.
            const couleur_rgb c = eclaircie(palette(e.couleur), 0.5);
            stylo.setColor(QColor(c.r, c.g, c.b));
            stylo.setCapStyle(Qt::FlatCap);
            stylo.setDashPattern({4.0, 3.0});
        } else if (pointille) {
            // One dot, two blanks, in pen widths: dotted at every scale.
            stylo.setCapStyle(Qt::FlatCap);
            stylo.setDashPattern({1.0, 2.0});
        } else {
            stylo.setCapStyle(Qt::SquareCap); // joins the conic's steps, cheaper than round
        }
        peintre.setPen(stylo);
        grille.aligner(debut, fin);
        peintre.drawLine(debut, fin);
    }
}

QRectF peindre_scene_ajustee(QPainter& peintre, const std::vector<element_affichage>& elements,
                             QSizeF twips, double twips_par_pixel, const QRectF& cible,
                             bool grille) {
    agrandissement options;
    options.grille = grille;
    return peindre_scene_ajustee(peintre, elements, twips, twips_par_pixel, cible, options);
}

QRectF peindre_scene_ajustee(QPainter& peintre, const std::vector<element_affichage>& elements,
                             QSizeF twips, double twips_par_pixel, const QRectF& cible,
                             const agrandissement& options) {
    const double largeur = twips.width() / twips_par_pixel; // pixels of the picture
    const double hauteur = twips.height() / twips_par_pixel;
    if (!(largeur > 0.0 && hauteur > 0.0) || cible.isEmpty()) {
        return {};
    }
    const double echelle = std::min(cible.width() / largeur, cible.height() / hauteur);
    QRectF rempli(0.0, 0.0, largeur * echelle, hauteur * echelle);
    rempli.moveCenter(cible.center());
    const QRectF visible = options.visible.isEmpty() ? rempli : options.visible;
    rendu_image rendu{echelle / twips_par_pixel, std::max(echelle, options.plume_min), true,
                      options.grille, options.hauteur_texte_min};
    rendu.couleurs = options.couleurs;
    rendu.placer_etiquettes = options.placer_etiquettes;
    if (options.centre || options.facteur != 1.0) {
        // The point `centre` of the picture at the visible zone's centre.
        const QPointF centre =
            options.centre.value_or(QPointF(twips.width(), twips.height()) / 2.0);
        rendu.texte_par_twip = rendu.pixels_par_twip;
        rendu.pixels_par_twip *= options.facteur;
        rempli = QRectF(visible.center() - centre * rendu.pixels_par_twip,
                        twips * rendu.pixels_par_twip);
    }
    peintre.save();
    peintre.setClipRect(visible, Qt::IntersectClip);
    peintre.translate(rempli.topLeft());
    peindre_liste(peintre, elements, rendu, visible.translated(-rempli.topLeft()));
    peintre.restore();
    return rempli;
}

Picture1::Picture1(QWidget* parent) : QFrame(parent), gestes_(new filtre_gestes(this)) {
    setObjectName(QStringLiteral("Picture1"));
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
    setLineWidth(2);
    setAutoFillBackground(true);
    QPalette fond = palette();
    fond.setColor(QPalette::Window, Qt::white); // the system colour of title-bar text
    setPalette(fond);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::ClickFocus); // Ctrl+C copies the focused picture
    setContextMenuPolicy(Qt::ActionsContextMenu);
}

double Picture1::twips_par_pixel() const {
    return echelle_twips::de(this).twips_par_pixel_y();
}

double Picture1::Width() const {
    return width() * echelle_twips::de(this).twips_par_pixel_x();
}

double Picture1::Height() const {
    return height() * twips_par_pixel();
}

void Picture1::valider_affichage() {
    if (affiches_ == elements()) {
        return; // nothing new drawn
    }
    affiches_ = elements();
    update();
    emit affichage_change();
}

void Picture1::annuler_affichage() {
    remettre(affiches_);
}

rendu_image Picture1::rendu() const {
    return rendu_image{1.0 / twips_par_pixel(), 1.0, true, true};
}

void Picture1::paintEvent(QPaintEvent* event) {
    QFrame::paintEvent(event);
    QPainter peintre(this);
    const QRect interieur = contentsRect();
    peintre.fillRect(interieur, Qt::white);
    peintre.setClipRect(interieur);
    peintre.translate(interieur.topLeft());
    peindre_liste(peintre, affiches_, rendu(),
                  QRectF(0.0, 0.0, interieur.width(), interieur.height()));
}

} // namespace trajel
