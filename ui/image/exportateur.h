#pragma once

#include "ui/image/export_image.h"

#include <QObject>
#include <QString>

#include <functional>
#include <optional>

class QPrinter;
class QWidget;

namespace trajel {

// Copy, save and print of a scene: the one controller behind the picture's menu items
// and the ground track's buttons. It is given where the display list comes from, the
// widget that shows it (its pixel ratio for the copy), the caption of the printed page
// and its own texts; it remembers the folder of the last file saved.
class exportateur : public QObject {
    Q_OBJECT
public:
    // What the dialogs and the print job are called, and the name first proposed.
    struct textes {
        QString titre_enregistrement;
        QString titre_impression;
        QString document;
        QString nom_propose;
    };
    // A file chosen to save into, with the file-type filter chosen with it.
    struct choix_fichier {
        QString chemin;
        QString filtre;
    };

    // `parent` owns the exporter and is the parent of its dialogs; `vue` shows the scene.
    exportateur(QWidget& parent, const QWidget& vue, std::function<scene_image()> scene,
                std::function<QString()> legende, textes t);

    // What asks the user (dialogs; tests answer instead).
    std::function<std::optional<choix_fichier>(const QString& propose)> choisir_fichier;
    std::function<bool(QPrinter&)> preparer_impression;
    std::function<void(const QString&)> avertir;

    // The file-type filters of the save dialog, PNG at 1, 2 and 4 times first.
    static QStringList filtres();
    // Where the next file is proposed: the folder of the last one saved.
    const QString& dossier() const { return dossier_; }

    // The scene on the clipboard, as an image and as SVG.
    void copier();
    // Asks for a file, then saves into it.
    void enregistrer();
    // Saves in the format the name's extension gives, else the filter's (its extension
    // is then added); false, and the user told why, when the file is not written.
    bool enregistrer_sous(const QString& chemin, const QString& filtre);
    // Asks for a printer, then prints the scene with its caption, landscape.
    void imprimer();

private:
    const QWidget& vue_;
    std::function<scene_image()> scene_;
    std::function<QString()> legende_;
    textes textes_;
    QString dossier_;
};

} // namespace trajel
