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
// of an open conic, on an error, or when stopped. The program's only timer, at a fixed
// interval: each frame puts the satellite where it is at the frame's clock time, so
// that its speed on screen does not depend on the frames' work.
class animation_satellite : public QObject {
    Q_OBJECT
public:
    explicit animation_satellite(poste_de_travail& principale, QObject* parent = nullptr);
    ~animation_satellite() override;

    // One revolution of the start-up orbit (a = 4768 km) in 20 s.
    static double acceleration_par_defaut();

    bool en_cours() const { return en_cours_; }
    double acceleration() const { return acceleration_; }
    // Running, the satellite goes on from where the last frame put it.
    void definir_acceleration(double facteur);

    // From the orbit and the anomaly of the scene; an orbit that cannot be followed is
    // reported by the main window. An open conic whose satellite stands at or beyond
    // the end of its drawn range starts again from the beginning of it.
    void demarrer();
    void arreter();

    // One frame: the satellite moved on by `secondes` of real time times the
    // acceleration. False once the animation has stopped.
    bool avancer(double secondes);
    // The frame for `secondes` of clock time since the start: the satellite where
    // Kepler's equation puts it then, however many frames came before. False once the
    // animation has stopped.
    bool image_a(double secondes);
    // Time since the periapsis (s) the satellite has at `secondes` of clock time since
    // the start, the acceleration as it stands; within a period for a closed orbit.
    double temps_a(double secondes) const;
    // Clock time (s since the start) of the last frame.
    double horloge_de_l_image() const { return secondes_; }

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
    bool dans_l_image_ = false;
    double acceleration_;
    conique c_;
    double temps_ = 0.0;            // s since the periapsis, at the last frame
    double secondes_ = 0.0;         // clock time of the last frame, s since the start
    double temps_origine_ = 0.0;    // s since the periapsis at clock time secondes_origine_
    double secondes_origine_ = 0.0; // where the acceleration last changed
    double avance_ = 0.0; // clock time less the elapsed time: frames pushed on, stalls cut
    std::optional<double> periode_; // closed orbits
    std::optional<double> fin_;     // open conics: the record's anomaly ending the drawn range
    std::optional<double> nu_fin_;  // the same, true anomaly in radians
    std::vector<const QObject*> commandes_;
};

} // namespace trajel
