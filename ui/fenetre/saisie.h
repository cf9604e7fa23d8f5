#pragma once

#include "core/erreur.h"
#include "core/formulaire.h"
#include "ui/poste/poste.h"

#include <QObject>

#include <functional>

class QLabel;
class QLineEdit;
class QRect;
class QWidget;

namespace trajel {

class distributeur;

// The user's typing and how errors are shown. The rules that write "0" wait, while the
// user types, until the edit is committed (Enter, Tab, leaving the box, a click
// elsewhere), and then run carried to their end. An error of the user's typing, or of
// the program's own timer, goes to a strip over the bottom of the picture and frames the
// box; any other to a modal message box. The strip stays until a full redraw succeeds.
class saisie_utilisateur : public QObject {
    Q_OBJECT
public:
    using boites = std::function<QLineEdit*(zone_texte)>;
    // `modele` runs the rules; `strip_parent` and `image` place the strip over the
    // bottom of the picture.
    saisie_utilisateur(formulaire& modele, distributeur& evenements, boites boite,
                       QWidget* parent_du_bandeau, const QRect& image, int hauteur_bandeau);
    ~saisie_utilisateur() override;

    // A change of a box's text: the program's assignments run its handler as they
    // stand; the user's own typing runs it with its errors on the strip.
    void texte_change(zone_texte zone, const std::function<void()>& gestionnaire);
    // The program assigns a box: its own value, whose rule has run.
    void affecter(zone_texte zone, const std::function<void()>& affectation);
    // A box's rule: deferred while the user types, at once otherwise.
    void appliquer_regle(zone_texte zone);
    // The edit is committed: each pending rule runs, whatever the others' redraws do.
    void valider();
    // See fenetre_principale::executer_sans_dialogue.
    bool executer_sans_dialogue(const std::function<void()>& gestionnaire);

    // How the distributor reports an error.
    void rapporter(const erreur_calcul& e);
    // A word that is no error, on the strip, no box framed.
    void informer(const QString& message);
    // A full redraw has succeeded: the strip and the frame go.
    void effacer_bandeau();
    // The strip and the framed box, as they stand and put back as they were.
    etat_bandeau bandeau() const;
    void restituer_bandeau(const etat_bandeau& etat);

    // The modal message box (a test may replace it); the witness sees every error and
    // how it was shown.
    using afficheur_erreur = std::function<void(const erreur_calcul&)>;
    void definir_boite_de_message(afficheur_erreur a) { boite_de_message_ = std::move(a); }
    void definir_temoin(std::function<void(const erreur_calcul&, bool modal)> t) {
        temoin_ = std::move(t);
    }

    // Before the boxes go: nothing of theirs may reach a half-destroyed window.
    void fermer();

protected:
    bool eventFilter(QObject* objet, QEvent* evenement) override;

private:
    static unsigned bit(zone_texte zone) { return 1u << static_cast<unsigned>(zone); }
    QLineEdit* boite_nommee_par(const erreur_calcul& e) const;

    formulaire& modele_;
    distributeur& evenements_;
    boites boite_;
    QLabel* bandeau_ = nullptr;
    afficheur_erreur boite_de_message_;
    std::function<void(const erreur_calcul&, bool)> temoin_;

    int affectations_ = 0;           // program assignments under way
    bool frappe_ = false;            // a handler runs for the user's own typing
    bool rapport_non_modal_ = false; // the event under way reports without a dialog
    bool boite_nommee_ = false;      // the strip frames the box the error names
    zone_texte boite_frappee_ = zone_texte::Text1;
    unsigned regles_en_attente_ = 0; // bit per box whose rule waits for the commit
    QLineEdit* boite_marquee_ = nullptr;
    bool ferme_ = false;
};

} // namespace trajel
