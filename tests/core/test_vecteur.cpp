#include "commun/principal.h"
#include "core/vecteur.h"

#include <QTest>

using namespace trajel;

class TestVecteur : public QObject {
    Q_OBJECT
private slots:
    void deg_rad_utilise_le_pi_du_programme() {
        QCOMPARE(deg_rad(180.0), 3.141592658);
        QCOMPARE(deg_rad(90.0), 1.570796329);
    }
};
TRAJEL_TEST(TestVecteur);
#include "test_vecteur.moc"
