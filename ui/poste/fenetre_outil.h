#pragma once

#include <QAction>
#include <QPointer>
#include <QRect>
#include <QSize>

#include <functional>
#include <memory>
#include <optional>

class QObject;
class QWidget;

namespace trajel {

class poste_de_travail;

// What every tool window shares, as Stellarium's StelDialog: shown or brought to the
// front, hidden, toggled; placed on its first show (where it was left in an earlier run,
// else beside the main window, never over its controls); its figures brought up to date
// at every show; its geometry kept under its objectName when it hides.
//
// A window derives from its Qt class first, then from this one:
//   class fenetre_x : public QWidget, public fenetre_outil { ... };
// the Qt part is made before this one and outlives it.
class fenetre_outil {
public:
    // Whether the geometry is kept between runs under the window's objectName.
    enum class memoire { sous_son_nom, aucune };

    fenetre_outil(const fenetre_outil&) = delete;
    fenetre_outil& operator=(const fenetre_outil&) = delete;

    QWidget& fenetre() const { return fenetre_; }

    // Shown, or brought to the front when it already is.
    void montrer();
    void cacher();
    // Shown when hidden, hidden when shown.
    void basculer();
    // `action` shows the window, or brings it to the front.
    void montrer_par(QAction& action);

protected:
    fenetre_outil(QWidget& fenetre, poste_de_travail& principale,
                  memoire m = memoire::sous_son_nom);
    virtual ~fenetre_outil();

    // At every show, before the window is seen: its figures brought up to date.
    virtual void a_l_affichage() {}
    // On the first show: where it was left in an earlier run, else beside the main
    // window at taille_voulue() (its frame added), shrunk as far as taille_minimale() to
    // stay clear of the other windows shown, never over its controls.
    virtual void placer();
    // The size it asks for beside the main window: by default, the size it has.
    virtual QSize taille_voulue() const;
    // The least size it takes where the screen has no room for taille_voulue() (within
    // its layout's minimum): by default the same, a window placed whole or not at all.
    virtual QSize taille_minimale() const;

    // `rafraichir(true)` after each completed event of the main window and after a state
    // put back, `rafraichir(false)` after an event refused or failed (it changed nothing);
    // once per event: a state put back by the event just refreshed for adds nothing.
    // Only while the window is shown: hidden, it recomputes nothing (`cachee`, if given,
    // runs instead) and a_l_affichage() brings it up to date at its show.
    void suivre_les_evenements(std::function<void(bool reussi)> rafraichir,
                               std::function<void(bool reussi)> cachee = {});

    poste_de_travail& principale_;

private:
    class gardien;
    void montree();
    void cachee();
    // Its wanted and least frame sizes, at most as tall as the main window: room is left
    // for the others.
    QSize cadre_voulu() const;
    QSize cadre_moindre() const;
    // With no room left for it: this window and the tools still where the placing put
    // them placed again together, clear of each other, when some order of placing
    // finds room for all.
    void disposer_avec_les_autres();

    QWidget& fenetre_;
    memoire memoire_;
    QObject* gardien_;
    bool placee_ = false;
    // The frame the placing gave, while the window keeps it (not moved by the user).
    std::optional<QRect> cadre_donne_;
    // The event whose completion the window was last refreshed for.
    std::optional<unsigned long long> rafraichie_a_;
};

// `action` shows the tool window `faire()` makes on its first use (and again if it was
// destroyed), or brings it to the front: a window nobody opens costs nothing at start-up.
// The connection ends with `contexte`.
template <class Fenetre, class Faire>
void montrer_a_la_demande(QAction& action, QObject& contexte, Faire faire) {
    auto fenetre = std::make_shared<QPointer<Fenetre>>();
    QObject::connect(&action, &QAction::triggered, &contexte, [fenetre, faire] {
        if (fenetre->isNull()) {
            *fenetre = faire();
        }
        (*fenetre)->montrer();
    });
}

} // namespace trajel
