#pragma once

#include "core/formulaire.h"
#include "manoeuvre/journal_tirs.h"
#include "ui/poste/poste.h"

#include <QObject>
#include <QString>
#include <QUndoStack>

#include <array>
#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

class QAction;

namespace trajel {

class poste_de_travail;

// A state of the lesson, as a step of the history puts it back: the window as it stands
// (texts, options, captions, the strip and its framed box), traj and the satellite values
// as its picture has them, the last burn the readout shows and whether the picture
// carries its arc, and how many burns of the journal it has fired. The picture itself is
// not kept: it is drawn again from traj and the burn's record.
struct instantane_lecon {
    etat_fenetre fenetre;
    std::array<std::string, 13> textes;
    std::array<bool, 8> options{};
    // The journal's burns of this state: the first `tirs` of `branche` (a lesson
    // opened starts a branch of its own).
    std::shared_ptr<std::vector<ligne_journal>> branche;
    std::size_t tirs = 0;

    // The same texts, options, consumed mass and burns.
    bool meme_etat(const instantane_lecon& autre) const;
};

// The history of the lesson, which only observes the main window's events: every burn,
// preset, Reset, orbit-type change and committed edit of a box that changed the window
// is a step that "Annuler" (Ctrl+Z) and "Rétablir" (Ctrl+Shift+Z, Ctrl+Y) undo and redo,
// naming it ("Annuler le tir", "Annuler GTO Ariane V", "Annuler la saisie de i"). The
// keystrokes of one box make one step, closed when the edit is committed or another
// event starts. A refused or failed command adds no step; the view, the frame options,
// the animation and the assistant's preparation are not steps (what they changed is the
// state the next step starts from). Undo and redo stop the animation first and push no
// step while one is put back. A step puts back the window exactly as it was seen without
// running any handler: texts, options, traj and the satellite values, the last burn, the
// strip and its framed box, and the picture drawn again from traj, the powered arc
// included when the state was shown with it. The history also keeps the journal of the
// burns: an undone burn leaves it, a redone one comes back. It keeps the last
// `profondeur` steps.
class historique_lecon : public QObject {
    Q_OBJECT
public:
    explicit historique_lecon(poste_de_travail& principale);
    ~historique_lecon() override;

    // The steps kept: older ones are dropped, so that a long lesson's memory stays flat.
    static constexpr int profondeur = 1000;

    // What runs before a step is put back or a lesson opened (the composer stops the
    // animation there, so that no frame writes into the state being put back).
    std::function<void()> avant_restitution;

    QUndoStack& pile() { return pile_; }
    QAction* action_annuler() const { return annuler_; }
    QAction* action_retablir() const { return retablir_; }

    // The burns fired in the state shown, in firing order.
    std::vector<ligne_journal> journal() const;
    // The same, without a copy; valid until the next event.
    std::span<const ligne_journal> tirs_affiches() const { return {tirs_->data(), tirs_affiches_}; }

    // The teacher's notes, kept with the lesson.
    const QString& notes() const { return notes_; }
    void definir_notes(const QString& notes);

    // The edit of the box that has the focus is committed: it becomes a step if it
    // changed anything.
    void commettre_la_saisie_en_cours();

    // An edit under way is committed as a step, then the last step is undone or redone.
    void annuler();
    void retablir();

    // Opens a lesson: `ecrire` writes it into the window through its handlers and says
    // whether the picture then carries the last burn's arc; the history then holds that
    // one step, the journal the lesson's burns.
    void ouvrir(std::vector<ligne_journal> journal, const QString& notes,
                const std::function<bool()>& ecrire);

    // The picture shows the powered arc of the last burn.
    bool arc_affiche() const;

    // The state the window shows now, as a step would keep it.
    std::shared_ptr<const instantane_lecon> capturer() const;

    // The state shown drawn again, its burn's arc kept, after `changer` (a display
    // option) has run: no step. False when the picture could not be drawn.
    bool redessiner(const std::function<void()>& changer = {});

signals:
    // The journal or the notes changed (a burn, an undo, a redo, a lesson opened).
    void journal_change();
    void notes_changees();

private:
    class pas;

    void evenement_commence(const QString& nom);
    void evenement_termine(bool reussi);
    // The edit under way, if it changed anything, becomes a step.
    void fermer_saisie();
    void noter_tir();
    void pousser(std::shared_ptr<const instantane_lecon> apres, const QString& texte);
    // Puts the state back and draws its picture again.
    void appliquer(const std::shared_ptr<const instantane_lecon>& etat);
    QString texte_de_saisie(const instantane_lecon& apres) const;
    unsigned numero_du_dernier_tir() const;
    // The scene as it stands: at the end of an event, the one read when it ended.
    const instantane_scene& scene_lue() const;

    poste_de_travail& principale_;
    QUndoStack pile_;
    QAction* annuler_ = nullptr;
    QAction* retablir_ = nullptr;
    std::shared_ptr<const instantane_lecon> courant_;  // the state the last step left
    std::optional<zone_texte> saisie_;                 // the box being typed in
    std::shared_ptr<const instantane_lecon> frappe_;   // the state after its last key
    bool applique_ = false;                            // a step is being put back
    std::shared_ptr<std::vector<ligne_journal>> tirs_; // every burn of the current branch
    std::size_t tirs_affiches_ = 0;                    // those fired in the state shown
    unsigned dernier_numero_ = 0;                      // of the last burn recorded
    unsigned arc_de_ = 0; // the burn whose arc the picture shows; 0: none
    QString notes_;
    std::optional<instantane_scene> scene_de_l_evenement_; // while an event's end is noted
    mutable instantane_scene scene_;                       // the last read outside it
};

// Creates the history and its items in the "Outils" menu.
historique_lecon* ajouter_historique(poste_de_travail& principale);

} // namespace trajel
