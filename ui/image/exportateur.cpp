#include "ui/image/exportateur.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QWidget>

namespace trajel {

exportateur::exportateur(QWidget& parent, const QWidget& vue, std::function<scene_image()> scene,
                         std::function<QString()> legende, textes t)
    : QObject(&parent), vue_(vue), scene_(std::move(scene)), legende_(std::move(legende)),
      textes_(std::move(t)), dossier_(dossier_images_par_defaut()) {
    choisir_fichier = [this, &parent](const QString& propose) -> std::optional<choix_fichier> {
        QString filtre;
        const QString chemin =
            QFileDialog::getSaveFileName(&parent, textes_.titre_enregistrement, propose,
                                         filtres().join(QStringLiteral(";;")), &filtre);
        if (chemin.isEmpty()) {
            return std::nullopt;
        }
        return choix_fichier{chemin, filtre};
    };
    preparer_impression = [this, &parent](QPrinter& imprimante) {
        QPrintDialog dialogue(&imprimante, &parent);
        dialogue.setWindowTitle(textes_.titre_impression);
        return dialogue.exec() == QDialog::Accepted;
    };
    avertir = [&parent](const QString& message) {
        QMessageBox::warning(&parent, QStringLiteral("Trajel"), message);
    };
}

QStringList exportateur::filtres() {
    return filtres_enregistrement();
}

void exportateur::copier() {
    copier_scene(scene_(), vue_.devicePixelRatioF());
}

void exportateur::enregistrer() {
    const auto choix = choisir_fichier(QDir(dossier_).filePath(textes_.nom_propose));
    if (choix) {
        enregistrer_sous(choix->chemin, choix->filtre);
    }
}

bool exportateur::enregistrer_sous(const QString& chemin, const QString& filtre) {
    QString erreur;
    const std::optional<QString> fichier = enregistrer_scene(scene_(), chemin, filtre, erreur);
    if (!fichier) {
        avertir(erreur);
        return false;
    }
    dossier_ = QFileInfo(*fichier).absolutePath();
    return true;
}

void exportateur::imprimer() {
    QPrinter imprimante(QPrinter::HighResolution);
    imprimante.setDocName(textes_.document);
    imprimante.setPageOrientation(QPageLayout::Landscape);
    if (!preparer_impression(imprimante)) {
        return;
    }
    if (!imprimer_scene(imprimante, scene_(), legende_())) {
        avertir(impression_impossible());
    }
}

} // namespace trajel
