#pragma once

#include <QObject>
#include <QString>

#include <functional>

class QPagedPaintDevice;
class QPrinter;
class QTextDocument;

namespace trajel {

class historique_lecon;
class poste_de_travail;

// The lesson's worksheet, to hand out: on A4, the lesson's name and the day's date, the
// picture in vectors with its caption, the orbit's main figures as the readout computes
// them, the journal of the burns with its totals and the teacher's notes. One page, more
// when the journal is long. "Imprimer la fiche..." prints it, "Enregistrer la fiche en
// PDF..." writes it through the program's one writer.
class fiche_lecon : public QObject {
    Q_OBJECT
public:
    fiche_lecon(poste_de_travail& principale, historique_lecon& historique);

    // The lesson's name: its file's, else "Sans titre".
    QString nom_lecon() const;
    // The worksheet as the window stands, on `support` (a PDF writer or a printer, A4
    // portrait); its pages, or 0 when the painter could not start.
    int peindre(QPagedPaintDevice& support) const;
    // Written whole or not at all; false, and the user told why, when it is not.
    bool enregistrer_pdf_vers(const QString& chemin);

    // Asks for a file, then writes the PDF into it.
    void enregistrer_pdf();
    // Asks for a printer, then prints.
    void imprimer();

    // What asks the user (dialogs; tests answer instead).
    std::function<QString(const QString& propose)> choisir_fichier;
    std::function<bool(QPrinter&)> preparer_impression;
    std::function<void(const QString&)> avertir;

private:
    struct page_fiche;
    // The worksheet's text, the picture inside it, laid out on pages of `p`.
    void composer(QTextDocument& document, const page_fiche& p) const;

    poste_de_travail& principale_;
    historique_lecon& historique_;
    QString dossier_;
};

// The two items in the "Outils" menu, after the lesson files' ones.
fiche_lecon* ajouter_fiche(poste_de_travail& principale, historique_lecon& historique);

} // namespace trajel
