#include "render/fantomes.h"

#include "core/surface.h"
#include "render/projection.h"

#include <string>

namespace trajel {

namespace {

constexpr int pas_fantome = 2; // degrees a step: lighter than the scene's own conic

bool conique_dessinable(const trajectoire& t) {
    return t.type_conique == circulaire || t.type_conique == elliptique ||
           t.type_conique == parabolique || t.type_conique == hyperbolique;
}

point_vue vu(const vecteur& p) {
    point_vue v;
    projeter(repere_vue, p, v);
    return v;
}

// The conic over the scene's range, ending on its last anomaly: for a closed orbit the
// satellite's, 360 degrees on. One step drawn, the next left out: dashed at any pen width,
// where a pen's own dash pattern would fill steps shorter than a dash.
void tracer_orbite(const trajectoire& t, std::int16_t couleur = couleur_trajectoire,
                   int traits = 1) {
    const plage_anomalies bornes = plage_tracee(t);
    bool precedent = false;
    int pas = 0;
    point_vue a{};
    for (int nu = bornes.debut; nu < bornes.fin + pas_fantome; nu += pas_fantome) {
        vecteur p;
        if (!point_sur_conique(t, static_cast<double>(nu < bornes.fin ? nu : bornes.fin), p)) {
            precedent = false;
            continue;
        }
        const point_vue b = vu(p);
        if (precedent && pas++ % (traits + 1) < traits) {
            tracer_segment(a, b, couleur);
        }
        a = b;
        precedent = true;
    }
}

// The powered arc from its end back to the ignition, so that the number lands there.
bool tracer_arc(const std::vector<vecteur>& arc) {
    for (std::size_t i = arc.size(); i > 1; --i) {
        tracer_segment(vu(arc[i - 1]), vu(arc[i - 2]), couleur_terre);
    }
    return arc.size() > 1;
}

} // namespace

void tracer_fantomes(const std::vector<orbite_fantome>& fantomes) {
    surface& image = Form1->Picture1();
    for (const orbite_fantome& f : fantomes) {
        if (!conique_dessinable(f.orbite)) {
            continue;
        }
        image.DrawWidth(1);
        image.DrawStyle(style_tirets);
        tracer_orbite(f.orbite);
        if (!tracer_arc(f.arc)) {
            // No arc: the number at the ignition point of the orbit.
            vecteur p;
            if (!point_sur_conique(f.orbite, f.orbite.anomalie, p)) {
                continue;
            }
            const point_vue v = vu(p);
            tracer_segment(v, v, couleur_trajectoire);
        }
        image.Print(std::to_string(f.numero));
    }
    image.DrawWidth(1);
    image.DrawStyle(style_plein);
}

void tracer_orbites_exercice(const orbites_exercice& o) {
    surface& image = Form1->Picture1();
    image.DrawWidth(1);
    image.DrawStyle(style_plein);
    if (o.cible && conique_dessinable(*o.cible)) {
        tracer_orbite(*o.cible, couleur_cible, 3);
    }
    for (const orbite_fantome& f : o.solution) {
        if (!conique_dessinable(f.orbite)) {
            continue;
        }
        tracer_orbite(f.orbite, couleur_solution);
        vecteur p;
        if (f.numero != 0 && point_sur_conique(f.orbite, f.orbite.anomalie, p)) {
            const point_vue v = vu(p);
            tracer_segment(v, v, couleur_solution);
            image.Print(std::to_string(f.numero));
        }
    }
}

void tracer_fantomes_demandes() {
    if (orbites_precedentes && fantomes_de_la_lecon) {
        tracer_fantomes(fantomes_de_la_lecon());
    }
    if (orbites_de_l_exercice) {
        const orbites_exercice o = orbites_de_l_exercice();
        if (o.cible || !o.solution.empty()) {
            tracer_orbites_exercice(o);
        }
    }
}

} // namespace trajel
