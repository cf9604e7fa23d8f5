#include "ui/image/export_image.h"

#include "ui/francais/format_fr.h"
#include "ui/image/picture1.h"
#include "ui/poste/ecriture_fichier.h"

#include <QBuffer>
#include <QClipboard>
#include <QDir>
#include <QFileInfo>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QMimeData>
#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>
#include <QStandardPaths>
#include <QSvgGenerator>

#include <algorithm>
#include <cmath>
#include <functional>

namespace trajel {

namespace {

// The picture's size in its own pixels.
QSizeF taille_pixels(const scene_image& s) {
    return s.twips / s.twips_par_pixel;
}

// Makes the document in memory through `ecrire`, then hands it to the one writer. Qt's
// SVG and PDF writers do not report a failed write to their device; a buffer cannot fail.
bool ecrire_entier(const QString& chemin, QString& erreur,
                   const std::function<bool(QIODevice&)>& ecrire) {
    auto echec = [&](const QString& cause) {
        erreur = chemin.isEmpty()
                     ? QStringLiteral("L'image n'a pas été enregistrée : %1.").arg(cause)
                     : QStringLiteral("L'image n'a pas été enregistrée dans « %1 » : %2.")
                           .arg(chemin, cause);
        return false;
    };
    QByteArray octets;
    QBuffer tampon(&octets);
    tampon.open(QIODevice::WriteOnly);
    if (!ecrire(tampon)) {
        return echec(QStringLiteral("l'image n'a pas pu être codée"));
    }
    tampon.close();
    if (const std::optional<QString> cause = ecrire_fichier(chemin, octets)) {
        return echec(*cause);
    }
    erreur.clear();
    return true;
}

// Where peindre_scene_ajustee puts a picture of `twips` in `cible`: its aspect kept,
// centred.
QRectF rectangle_ajuste(QSizeF twips, const QRectF& cible) {
    const double echelle = std::min(cible.width() / twips.width(), cible.height() / twips.height());
    QRectF rempli(QPointF(), twips * echelle);
    rempli.moveCenter(cible.center());
    return rempli;
}

void peindre_svg(const scene_image& scene, QIODevice& sortie) {
    const QSizeF taille = taille_pixels(scene);
    QSvgGenerator svg;
    svg.setOutputDevice(&sortie);
    svg.setSize(taille.toSize());
    svg.setViewBox(QRectF(QPointF(), taille));
    svg.setResolution(qRound(1440.0 / scene.twips_par_pixel));
    svg.setTitle(QStringLiteral("Trajel"));
    svg.setDescription(QStringLiteral("Calcul d'orbite"));
    QPainter peintre(&svg);
    peintre.fillRect(QRectF(QPointF(), taille), Qt::white);
    peindre_scene_ajustee(peintre, *scene.elements, scene.twips, scene.twips_par_pixel,
                          QRectF(QPointF(), taille), false);
}

} // namespace

scene_image scene_de(const Picture1& image) {
    return {&image.elements_affiches(), QSizeF(image.Width(), image.Height()),
            image.twips_par_pixel()};
}

QImage image_de(const scene_image& scene, int facteur) {
    const QSizeF taille = taille_pixels(scene) * facteur;
    QImage rendu(taille.toSize(), QImage::Format_RGB32);
    // Printed at the picture's own size: facteur x the screen's resolution.
    const int points_par_metre = qRound(1440.0 / scene.twips_par_pixel * facteur / 0.0254);
    rendu.setDotsPerMeterX(points_par_metre);
    rendu.setDotsPerMeterY(points_par_metre);
    rendu.fill(Qt::white);
    QPainter peintre(&rendu);
    peindre_scene_ajustee(peintre, *scene.elements, scene.twips, scene.twips_par_pixel,
                          QRectF(rendu.rect()), true);
    return rendu;
}

QByteArray svg_de(const scene_image& scene) {
    QByteArray octets;
    QBuffer tampon(&octets);
    tampon.open(QIODevice::WriteOnly);
    peindre_svg(scene, tampon);
    return octets;
}

bool enregistrer_png(const scene_image& scene, const QString& chemin, int facteur,
                     QString& erreur) {
    return ecrire_entier(chemin, erreur, [&](QIODevice& sortie) {
        return image_de(scene, facteur).save(&sortie, "PNG");
    });
}

bool enregistrer_svg(const scene_image& scene, const QString& chemin, QString& erreur) {
    return ecrire_entier(chemin, erreur, [&](QIODevice& sortie) {
        peindre_svg(scene, sortie);
        return true;
    });
}

bool enregistrer_pdf(const scene_image& scene, const QString& chemin, QString& erreur) {
    return ecrire_entier(chemin, erreur, [&](QIODevice& sortie) {
        QPdfWriter pdf(&sortie);
        pdf.setCreator(QStringLiteral("Trajel"));
        pdf.setTitle(QStringLiteral("Calcul d'orbite"));
        // Twips are twentieths of a point: the page is the picture's own size.
        pdf.setPageLayout(QPageLayout(QPageSize(scene.twips / 20.0, QPageSize::Point,
                                                QStringLiteral("Trajel"), QPageSize::ExactMatch),
                                      QPageLayout::Portrait, QMarginsF()));
        QPainter peintre(&pdf);
        const QRectF page(0.0, 0.0, pdf.width(), pdf.height());
        peindre_scene_ajustee(peintre, *scene.elements, scene.twips, scene.twips_par_pixel, page,
                              false);
        return peintre.end();
    });
}

bool imprimer_scene(QPrinter& imprimante, const scene_image& scene, const QString& legende) {
    QPainter peintre;
    if (!peintre.begin(&imprimante)) {
        return false;
    }
    const QRectF page(0.0, 0.0, imprimante.width(), imprimante.height());
    QFont police(QStringLiteral("Arial"));
    police.setPointSizeF(10.0);
    peintre.setFont(police);
    const QFontMetricsF mesure(police, &imprimante);
    constexpr int drapeaux = Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap;
    // The caption wraps at the picture's width, which depends on the room it leaves: a
    // narrower picture may need one more line, so the fit is tried again, at most twice.
    double largeur_legende = page.width();
    QRectF rempli;
    double hauteur_legende = 0.0;
    for (int essai = 0; essai < 3; ++essai) {
        hauteur_legende =
            mesure.boundingRect(QRectF(0.0, 0.0, largeur_legende, page.height()), drapeaux, legende)
                .height();
        const QRectF dessin = page.adjusted(0.0, 0.0, 0.0, -hauteur_legende - mesure.height());
        rempli = rectangle_ajuste(scene.twips, dessin);
        if (rempli.width() >= largeur_legende) {
            break;
        }
        largeur_legende = rempli.width();
    }
    rempli = peindre_scene_ajustee(peintre, *scene.elements, scene.twips, scene.twips_par_pixel,
                                   rempli, false);
    QPen cadre(QColor(160, 160, 160));
    cadre.setWidthF(imprimante.resolution() / 150.0);
    peintre.setPen(cadre);
    peintre.setBrush(Qt::NoBrush);
    peintre.drawRect(rempli);
    peintre.setPen(Qt::black);
    peintre.drawText(QRectF(rempli.left(), rempli.bottom() + mesure.height() * 0.5,
                            std::max(rempli.width(), largeur_legende), hauteur_legende),
                     drapeaux, legende);
    return peintre.end();
}

QString legende_orbite(const trajectoire& t, int longitude_vue, int latitude_vue,
                       double facteur_zoom) {
    // "Za 2 000 km", "i 20°": the tools' numbers.
    auto km = [](const char* nom, double x) {
        return QLatin1String(nom) + QLatin1Char(' ') + valeur_fr(x, QStringLiteral("km"));
    };
    auto degres = [](const char* nom, double x) {
        return QLatin1String(nom) + QLatin1Char(' ') + valeur_fr(x, QStringLiteral("°"));
    };
    QStringList elements;
    if (t.type_conique == elliptique) {
        elements << km("Za", t.za) << km("Zp", t.zp);
    } else if (t.type_conique == hyperbolique) {
        elements << degres("Phi", t.angle_asymptote) << km("Zp", t.zp);
    } else if (t.type_conique == circulaire) {
        elements << km("Z", t.zp);
    } else {
        elements << km("Zp", t.zp);
    }
    elements << degres("Omega", t.grand_omega) << degres("i", t.inclinaison)
             << degres("omega", t.petit_omega) << degres("anomalie", t.anomalie);
    const QString type = t.type_conique.empty() ? QStringLiteral("sans type")
                                                : QString::fromStdString(t.type_conique);
    return QStringLiteral("Trajectoire %1 : %2 — vue : longitude %3°, latitude %4°, zoom %5")
        .arg(type, elements.join(QStringLiteral(", ")), nombre_fr(longitude_vue),
             nombre_fr(latitude_vue), nombre_fr(facteur_zoom));
}

namespace {

enum class format_fichier { png, svg, pdf };

struct format_choisi {
    format_fichier format = format_fichier::png;
    int facteur = 1; // PNG: device pixels a pixel of the picture
};

// In the order of filtres_enregistrement().
constexpr format_choisi formats_des_filtres[] = {
    {format_fichier::png, 1}, {format_fichier::png, 2}, {format_fichier::png, 4},
    {format_fichier::svg, 1}, {format_fichier::pdf, 1},
};

const char* extension(format_fichier f) {
    switch (f) {
    case format_fichier::svg:
        return "svg";
    case format_fichier::pdf:
        return "pdf";
    case format_fichier::png:
        break;
    }
    return "png";
}

} // namespace

QStringList filtres_enregistrement() {
    return {QStringLiteral("Image PNG (*.png)"),
            QStringLiteral("Image PNG, définition double (*.png)"),
            QStringLiteral("Image PNG, définition quadruple (*.png)"),
            QStringLiteral("Dessin vectoriel SVG (*.svg)"), QStringLiteral("Document PDF (*.pdf)")};
}

std::optional<QString> enregistrer_scene(const scene_image& scene, const QString& chemin,
                                         const QString& filtre, QString& erreur) {
    const qsizetype n = filtres_enregistrement().indexOf(filtre);
    const format_choisi du_filtre = n >= 0 ? formats_des_filtres[n] : format_choisi{};
    const QString suffixe = QFileInfo(chemin).suffix().toLower();
    QString fichier = chemin;
    format_choisi choisi = du_filtre;
    if (suffixe == QLatin1String("png")) {
        choisi = {format_fichier::png,
                  du_filtre.format == format_fichier::png ? du_filtre.facteur : 1};
    } else if (suffixe == QLatin1String("svg")) {
        choisi = {format_fichier::svg, 1};
    } else if (suffixe == QLatin1String("pdf")) {
        choisi = {format_fichier::pdf, 1};
    } else if (!QFileInfo(chemin).fileName().isEmpty()) {
        // An extension alone is no name: a path without one is refused as it is.
        fichier += QLatin1Char('.') + QLatin1String(extension(du_filtre.format));
    }

    bool ecrit = false;
    switch (choisi.format) {
    case format_fichier::png:
        ecrit = enregistrer_png(scene, fichier, choisi.facteur, erreur);
        break;
    case format_fichier::svg:
        ecrit = enregistrer_svg(scene, fichier, erreur);
        break;
    case format_fichier::pdf:
        ecrit = enregistrer_pdf(scene, fichier, erreur);
        break;
    }
    if (!ecrit) {
        return std::nullopt;
    }
    return fichier;
}

} // namespace trajel

namespace trajel {

QString impression_impossible() {
    return QStringLiteral("L'impression n'a pas pu commencer : l'imprimante ou le fichier "
                          "choisi n'est pas disponible.");
}

void copier_scene(const scene_image& scene, double ratio) {
    const int facteur = std::max(1, static_cast<int>(std::ceil(ratio)));
    auto* donnees = new QMimeData;
    donnees->setImageData(image_de(scene, facteur));
    donnees->setData(QStringLiteral("image/svg+xml"), svg_de(scene));
    QGuiApplication::clipboard()->setMimeData(donnees);
}

QString dossier_images_par_defaut() {
    const QString dossier = QStandardPaths::writableLocation(QStandardPaths::PicturesLocation);
    return dossier.isEmpty() || !QDir(dossier).exists() ? QDir::homePath() : dossier;
}

} // namespace trajel
