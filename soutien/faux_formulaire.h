#pragma once

#include "core/module1.h"
#include "core/regles.h"
#include "core/surface.h"
#include "render/scene.h"

#include <algorithm>
#include <array>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace trajel::test {

// A main window without Qt: the design texts, selections and scroll values, a
// recording surface at the design size, and a log of what the code assigned.
// A hook may stand for the change and click handlers of the real window.
class faux_formulaire : public formulaire {
public:
    faux_formulaire() {
        std::copy(textes_d_ouverture.begin(), textes_d_ouverture.end(), textes.begin());
        options = options_d_ouverture;
    }

    std::string texte(zone_texte zone) const override { return textes[indice(zone)]; }
    void changer_texte(zone_texte zone, const std::string& t) override {
        journal.push_back({zone, t});
        if (textes[indice(zone)] == t) {
            return;
        }
        textes[indice(zone)] = t;
        if (sur_changement) {
            sur_changement(zone);
        }
    }

    bool selectionne(bouton_option b) const override { return options[indice(b)]; }
    void selectionner(bouton_option b) override {
        if (options[indice(b)]) {
            return;
        }
        const std::size_t debut = groupe_de(b) * options_par_groupe;
        for (std::size_t i = debut; i < debut + options_par_groupe; ++i) {
            options[i] = false;
        }
        options[indice(b)] = true;
        if (sur_clic) {
            sur_clic(b);
        }
    }

    int valeur_HScroll1() const override { return hscroll; }
    int valeur_VScroll1() const override { return vscroll; }

    std::string legende_Label_debit() const override { return label_debit; }
    void legende_Label_debit(const std::string& l) override { label_debit = l; }

    surface& Picture1() override { return image; }

    struct memoire_fausse : memoire {
        std::array<std::string, 13> textes;
        std::array<bool, 8> options{};
        std::string label_debit;
    };
    std::unique_ptr<memoire> memoriser() const override {
        auto m = std::make_unique<memoire_fausse>();
        m->textes = textes;
        m->options = options;
        m->label_debit = label_debit;
        return m;
    }
    void restituer(const memoire& m) override {
        const auto& f = static_cast<const memoire_fausse&>(m);
        textes = f.textes;
        options = f.options;
        label_debit = f.label_debit;
    }

    void ecrire(zone_texte zone, const std::string& t) { textes[indice(zone)] = t; }
    void choisir(bouton_option b) {
        const std::size_t debut = indice(b) < 4 ? 0 : 4;
        for (std::size_t i = debut; i < debut + 4; ++i) {
            options[i] = false;
        }
        options[indice(b)] = true;
    }

    std::array<std::string, 13> textes;
    std::array<bool, 8> options{};
    int hscroll = 20;
    int vscroll = -40;
    std::string label_debit = "0";
    surface_enregistree image{10335.0, 8655.0};
    std::vector<std::pair<zone_texte, std::string>> journal;
    std::function<void(zone_texte)> sur_changement;
    std::function<void(bouton_option)> sur_clic;

private:
    static std::size_t indice(zone_texte z) { return static_cast<std::size_t>(z); }
    static std::size_t indice(bouton_option b) { return static_cast<std::size_t>(b); }
};

// Installs a fake window as Form1 and the start values of the first activation
// (colours, zoom 1, fixed frame, picture size, view frame); restores a clean module
// on exit.
class module_de_test {
public:
    module_de_test() {
        reinitialiser_module1();
        Form1 = &fenetre;
        valeurs_d_activation();
    }
    ~module_de_test() {
        Form1 = nullptr;
        reinitialiser_module1();
    }
    module_de_test(const module_de_test&) = delete;
    module_de_test& operator=(const module_de_test&) = delete;

    faux_formulaire fenetre;
};

// The main window's change and click handling on the fake, through the window's own
// rules: the rule of the box or the proposal of the option, then a full redraw.
inline void brancher_gestionnaires(faux_formulaire& f) {
    f.sur_changement = [&f](zone_texte z) {
        if (regle_de_changement(z, f)) {
            rafraichissement_complet();
        }
    };
    f.sur_clic = [&f](bouton_option b) {
        if (const auto texte = proposition_Text1(b, f)) {
            f.changer_texte(zone_texte::Text1, *texte);
        }
        rafraichissement_complet();
    };
}

} // namespace trajel::test
