#pragma once

#include "core/caracteristiques.h"

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>

#include <optional>
#include <vector>

namespace trajel {

class poste_de_travail;

// "Animer le satellite": the satellite moves along its conic in time, by Kepler's
// equation, at a time acceleration; each frame writes the anomaly into Text7 as the
// program writes it, so that the window's own handler redraws the scene. It stops at
// any key, click or wheel of the user outside the menus, at the end of the drawn range
// of an open conic, on an error, or when stopped. The program's only timer.
class animation_satellite : public QObject {
    Q_OBJECT
public:
    explicit animation_satellite(poste_de_travail& principale, QObject* parent = nullptr);
    ~animation_satellite() override;

    // One revolution of the start-up orbit (a = 4768 km) in 20 s.
    static double acceleration_par_defaut();

    bool en_cours() const { return en_cours_; }
    double acceleration() const { return acceleration_; }
    void definir_acceleration(double facteur) { acceleration_ = facteur; }

    // From the orbit and the anomaly of the scene; an orbit that cannot be followed is
    // reported by the main window. An open conic whose satellite stands at or beyond
    // the end of its drawn range starts again from the beginning of it.
    void demarrer();
    void arreter();

    // One frame: the satellite moved on by `secondes` of real time times the
    // acceleration. False once the animation has stopped.
    bool avancer(double secondes);

    // A shortcut that starts and stops the animation itself, which any other key stops.
    void declarer_commande(const QObject* commande);

signals:
    void demarree();
    void arretee();

protected:
    bool eventFilter(QObject* objet, QEvent* evenement) override;

private:
    void image();
    bool ecrire_anomalie(double anomalie);

    poste_de_travail& principale_;
    QTimer minuterie_;
    QElapsedTimer horloge_;
    bool en_cours_ = false;
    double acceleration_;
    conique c_;
    double temps_ = 0.0;            // s since the periapsis
    std::optional<double> periode_; // closed orbits
    std::optional<double> fin_;     // open conics: the record's anomaly ending the drawn range
    std::optional<double> nu_fin_;  // the same, true anomaly in radians
    std::vector<const QObject*> commandes_;
};

} // namespace trajel
