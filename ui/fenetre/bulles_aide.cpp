#include "ui/fenetre/bulles_aide.h"

#include "ui/francais/convention_poussee.h"

#include <QWidget>

namespace trajel {

namespace {

struct bulle {
    const char* nom;
    const char* texte;
};

// By design name. The thrust's newtons divided by the mass's kilograms are added to an
// acceleration in km/s², and the mass flow uses g0 = 9.81 m/s²: the tooltips say so
// where a figure depends on it.
constexpr bulle bulles[] = {
    {"Picture1",
     "La scène en 3 dimensions : la Terre (rayon 3618 km), les repères et la trajectoire.\n"
     "Glisser fait tourner la vue, la molette zoome, un double-clic revient à la vue "
     "initiale ; clic droit : les outils de l'image."},
    {"VScroll1", "Latitude de l'observateur, de -90° à 90° (en haut : 90°, vue du pôle Nord)."},
    {"HScroll1", "Longitude de l'observateur, de -180° à 180°."},
    {"Label3", "Latitude de l'observateur (barre de droite)."},
    {"Label1", "Latitude actuelle de l'observateur, en degrés."},
    {"Label4", "Longitude de l'observateur (barre du bas)."},
    {"Label2", "Longitude actuelle de l'observateur, en degrés."},
    {"Label14", "Auteur et date de la version."},
    {"Frame1", "Les éléments de l'orbite : type de conique, altitudes et angles."},
    {"Option_circulaire", "Orbite circulaire : seule l'altitude Zp compte."},
    {"Option_elliptique",
     "Orbite elliptique : Za et Zp, altitudes de l'apoastre et du périastre ; propose Za = "
     "1,5 × Zp."},
    {"Option_parabolique", "Orbite parabolique (excentricité 1) de périastre à l'altitude Zp."},
    {"Option_hyperbolique",
     "Orbite hyperbolique : la première case devient l'angle Phi de l'asymptote (45° "
     "proposé)."},
    {"Text1", "Za : altitude de l'apoastre, en km au-dessus de la Terre (ellipse).\n"
              "Phi : angle de l'asymptote, en degrés, strictement entre 0° et 90° (hyperbole) ; "
              "l'excentricité vaut 1 / cos Phi."},
    {"Label6", "Za (km) : altitude de l'apoastre ; Phi° : angle de l'asymptote de l'hyperbole."},
    {"Text2", "Zp : altitude du périastre, en km au-dessus de la Terre (rayon 3618 km)."},
    {"Label8", "Altitude du périastre, en km."},
    {"Text3", "Omega : ascension droite du nœud ascendant, en degrés, mesurée dans l'équateur "
              "depuis l'axe x du repère fixe."},
    {"Label9", "Ascension droite du nœud ascendant, en degrés."},
    {"Text4", "i : inclinaison du plan de l'orbite sur l'équateur, en degrés ; 0 remet Omega à 0."},
    {"Label10", "Inclinaison de l'orbite, en degrés."},
    {"Text5", "omega : argument du périastre, en degrés, compté depuis le nœud ascendant."},
    {"Label11", "Argument du périastre, en degrés."},
    {"Text7", "Anomalie vraie du satellite, en degrés, comptée depuis le périastre dans le sens du "
              "mouvement."},
    {"Label12", "Anomalie vraie du satellite, en degrés."},
    {"Command1", "Remet l'orbite de départ (Za 2000 km, Zp 300 km, Omega 20°, i 20°, omega 10°, "
                 "anomalie 25°), la masse, l'Isp, la poussée nulle et le zoom 1."},
    {"Text9", "Composante radiale de la poussée, en N (le long du rayon, vers l'extérieur)."},
    {"Label21", "Composante radiale de la poussée, en N."},
    {"Text8", "Composante ortho-radiale de la poussée, en N (dans le plan de l'orbite, "
              "perpendiculaire au rayon, dans le sens du mouvement)."},
    {"Label22", "Composante ortho-radiale de la poussée, en N."},
    {"Text10", "Composante de la poussée normale au plan de l'orbite, en N (le long du moment "
               "cinétique) : elle change l'inclinaison."},
    {"Label23", "Composante normale au plan de l'orbite, en N."},
    {"Frame_RK", "Le tir, intégré par la méthode de Runge-Kutta d'ordre 4."},
    {"Text11", "Durée du tir, en secondes."},
    {"Label7", "Durée du tir, en secondes."},
    {"Text12", "Nombre de pas d'intégration du tir, entier de 1 à 32766."},
    {"Label13", "Nombre de pas de Runge-Kutta."},
    {"cmd_tir",
     "Tire : intègre le vol propulsé depuis la position du satellite, trace l'arc et écrit "
     "l'orbite obtenue et la masse restante dans les cases."},
    {"Frame_satellite", "La masse du satellite et son moteur."},
    {"Text6", "Masse du satellite, en kg ; le tir y écrit la masse restante."},
    {"Label18", "Masse du satellite, en kg."},
    {"Text13",
     "Impulsion spécifique du moteur, en secondes : débit = poussée / (Isp × 9,81 m/s²)."},
    {"Label19", "Impulsion spécifique, en secondes."},
    {"Label20", "Masse d'ergols consommée par le dernier tir, en kg."},
    {"Label_debit", "Masse consommée par le dernier tir, en kg (0 après chaque nouveau calcul)."},
    {"Frame_affichage", "Ce que montre l'image et à quelle échelle."},
    {"Frame_reperes", "Les repères tracés autour de l'orbite."},
    {"Option_RN", "Repère de la ligne des nœuds (angle Omega), tracé en bleu."},
    {"Option_RH", "Repère du plan de l'orbite (inclinaison i, moment cinétique), tracé en vert."},
    {"Option_RP", "Repère du périastre (argument omega), tracé en marron."},
    {"Option_tous", "Les trois repères RN (bleu), RH (vert) et RP (marron)."},
    {"Command4", "Agrandit la scène (zoom + 0,2)."},
    {"Command5", "Réduit la scène (zoom - 0,1, jusqu'à 0,1)."},
};

} // namespace

void poser_bulles_fenetre_principale(QWidget& fenetre) {
    for (const bulle& b : bulles) {
        if (auto* controle = fenetre.findChild<QWidget*>(QString::fromLatin1(b.nom))) {
            controle->setToolTip(QString::fromUtf8(b.texte));
        }
    }
    poser_bulles_du_modele(fenetre, terre_du_programme);
}

void poser_bulles_du_modele(QWidget& fenetre, const modele_terre& modele) {
    // The Earth's radius in the picture's and Zp's tooltips.
    for (const char* nom : {"Picture1", "Text2"}) {
        for (const bulle& b : bulles) {
            auto* controle = fenetre.findChild<QWidget*>(QString::fromLatin1(nom));
            if (controle != nullptr && qstrcmp(b.nom, nom) == 0) {
                controle->setToolTip(QString::fromUtf8(b.texte).replace(
                    QStringLiteral("rayon 3618 km"), rayon_terre_fr(modele)));
            }
        }
    }
    // The thrust's frame says how the model's engine works, in the words of the readout.
    if (auto* cadre = fenetre.findChild<QWidget*>(QStringLiteral("Frame_Poussee"))) {
        const QString debut =
            modele.poussee_si
                ? QStringLiteral("Poussée du moteur dans le repère local du satellite, en "
                                 "newtons.\n")
                : QStringLiteral("Poussée du moteur dans le repère local du satellite, en "
                                 "newtons ; équivalent SI : F N ici poussent comme F kN (200 N : "
                                 "200 kN).\n");
        cadre->setToolTip(debut + explication_moteur(modele));
    }
}

} // namespace trajel
