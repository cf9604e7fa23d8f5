#include "about/icone.h"
#include "commun/principal.h"

#include <QPainter>
#include <QSvgRenderer>
#include <QTest>

#include <algorithm>
#include <cmath>

using namespace trajel;

namespace {

// The cells of the 32 x 32 drawing that pixel i of a row of `cote` pixels overlaps: [premiere,
// derniere].
struct cellules {
    int premiere;
    int derniere;
};
cellules sous_le_pixel(int i, int cote) {
    const double debut = i * 32.0 / cote;
    const double fin = (i + 1) * 32.0 / cote;
    return {static_cast<int>(std::floor(debut)), static_cast<int>(std::ceil(fin)) - 1};
}

} // namespace

class TestIcone : public QObject {
    Q_OBJECT

private slots:
    // At 32 x 32, where the image is set cell by cell rather than painted, it is the
    // painted drawing to the bit, whatever the scale of the painter it is drawn through.
    void taille_propre_data() {
        QTest::addColumn<int>("echelle");
        for (const int echelle : {1, 2, 3}) {
            QTest::addRow("x%d", echelle) << echelle;
        }
    }
    void taille_propre() {
        QFETCH(int, echelle);
        QImage peinte(32 * echelle, 32 * echelle, QImage::Format_ARGB32);
        peinte.fill(Qt::transparent);
        {
            QPainter peintre(&peinte);
            peindre_icone(peintre, 32 * echelle);
        }
        const QImage image = dessin_icone();
        QCOMPARE(image.format(), peinte.format());
        int opaques = 0;
        for (int y = 0; y < peinte.height(); ++y) {
            for (int x = 0; x < peinte.width(); ++x) {
                const QRgb attendu = image.pixel(x / echelle, y / echelle);
                opaques += qAlpha(attendu) == 255 ? 1 : 0;
                QVERIFY2(peinte.pixel(x, y) == attendu,
                         qPrintable(QStringLiteral("%1, %2").arg(x).arg(y)));
            }
        }
        QVERIFY(opaques > 0); // the Earth and the orbit are there
    }

    // Every size is the 32 x 32 drawing scaled: a pixel inside one cell has that cell's colour,
    // a pixel over opaque cells only is opaque (no seam where two colours meet), a pixel over
    // transparent cells only is transparent.
    void tailles_data() {
        QTest::addColumn<int>("cote");
        for (const int cote : {24, 40, 48, 64, 128, 256}) {
            QTest::addRow("%d", cote) << cote;
        }
    }
    void tailles() {
        QFETCH(int, cote);
        const QImage reference = dessin_icone();
        const QImage image = dessin_icone(cote);
        QCOMPARE(image.size(), QSize(cote, cote));
        int dans_une_cellule = 0;
        for (int y = 0; y < cote; ++y) {
            const cellules ligne = sous_le_pixel(y, cote);
            for (int x = 0; x < cote; ++x) {
                const cellules colonne = sous_le_pixel(x, cote);
                const QRgb pixel = image.pixel(x, y);
                const QByteArray ou = QByteArray::number(x) + ", " + QByteArray::number(y);
                if (ligne.premiere == ligne.derniere && colonne.premiere == colonne.derniere) {
                    ++dans_une_cellule;
                    QCOMPARE(pixel, reference.pixel(colonne.premiere, ligne.premiere));
                    continue;
                }
                bool opaques = true;
                bool transparentes = true;
                for (int j = ligne.premiere; j <= ligne.derniere; ++j) {
                    for (int i = colonne.premiere; i <= colonne.derniere; ++i) {
                        const int alpha = qAlpha(reference.pixel(i, j));
                        opaques = opaques && alpha == 255;
                        transparentes = transparentes && alpha == 0;
                    }
                }
                if (opaques) {
                    QVERIFY2(qAlpha(pixel) == 255, ou.constData());
                }
                if (transparentes) {
                    QVERIFY2(qAlpha(pixel) == 0, ou.constData());
                }
            }
        }
        // Beyond 32 pixels many pixels fall inside one cell; at 24, none does.
        QVERIFY(cote < 32 ? dans_une_cellule == 0 : dans_une_cellule > cote * cote / 8);
    }

    // The scalable icon is the same drawing: rendered at a size, it gives that size's image.
    void svg_data() {
        QTest::addColumn<int>("cote");
        for (const int cote : {32, 48, 64, 256}) {
            QTest::addRow("%d", cote) << cote;
        }
    }
    void svg() {
        QFETCH(int, cote);
        QSvgRenderer lecteur(icone_svg());
        QVERIFY(lecteur.isValid());
        QCOMPARE(lecteur.viewBoxF(), QRectF(0, 0, 32, 32));
        QImage rendu(cote, cote, QImage::Format_ARGB32);
        rendu.fill(Qt::transparent);
        QPainter peintre(&rendu);
        lecteur.render(&peintre);
        peintre.end();
        const QImage image = dessin_icone(cote);
        int ecart = 0;
        for (int y = 0; y < cote; ++y) {
            for (int x = 0; x < cote; ++x) {
                const QRgb a = rendu.pixel(x, y);
                const QRgb b = image.pixel(x, y);
                ecart =
                    std::max({ecart, std::abs(qRed(a) - qRed(b)), std::abs(qGreen(a) - qGreen(b)),
                              std::abs(qBlue(a) - qBlue(b)), std::abs(qAlpha(a) - qAlpha(b))});
            }
        }
        QCOMPARE(ecart, 0);
    }
};
TRAJEL_TEST(TestIcone);

#include "test_icone.moc"
