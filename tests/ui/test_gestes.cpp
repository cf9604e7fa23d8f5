// The gesture filter on a plain widget: which events it takes, what it signals, the
// scale of the drag, the hand cursor.

#include "commun/principal.h"
#include "ui/image/gestes.h"

#include <QApplication>
#include <QMouseEvent>
#include <QSignalSpy>
#include <QTest>
#include <QWidget>

using namespace trajel;

namespace {

// Counts the mouse events that reach the widget's own handlers.
class surface_comptee : public QWidget {
public:
    int vus = 0;

protected:
    void mousePressEvent(QMouseEvent*) override { ++vus; }
    void mouseMoveEvent(QMouseEvent*) override { ++vus; }
    void mouseReleaseEvent(QMouseEvent*) override { ++vus; }
    void mouseDoubleClickEvent(QMouseEvent*) override { ++vus; }
    void wheelEvent(QWheelEvent*) override { ++vus; }
};

void souris(QWidget* w, QEvent::Type type, QPointF p, Qt::MouseButton bouton,
            Qt::MouseButtons boutons) {
    QMouseEvent e(type, p, w->mapToGlobal(p), bouton, boutons, {});
    QApplication::sendEvent(w, &e);
}

} // namespace

class TestGestes : public QObject {
    Q_OBJECT
private slots:
    // Whole degrees of a drag, 3 pixels of the picture a degree, `echelle` pixels of
    // the widget a pixel of the picture, one pixel a move; another button than the left
    // one is left to the widget.
    void glisser_data() {
        QTest::addColumn<int>("bouton");
        QTest::addColumn<QPoint>("delta");
        QTest::addColumn<double>("echelle");
        QTest::addColumn<QList<QPoint>>("degres");
        QTest::addColumn<int>("vus");
        QTest::newRow("9 px à droite") << int(Qt::LeftButton) << QPoint(9, 0) << 1.0
                                       << QList<QPoint>{{1, 0}, {1, 0}, {1, 0}} << 0;
        QTest::newRow("2 px: rien")
            << int(Qt::LeftButton) << QPoint(2, -2) << 1.0 << QList<QPoint>{} << 0;
        QTest::newRow("agrandie 2 fois")
            << int(Qt::LeftButton) << QPoint(-12, 6) << 2.0 << QList<QPoint>{{-1, 0}, {-1, 1}} << 0;
        QTest::newRow("réduite de moitié")
            << int(Qt::LeftButton) << QPoint(3, 0) << 0.5 << QList<QPoint>{{1, 0}, {1, 0}} << 0;
        QTest::newRow("bouton droit")
            << int(Qt::RightButton) << QPoint(9, 0) << 1.0 << QList<QPoint>{} << 11;
    }
    void glisser() {
        QFETCH(int, bouton);
        QFETCH(QPoint, delta);
        QFETCH(double, echelle);
        QFETCH(QList<QPoint>, degres);
        QFETCH(int, vus);
        surface_comptee surface;
        auto* gestes = new filtre_gestes(&surface, [echelle] { return echelle; });
        QList<QPoint> emis;
        connect(gestes, &filtre_gestes::glissement, this,
                [&emis](int x, int y) { emis << QPoint(x, y); });
        const auto b = static_cast<Qt::MouseButton>(bouton);
        const QPointF depart(50, 50);
        QCOMPARE(surface.cursor().shape(), Qt::OpenHandCursor);
        souris(&surface, QEvent::MouseButtonPress, depart, b, b);
        QCOMPARE(surface.cursor().shape(),
                 b == Qt::LeftButton ? Qt::ClosedHandCursor : Qt::OpenHandCursor);
        const int n = std::max(std::abs(delta.x()), std::abs(delta.y()));
        for (int i = 1; i <= n; ++i) {
            souris(&surface, QEvent::MouseMove, depart + QPointF(delta) * i / n, Qt::NoButton, b);
        }
        souris(&surface, QEvent::MouseButtonRelease, depart + delta, b, Qt::NoButton);
        QCOMPARE(surface.cursor().shape(), Qt::OpenHandCursor);
        QCOMPARE(emis, degres);
        QCOMPARE(surface.vus, vus);
    }

    // Whole notches of the wheel, fractions adding up; the widget sees none.
    void molette_data() {
        QTest::addColumn<QList<int>>("tours");
        QTest::addColumn<QList<int>>("crans");
        QTest::newRow("un cran") << QList<int>{120} << QList<int>{1};
        QTest::newRow("deux crans en arrière") << QList<int>{-240} << QList<int>{-2};
        QTest::newRow("deux demi-crans") << QList<int>{60, 60} << QList<int>{1};
        QTest::newRow("demi-cran puis retour") << QList<int>{60, -60} << QList<int>{};
    }
    void molette() {
        QFETCH(QList<int>, tours);
        QFETCH(QList<int>, crans);
        surface_comptee surface;
        auto* gestes = new filtre_gestes(&surface);
        QList<int> emis;
        connect(gestes, &filtre_gestes::molette, this, [&emis](int n) { emis << n; });
        for (int t : tours) {
            QWheelEvent e(QPointF(5, 5), surface.mapToGlobal(QPointF(5, 5)), QPoint(), QPoint(0, t),
                          Qt::NoButton, {}, Qt::NoScrollPhase, false);
            QApplication::sendEvent(&surface, &e);
        }
        QCOMPARE(emis, crans);
        QCOMPARE(surface.vus, 0);
    }

    // A double-click of the left button is the filter's; of another, the widget's.
    void double_clic_data() {
        QTest::addColumn<int>("bouton");
        QTest::addColumn<int>("signaux");
        QTest::newRow("gauche") << int(Qt::LeftButton) << 1;
        QTest::newRow("droit") << int(Qt::RightButton) << 0;
    }
    void double_clic() {
        QFETCH(int, bouton);
        QFETCH(int, signaux);
        surface_comptee surface;
        QSignalSpy espion(new filtre_gestes(&surface), &filtre_gestes::double_clic);
        const auto b = static_cast<Qt::MouseButton>(bouton);
        souris(&surface, QEvent::MouseButtonDblClick, QPointF(5, 5), b, b);
        QCOMPARE(espion.count(), signaux);
        QCOMPARE(surface.vus, 1 - signaux);
    }
};
TRAJEL_TEST(TestGestes);

#include "test_gestes.moc"
