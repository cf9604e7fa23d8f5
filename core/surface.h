#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace trajel {

// One colour of the standard 16-colour palette.
struct couleur_rgb {
    std::uint8_t r = 0;
    std::uint8_t g = 0;
    std::uint8_t b = 0;

    bool operator==(const couleur_rgb&) const = default;
};

// A colour between c and white: 0 is c, 1 white.
couleur_rgb eclaircie(const couleur_rgb& c, double vers_blanc);

// Liang-Barsky: moves the ends of the segment (x1, y1)-(x2, y2) to the part of it inside
// the box [gauche, droite] x [haut, bas]; false when no part of it is inside.
bool couper_segment(double& x1, double& y1, double& x2, double& y2, double gauche, double haut,
                    double droite, double bas);

// Palette index 0..15 to its colour; any other index is taken modulo 16.
couleur_rgb palette(std::int16_t n);

inline constexpr int style_plein = 0;     // DrawStyle: solid
inline constexpr int style_tirets = 1;    // DrawStyle: dashed, painted in a lighter shade
inline constexpr int style_pointille = 2; // DrawStyle: dotted (shows only at width 1)

// The drawing surface: its own units (twips), origin at the top left, y downwards.
class surface {
public:
    virtual ~surface() = default;

    virtual double Width() const = 0;
    virtual double Height() const = 0;

    virtual void DrawWidth(int pixels) = 0;
    virtual int DrawWidth() const = 0;
    virtual void DrawStyle(int style) = 0;
    virtual int DrawStyle() const = 0;

    // A straight line in palette colour n with the current pen; the current point
    // becomes (x2, y2).
    virtual void Line(double x1, double y1, double x2, double y2, std::int16_t n) = 0;
    // A text whose top-left corner is the current point, in the surface's font.
    virtual void Print(const std::string& texte) = 0;
    // Clears the surface; the current point returns to the origin.
    virtual void Cls() = 0;

    // Filled shapes, without outline, in any colour; the current point and the pen are
    // left as they are. A disc of `rayon` units about (x, y); a polygon through the
    // points (x0, y0, x1, y1...).
    virtual void Disque(double x, double y, double rayon, const couleur_rgb& c) = 0;
    virtual void Polygone(const std::vector<double>& sommets, const couleur_rgb& c) = 0;
};

// What was drawn since the last Cls, in drawing order.
struct element_affichage {
    enum class genre { trait, texte, disque, polygone };
    genre nature = genre::trait;
    double x1 = 0.0; // a line from (x1, y1) to (x2, y2); a text at (x1, y1); a disc's
    double y1 = 0.0; // centre at (x1, y1), its radius x2
    double x2 = 0.0;
    double y2 = 0.0;
    std::int16_t couleur = 0;    // lines only
    int epaisseur = 1;           // DrawWidth when drawn
    int style = style_plein;     // DrawStyle when drawn
    std::string texte;           // texts only
    couleur_rgb teinte;          // discs and polygons
    std::vector<double> sommets; // polygons: x0, y0, x1, y1...

    bool operator==(const element_affichage&) const = default;
};

// A surface that keeps its display list: the recording surface of the tests, and
// the memory of the window's picture, which paints itself from it.
class surface_enregistree : public surface {
public:
    surface_enregistree(double largeur = 10335.0, double hauteur = 8655.0)
        : largeur_(largeur), hauteur_(hauteur) {}

    double Width() const override { return largeur_; }
    double Height() const override { return hauteur_; }
    void redimensionner(double largeur, double hauteur) {
        largeur_ = largeur;
        hauteur_ = hauteur;
    }

    void DrawWidth(int pixels) override { epaisseur_ = pixels; }
    int DrawWidth() const override { return epaisseur_; }
    void DrawStyle(int style) override { style_ = style; }
    int DrawStyle() const override { return style_; }

    void Line(double x1, double y1, double x2, double y2, std::int16_t n) override;
    void Print(const std::string& texte) override;
    void Cls() override;
    void Disque(double x, double y, double rayon, const couleur_rgb& c) override;
    void Polygone(const std::vector<double>& sommets, const couleur_rgb& c) override;

    double CurrentX() const { return courant_x_; }
    double CurrentY() const { return courant_y_; }
    // Moves the current point, where the next Print writes, drawing nothing.
    void placer(double x, double y) {
        courant_x_ = x;
        courant_y_ = y;
    }

    const std::vector<element_affichage>& elements() const { return elements_; }
    // Puts back a display list kept earlier; the current point is where it ended.
    void remettre(const std::vector<element_affichage>& liste);
    std::vector<element_affichage> traits() const;
    std::vector<element_affichage> textes() const;

private:
    double largeur_;
    double hauteur_;
    int epaisseur_ = 1;
    int style_ = style_plein;
    double courant_x_ = 0.0;
    double courant_y_ = 0.0;
    std::vector<element_affichage> elements_;
};

} // namespace trajel
