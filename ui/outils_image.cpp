#include "ui/outils_image.h"

#include "core/module1.h"
#include "render/marques.h"
#include "render/scene.h"
#include "ui/evenements.h"
#include "ui/export_image.h"
#include "ui/gestes.h"
#include "ui/picture1.h"
#include "ui/poste.h"
#include "ui/vue_agrandie.h"

#include <QAction>
#include <QClipboard>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QGuiApplication>
#include <QMenu>
#include <QMessageBox>
#include <QMimeData>
#include <QPrintDialog>
#include <QPrinter>
#include <QStandardPaths>

#include <cmath>

namespace trajel {

namespace {

enum class format_fichier { png, svg, pdf };

struct format_choisi {
    format_fichier format = format_fichier::png;
    int facteur = 1; // PNG: device pixels a pixel of the picture
};

// In the order of outils_image::filtres().
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

QStringList outils_image::filtres() {
    return {QStringLiteral("Image PNG (*.png)"),
            QStringLiteral("Image PNG, définition double (*.png)"),
            QStringLiteral("Image PNG, définition quadruple (*.png)"),
            QStringLiteral("Dessin vectoriel SVG (*.svg)"), QStringLiteral("Document PDF (*.pdf)")};
}

outils_image::outils_image(poste_de_travail& fenetre, QMenu* menu)
    : QObject(&fenetre.widget()), fenetre_(fenetre), image_(fenetre.image()) {
    setObjectName(QStringLiteral("outils_image"));
    marques_du_mouvement = false; // the item starts unchecked

    choisir_fichier = [this](const QString& propose) -> std::optional<choix_fichier> {
        QString filtre;
        const QString chemin =
            QFileDialog::getSaveFileName(&fenetre_.widget(), QStringLiteral("Enregistrer l'image"),
                                         propose, filtres().join(QStringLiteral(";;")), &filtre);
        if (chemin.isEmpty()) {
            return std::nullopt;
        }
        return choix_fichier{chemin, filtre};
    };
    preparer_impression = [this](QPrinter& imprimante) {
        QPrintDialog dialogue(&imprimante, &fenetre_.widget());
        dialogue.setWindowTitle(QStringLiteral("Imprimer l'image"));
        return dialogue.exec() == QDialog::Accepted;
    };
    avertir = [this](const QString& message) {
        QMessageBox::warning(&fenetre_.widget(), QStringLiteral("Trajel"), message);
    };
    dossier_ = QStandardPaths::writableLocation(QStandardPaths::PicturesLocation);
    if (dossier_.isEmpty() || !QDir(dossier_).exists()) {
        dossier_ = QDir::homePath();
    }

    auto separateur = [this](QMenu* m) {
        m->addSeparator();
        auto* s = new QAction(this);
        s->setSeparator(true);
        image_->addAction(s);
    };
    separateur(menu);
    action(menu, "menu_vue_agrandie", QStringLiteral("Vue agrandie"), Qt::Key_F11,
           &outils_image::ouvrir_vue_agrandie);
    action(menu, "menu_vue_initiale", QStringLiteral("Vue initiale"),
           QKeySequence(Qt::CTRL | Qt::Key_0), &outils_image::vue_initiale);
    QAction* marques =
        action(menu, "menu_marques_mouvement", QStringLiteral("Marques du mouvement"), {}, nullptr);
    marques->setCheckable(true);
    marques_ = marques;
    connect(marques, &QAction::toggled, this, &outils_image::marquer_le_mouvement);
    separateur(menu);
    QAction* copie = action(menu, "menu_copier_image", QStringLiteral("Copier l'image"),
                            QKeySequence::Copy, &outils_image::copier);
    copie->setShortcutContext(Qt::WidgetShortcut); // the focused picture only
    action(menu, "menu_enregistrer_image", QStringLiteral("Enregistrer l'image..."),
           QKeySequence::Save, &outils_image::enregistrer);
    action(menu, "menu_imprimer_image", QStringLiteral("Imprimer..."), QKeySequence::Print,
           &outils_image::imprimer);
    menu->addSeparator();

    relier_gestes(image_->gestes());
}

QAction* outils_image::action(QMenu* menu, const char* nom, const QString& legende,
                              const QKeySequence& raccourci, void (outils_image::*effet)()) {
    QAction* a = menu->addAction(legende);
    a->setObjectName(QString::fromLatin1(nom));
    a->setShortcut(raccourci);
    if (effet != nullptr) {
        connect(a, &QAction::triggered, this, effet);
    }
    image_->addAction(a); // the picture's context menu
    return a;
}

void outils_image::relier_gestes(const filtre_gestes* gestes) {
    connect(gestes, &filtre_gestes::glissement, this, &outils_image::tourner);
    connect(gestes, &filtre_gestes::molette, this, &outils_image::zoomer);
    connect(gestes, &filtre_gestes::double_clic, this, &outils_image::vue_initiale);
}

void outils_image::tourner(int degres_x, int degres_y) {
    // The globe follows the hand: dragging to the right turns the viewer westwards,
    // dragging down raises the viewer's latitude. Each bar runs its own handler.
    fenetre_.tourner_vue(-degres_x, degres_y);
}

void outils_image::zoomer(int crans) {
    fenetre_.zoomer(crans);
}

void outils_image::vue_initiale() {
    fenetre_.vue_initiale();
}

void outils_image::marquer_le_mouvement(bool actif) {
    marques_du_mouvement = actif;
    fenetre_.evenements().executer([] { rafraichissement_vue(); });
}

void outils_image::ouvrir_vue_agrandie() {
    if (vue_ == nullptr) {
        vue_ = new vue_agrandie(image_, &fenetre_.widget());
        relier_gestes(vue_->gestes());
    }
    vue_->show();
    vue_->raise();
    vue_->activateWindow();
}

void outils_image::copier() {
    const scene_image scene = scene_de(*image_);
    const int facteur = std::max(1, static_cast<int>(std::ceil(image_->devicePixelRatioF())));
    auto* donnees = new QMimeData;
    donnees->setImageData(image_de(scene, facteur));
    donnees->setData(QStringLiteral("image/svg+xml"), svg_de(scene));
    QGuiApplication::clipboard()->setMimeData(donnees);
}

void outils_image::enregistrer() {
    const auto choix = choisir_fichier(QDir(dossier_).filePath(QStringLiteral("orbite.png")));
    if (choix) {
        enregistrer_sous(choix->chemin, choix->filtre);
    }
}

bool outils_image::enregistrer_sous(const QString& chemin, const QString& filtre) {
    const qsizetype n = filtres().indexOf(filtre);
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

    const scene_image scene = scene_de(*image_);
    QString erreur;
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
        avertir(erreur);
        return false;
    }
    dossier_ = QFileInfo(fichier).absolutePath();
    return true;
}

void outils_image::imprimer() {
    QPrinter imprimante(QPrinter::HighResolution);
    imprimante.setDocName(QStringLiteral("Calcul d'orbite"));
    imprimante.setPageOrientation(QPageLayout::Landscape);
    if (!preparer_impression(imprimante)) {
        return;
    }
    const QString legende =
        legende_orbite(traj, fenetre_.valeur_HScroll1(), -fenetre_.valeur_VScroll1(), zoom);
    if (!imprimer_scene(imprimante, scene_de(*image_), legende)) {
        avertir(QStringLiteral("L'impression n'a pas pu commencer : l'imprimante ou le "
                               "fichier choisi n'est pas disponible."));
    }
}

outils_image* ajouter_outils_image(poste_de_travail& fenetre, QMenu* menu) {
    return new outils_image(fenetre, menu);
}

} // namespace trajel
