#pragma once

// A paint device that draws nothing and keeps what is painted on it, in device pixels
// (the painter's transform applied): every line with its pen, every text with its
// baseline point and its frame. 96 dpi, no scaling.

#include <QFontMetricsF>
#include <QLineF>
#include <QPaintDevice>
#include <QPaintEngine>
#include <QPen>
#include <QRectF>
#include <QSize>
#include <QString>
#include <QTransform>

#include <vector>

namespace trajel::test {

class appareil_enregistreur : public QPaintDevice {
public:
    struct trait {
        QLineF ligne;
        QPen stylo;
    };
    struct texte_peint {
        QString texte;
        QPointF position; // the baseline's start
        QRectF cadre;     // ascent to descent, over the advance
    };

    explicit appareil_enregistreur(QSize taille = {1920, 1080}) : taille_(taille) {}
    QPaintEngine* paintEngine() const override { return &moteur_; }

    std::vector<trait> traits;
    std::vector<texte_peint> textes;

protected:
    int metric(PaintDeviceMetric m) const override {
        switch (m) {
        case PdmWidth:
            return taille_.width();
        case PdmHeight:
            return taille_.height();
        case PdmWidthMM:
            return static_cast<int>(taille_.width() * 25.4 / 96.0);
        case PdmHeightMM:
            return static_cast<int>(taille_.height() * 25.4 / 96.0);
        case PdmDpiX:
        case PdmDpiY:
        case PdmPhysicalDpiX:
        case PdmPhysicalDpiY:
            return 96;
        case PdmDevicePixelRatio:
            return 1;
        case PdmDevicePixelRatioScaled:
            return static_cast<int>(devicePixelRatioFScale());
        case PdmDepth:
            return 32;
        case PdmNumColors:
            return 0;
        default:
            return QPaintDevice::metric(m);
        }
    }

private:
    class moteur : public QPaintEngine {
    public:
        explicit moteur(appareil_enregistreur& a) : QPaintEngine(AllFeatures), a_(a) {}
        bool begin(QPaintDevice*) override { return true; }
        bool end() override { return true; }
        void updateState(const QPaintEngineState& etat) override {
            if (etat.state() & DirtyPen) {
                stylo_ = etat.pen();
            }
            if (etat.state() & DirtyTransform) {
                transformation_ = etat.transform();
            }
        }
        void drawLines(const QLineF* lignes, int n) override {
            for (int i = 0; i < n; ++i) {
                a_.traits.push_back({transformation_.map(lignes[i]), stylo_});
            }
        }
        void drawTextItem(const QPointF& p, const QTextItem& t) override {
            const QFontMetricsF m(t.font(), paintDevice());
            const QPointF coin = transformation_.map(p - QPointF(0.0, m.ascent()));
            a_.textes.push_back({t.text(), transformation_.map(p),
                                 QRectF(coin, QSizeF(m.horizontalAdvance(t.text()), m.height()))});
        }
        void drawPixmap(const QRectF&, const QPixmap&, const QRectF&) override {}
        void drawPath(const QPainterPath&) override {}
        void drawPolygon(const QPointF*, int, PolygonDrawMode) override {}
        Type type() const override { return User; }

    private:
        appareil_enregistreur& a_;
        QPen stylo_;
        QTransform transformation_;
    };

    QSize taille_;
    mutable moteur moteur_{*this};
};

} // namespace trajel::test
