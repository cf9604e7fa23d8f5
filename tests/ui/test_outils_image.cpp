// The picture's tools through the real window: the view turned by dragging, zoomed by
// the wheel and reset by a double-click; the large view; copy, save and print; the
// marks of the motion; the painting at any device pixel ratio.

#include "commun/principal.h"
#include "core/texte.h"
#include "fenetre_de_test.h"
#include "render/marques.h"
#include "tmpfs_de_test.h"
#include "ui/image/export_image.h"
#include "ui/image/exportateur.h"
#include "ui/outils/outils_image.h"
#include "ui/outils/vue_agrandie.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QMenu>
#include <QMimeData>
#include <QPainter>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QStandardPaths>
#include <QStorageInfo>
#include <QTemporaryDir>
#include <QXmlStreamReader>

using namespace trajel;
using namespace trajel::test;

namespace {

using liste = std::vector<element_affichage>;

// FNV-1a over every field of every element, doubles by their bits.
quint64 empreinte(const liste& l) {
    quint64 h = 1469598103934665603ull;
    auto octets = [&h](const void* p, std::size_t n) {
        for (std::size_t i = 0; i < n; ++i) {
            h = (h ^ static_cast<const unsigned char*>(p)[i]) * 1099511628211ull;
        }
    };
    for (const auto& e : l) {
        const int entiers[] = {e.nature == element_affichage::genre::texte, e.couleur, e.epaisseur,
                               e.style};
        const double reels[] = {e.x1, e.y1, e.x2, e.y2};
        const std::size_t n = e.texte.size();
        octets(&entiers[0], sizeof(int));
        octets(reels, sizeof reels);
        octets(&entiers[1], 3 * sizeof(int));
        octets(e.texte.data(), n);
        octets(&n, sizeof n);
    }
    return h;
}

// The start-up scene as the window drew it before the picture had any tools.
constexpr quint64 empreinte_demarrage = 0x7616bcb28c3cac14ull;

void deplacer(QWidget* w, QPointF p) {
    QMouseEvent e(QEvent::MouseMove, p, w->mapToGlobal(p), Qt::NoButton, Qt::LeftButton, {});
    QApplication::sendEvent(w, &e);
}

// A drag from the middle of the widget, one pixel a move.
void glisser(QWidget* w, QPoint delta) {
    const QPoint depart = w->rect().center();
    QTest::mousePress(w, Qt::LeftButton, {}, depart);
    const int n = std::max(std::abs(delta.x()), std::abs(delta.y()));
    for (int i = 1; i <= n; ++i) {
        deplacer(w, QPointF(depart) + QPointF(delta) * i / n);
    }
    QTest::mouseRelease(w, Qt::LeftButton, {}, depart + delta);
}

void tourner_molette(QWidget* w, int huitiemes) {
    const QPointF p = w->rect().center();
    QWheelEvent e(p, w->mapToGlobal(p), QPoint(), QPoint(0, huitiemes), Qt::NoButton, {},
                  Qt::NoScrollPhase, false);
    QApplication::sendEvent(w, &e);
}

int comptes(const liste& l, const char* texte) {
    return static_cast<int>(std::count_if(l.begin(), l.end(), [texte](const auto& e) {
        return e.nature == element_affichage::genre::texte && e.texte == texte;
    }));
}
int traits(const liste& l) {
    return static_cast<int>(std::count_if(l.begin(), l.end(), [](const auto& e) {
        return e.nature == element_affichage::genre::trait;
    }));
}

} // namespace

class TestOutilsImage : public QObject {
    Q_OBJECT
private slots:
    void init() {
        f = std::make_unique<fenetre_de_test>();
        outils = f->fenetre->findChild<outils_image*>(QStringLiteral("outils_image"));
        QVERIFY(outils != nullptr);
        outils->exportation().avertir = [this](const QString& m) { messages << m; };
        messages.clear();
        connect(&f->fenetre->annonces(), &annonceur_evenements::evenement_termine, this,
                [this] { ++evenements; });
        evenements = 0;
    }
    void cleanup() { f.reset(); }

    // The scenes of the window, to the bit, while the marks are off: the fingerprints of
    // the display lists drawn without any picture tool.
    void scenes_inchangees_data() {
        QTest::addColumn<QString>("action");
        QTest::addColumn<int>("taille");
        QTest::addColumn<quint64>("attendue");
        QTest::newRow("démarrage") << "" << 700 << empreinte_demarrage;
        QTest::newRow("tir") << "tir" << 1155 << 0x1a057a082bb2e02bull;
        QTest::newRow("GTO Ariane IV") << "gto" << 700 << 0x91d00c7e1921f4b0ull;
        QTest::newRow("zoom et vue") << "vue" << 691 << 0x34d88569316247b3ull;
        QTest::newRow("hyperbole") << "hyperbole" << 570 << 0xec44f69ccc7b34c9ull;
    }
    void scenes_inchangees() {
        QFETCH(QString, action);
        QFETCH(int, taille);
        QFETCH(quint64, attendue);
        QVERIFY(!f->controle<QAction>("menu_marques_mouvement")->isChecked());
        QVERIFY(!marques_du_mouvement);
        if (action == "tir") {
            f->taper("Text8", "20000");
            QTest::mouseClick(f->controle<QPushButton>("cmd_tir"), Qt::LeftButton);
        } else if (action == "gto") {
            f->controle<QAction>("menu_GTO_IV")->trigger();
        } else if (action == "vue") {
            QTest::mouseClick(f->controle<QPushButton>("Command4"), Qt::LeftButton);
            f->controle<QScrollBar>("HScroll1")->setValue(-100);
            f->controle<QScrollBar>("VScroll1")->setValue(30);
        } else if (action == "hyperbole") {
            QTest::mouseClick(f->option("Option_hyperbolique"), Qt::LeftButton, {}, QPoint(5, 5));
        }
        QVERIFY(f->rapports.empty());
        QCOMPARE(static_cast<int>(f->image()->elements_affiches().size()), taille);
        QCOMPARE(empreinte(f->image()->elements_affiches()), attendue);
    }

    // One block of the "Outils" menu, also in the picture's context menu; neither F2
    // nor Space is taken.
    void elements_du_menu() {
        const QMenu* menu = f->controle<QMenu>("menu_outils");
        const std::pair<const char*, QKeySequence> attendus[] = {
            {"menu_vue_agrandie", Qt::Key_F11},
            {"menu_vue_initiale", Qt::CTRL | Qt::Key_0},
            {"menu_marques_mouvement", {}},
            {"menu_copier_image", QKeySequence::Copy},
            {"menu_enregistrer_image", QKeySequence::Save},
            {"menu_imprimer_image", QKeySequence::Print},
        };
        for (const auto& [nom, raccourci] : attendus) {
            const QAction* a = f->controle<QAction>(nom);
            QVERIFY2(menu->actions().contains(a) && f->image()->actions().contains(a), nom);
            QCOMPARE(a->shortcut(), raccourci);
        }
        QCOMPARE(f->controle<QAction>("menu_copier_image")->shortcutContext(), Qt::WidgetShortcut);
        QVERIFY(menu->actions().first()->isSeparator());
    }

    // Dragging turns the view by a degree per 3 pixels, the globe following the hand,
    // clamped at the bars' ends; each change runs its bar's handler, one redraw each.
    void glisser_data() {
        QTest::addColumn<QPoint>("delta");
        QTest::addColumn<int>("h");
        QTest::addColumn<int>("v");
        QTest::newRow("30 px à droite") << QPoint(30, 0) << 10 << -40;
        QTest::newRow("30 px vers le bas") << QPoint(0, 30) << 20 << -50;
        QTest::newRow("en diagonale") << QPoint(-12, 12) << 24 << -44;
        QTest::newRow("2 px: rien") << QPoint(2, -2) << 20 << -40;
        QTest::newRow("butée est") << QPoint(-900, 0) << 180 << -40;
        QTest::newRow("butée pôle nord") << QPoint(0, 900) << 20 << -90;
    }
    void glisser() {
        QFETCH(QPoint, delta);
        QFETCH(int, h);
        QFETCH(int, v);
        int changements = 0;
        for (const char* nom : {"HScroll1", "VScroll1"}) {
            connect(f->controle<QScrollBar>(nom), &QScrollBar::valueChanged, this,
                    [&changements] { ++changements; });
        }
        ::glisser(f->image(), delta);
        QCOMPARE(f->controle<QScrollBar>("HScroll1")->value(), h);
        QCOMPARE(f->controle<QScrollBar>("VScroll1")->value(), v);
        QCOMPARE(changements, std::abs(h - 20) + std::abs(v + 40));
        QCOMPARE(evenements, changements); // one view redraw a change
        QCOMPARE(f->legende("Label2"), h != 20 ? QString::fromStdString(Str(h)) : QString("0"));
        QCOMPARE(f->legende("Label1"), v != -40 ? QString::fromStdString(Str(-v)) : QString("0"));
        QCOMPARE(repere_vue.u.x, std::cos(deg_rad(h)) * std::cos(deg_rad(-v)));
        QVERIFY(f->rapports.empty());
    }

    // The wheel runs "Zoom +" or "Zoom -" a notch at a time; fractions add up.
    void molette_data() {
        QTest::addColumn<QList<int>>("tours");
        QTest::addColumn<double>("zoom");
        QTest::addColumn<int>("clics");
        QTest::newRow("un cran en avant") << QList<int>{120} << 1.2 << 1;
        QTest::newRow("un cran en arrière") << QList<int>{-120} << 0.9 << 1;
        QTest::newRow("deux demi-crans") << QList<int>{60, 60} << 1.2 << 1;
        QTest::newRow("demi-cran puis retour") << QList<int>{60, -60} << 1.0 << 0;
    }
    void molette() {
        QFETCH(QList<int>, tours);
        QFETCH(double, zoom);
        QFETCH(int, clics);
        int zooms = 0;
        for (const char* nom : {"Command4", "Command5"}) {
            connect(f->controle<QPushButton>(nom), &QPushButton::clicked, this,
                    [&zooms] { ++zooms; });
        }
        for (int t : tours) {
            tourner_molette(f->image(), t);
        }
        QVERIFY(std::abs(trajel::zoom - zoom) < 1e-12);
        QCOMPARE(zooms, clics);
        QCOMPARE(evenements, clics);
    }

    // A double-click brings back the opening view through the bars' handlers and the
    // zoom 1: the very start-up scene.
    void double_clic() {
        QTest::mouseDClick(f->image(), Qt::LeftButton, {}, QPoint(100, 100));
        QCOMPARE(evenements, 0); // already the opening view: nothing to redraw
        ::glisser(f->image(), QPoint(45, -30));
        tourner_molette(f->image(), 240);
        QVERIFY(empreinte(f->image()->elements_affiches()) != empreinte_demarrage);
        evenements = 0;
        QTest::mouseDClick(f->image(), Qt::LeftButton, {}, QPoint(100, 100));
        QCOMPARE(f->controle<QScrollBar>("HScroll1")->value(), 20);
        QCOMPARE(f->controle<QScrollBar>("VScroll1")->value(), -40);
        QCOMPARE(trajel::zoom, 1.0);
        QCOMPARE(evenements, 3); // the zoom, then each bar
        QCOMPARE(f->legende("Label2"), QString(" 20"));
        QCOMPARE(f->legende("Label1"), QString(" 40"));
        QCOMPARE(empreinte(f->image()->elements_affiches()), empreinte_demarrage);
    }

    // The large view paints the picture's own list, follows a burn, and closing it
    // leaves the window as it was.
    void vue_agrandie_suit_la_scene() {
        f->controle<QAction>("menu_vue_agrandie")->trigger();
        auto* vue = f->fenetre->findChild<trajel::vue_agrandie*>(QStringLiteral("vue_agrandie"));
        QVERIFY(vue != nullptr && vue->isVisible() && vue->isWindow());
        QCOMPARE(&vue->elements(), &f->image()->elements_affiches());
        vue->resize(1920, 1080);
        const QRectF zone = vue->zone_scene();
        QCOMPARE(zone.height(), 1080.0);
        QVERIFY(std::abs(zone.width() / zone.height() - 10335.0 / 8655.0) < 1e-9);
        QCOMPARE(zone.center(), QPointF(960, 540));
        const QImage avant = vue->grab().toImage();

        f->taper("Text8", "20000");
        QTest::mouseClick(f->controle<QPushButton>("cmd_tir"), Qt::LeftButton);
        QCOMPARE(vue->elements().size(), std::size_t(1155));
        QVERIFY(vue->grab().toImage() != avant);

        // Dragging in the large view turns the view too, a degree per 3 pixels of the
        // picture: here 1080 / 577 times larger.
        ::glisser(vue, QPoint(-57, 0));
        QCOMPARE(f->controle<QScrollBar>("HScroll1")->value(), 30);

        QApplication::setActiveWindow(vue);
        QTest::keyClick(vue, Qt::Key_F11);
        QVERIFY(vue->windowState() & Qt::WindowFullScreen);
        QTest::keyClick(vue, Qt::Key_Escape);
        QVERIFY(!(vue->windowState() & Qt::WindowFullScreen) && vue->isVisible());

        const QStringList textes = {f->texte("Text1")->text(), f->texte("Text7")->text()};
        const quint64 scene = empreinte(f->image()->elements_affiches());
        vue->close();
        QCOMPARE(QStringList({f->texte("Text1")->text(), f->texte("Text7")->text()}), textes);
        QCOMPARE(empreinte(f->image()->elements_affiches()), scene);
    }

    // The format from the name's extension, else from the filter, whose extension is
    // then added; the file written whole, nothing else left beside it.
    void enregistrer_data() {
        QTest::addColumn<QString>("nom");
        QTest::addColumn<int>("filtre");
        QTest::addColumn<QString>("fichier");
        QTest::addColumn<QSize>("taille"); // PNG only
        QTest::newRow("PNG") << "orbite.png" << 0 << "orbite.png" << QSize(689, 577);
        QTest::newRow("PNG 2x") << "orbite.png" << 1 << "orbite.png" << QSize(1378, 1154);
        QTest::newRow("PNG 4x") << "o.PNG" << 2 << "o.PNG" << QSize(2756, 2308);
        QTest::newRow("SVG") << "orbite" << 3 << "orbite.svg" << QSize(0, 0);
        QTest::newRow("extension SVG, filtre PNG") << "o.svg" << 1 << "o.svg" << QSize(0, 0);
        QTest::newRow("PDF") << "orbite" << 4 << "orbite.pdf" << QSize(0, 0);
        const QString nom_255 = QString(251, 'o') + ".png"; // the longest name
        QTest::newRow("nom de 255 octets") << nom_255 << 0 << nom_255 << QSize(689, 577);
    }
    void enregistrer() {
        QFETCH(QString, nom);
        QFETCH(int, filtre);
        QFETCH(QString, fichier);
        QFETCH(QSize, taille);
        QTemporaryDir dossier;
        QString propose;
        outils->exportation().choisir_fichier = [&](const QString& p) {
            propose = p;
            return std::optional(
                exportateur::choix_fichier{dossier.filePath(nom), exportateur::filtres()[filtre]});
        };
        f->controle<QAction>("menu_enregistrer_image")->trigger();
        QCOMPARE(QFileInfo(propose).fileName(), QString("orbite.png"));
        QVERIFY(messages.isEmpty());
        QCOMPARE(QDir(dossier.path()).entryList(QDir::Files), QStringList{fichier});
        QFile lu(dossier.filePath(fichier));
        QVERIFY(lu.open(QIODevice::ReadOnly));
        const QByteArray octets = lu.readAll();
        QXmlStreamReader xml(octets);
        while (fichier.endsWith(".svg") && !xml.atEnd()) {
            xml.readNext();
        }
        QVERIFY(!xml.hasError());
        QCOMPARE(octets.startsWith("%PDF-"), fichier.endsWith(".pdf"));
        QCOMPARE(QImage::fromData(octets, "PNG").size(), taille);
    }

    // The SVG is written from the display list: one element a line, one a text, in the
    // lines' colours.
    void svg_un_element_par_element() {
        const liste& l = f->image()->elements_affiches();
        const QByteArray svg = svg_de(scene_de(*f->image()));
        QXmlStreamReader xml(svg);
        bool fond = false;
        int lignes = 0;
        int rouges = 0;
        QStringList textes;
        while (!xml.atEnd()) {
            if (xml.readNext() != QXmlStreamReader::StartElement) {
                continue;
            }
            // The white background first; a line of no length (the poles' parallels)
            // is a square dot.
            if (xml.name() == QLatin1String("rect") && !fond) {
                fond = xml.attributes().value("width") == QLatin1String("689");
            } else if (xml.name() == QLatin1String("polyline") ||
                       xml.name() == QLatin1String("rect")) {
                ++lignes;
            } else if (xml.name() == QLatin1String("g")) {
                rouges += xml.attributes().value("stroke") == QLatin1String("#ff0000") ? 1 : 0;
            } else if (xml.name() == QLatin1String("text")) {
                textes << xml.readElementText(QXmlStreamReader::IncludeChildElements).trimmed();
            }
        }
        QVERIFY(!xml.hasError());
        QVERIFY(fond);
        QCOMPARE(lignes, traits(l));
        QCOMPARE(textes.size(), static_cast<int>(l.size()) - traits(l));
        QVERIFY(textes.contains("périastre") && textes.contains("S"));
        QVERIFY(rouges > 0);
    }

    // A file that cannot be written: nothing is left, the user is told why in French,
    // and nothing else changes. Tests may run as root: a path under a regular file, one
    // under /proc and a full file system refuse even root. The places are in a
    // temporary folder, also the working folder, unless absolute; "plein/" is a file
    // system of 64 KiB with 8 KiB left, less than any of the three formats takes.
    void enregistrement_impossible_data() {
        QTest::addColumn<QString>("lieu");
        QTest::addColumn<int>("filtre");
        QTest::addColumn<QString>("ecrit"); // the name the message gives
        QTest::addColumn<QString>("cause");
        const QString plein = "le disque est plein";
        const QString long_ = "le nom du fichier est trop long";
        const QString sans_nom = "aucun nom de fichier n'a été donné";
        QTest::newRow("sous un fichier") << "fichier/orbite.png" << 0 << ""
                                         << "une partie du chemin n'est pas un dossier";
        QTest::newRow("sous /proc") << "/proc/orbite.pdf" << 0 << ""
                                    << "le dossier n'accepte pas de nouveaux fichiers";
        QTest::newRow("disque plein, PNG") << "plein/orbite.png" << 0 << "" << plein;
        QTest::newRow("disque plein, SVG") << "plein/orbite" << 3 << "plein/orbite.svg" << plein;
        QTest::newRow("disque plein, PDF") << "plein/orbite.pdf" << 4 << "" << plein;
        QTest::newRow("un dossier") << "dossier.png" << 0 << ""
                                    << "c'est un dossier";
        QTest::newRow("un dossier, extension ajoutée") << "dossier" << 0 << "dossier.png"
                                                       << "c'est un dossier";
        QTest::newRow("nom de 256 octets") << QString(252, 'o') + ".png" << 0 << "" << long_;
        QTest::newRow("nom de 300 caractères")
            << QString(296, 'o') << 0 << QString(296, 'o') + ".png" << long_;
        QTest::newRow("nom accentué de 258 octets")
            << QString(127, QChar(0xe9)) + ".svg" << 0 << "" << long_;
        QTest::newRow("nom vide") << "" << 0 << "" << sans_nom;
        QTest::newRow("un dossier sans nom") << "dossier.png/" << 4 << "" << sans_nom;
    }
    void enregistrement_impossible() {
        QFETCH(QString, lieu);
        QFETCH(int, filtre);
        QFETCH(QString, ecrit);
        QFETCH(QString, cause);
        QTemporaryDir dossier;
        QFile(dossier.filePath("fichier")).open(QIODevice::WriteOnly);
        QDir(dossier.path()).mkpath("dossier.png");
        QDir(dossier.path()).mkpath("plein");
        std::optional<tmpfs_de_test> systeme;
        if (lieu.startsWith("plein/")) {
            systeme.emplace(dossier.filePath("plein"));
            if (!systeme->monte()) {
                QSKIP(qPrintable("no tmpfs could be mounted to fill (mounting needs root): " +
                                 systeme->raison()));
            }
            systeme->remplir(8 * 1024);
            QCOMPARE(systeme->libre(), 8 * 1024);
        }
        const QString travail = QDir::currentPath();
        QDir::setCurrent(dossier.path()); // where a name without a folder would go
        auto tout = [](const QString& d) {
            return QDir(d).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
        };
        const QStringList avant = tout(dossier.path());
        const QStringList avant_plein = tout(dossier.filePath("plein"));
        const auto chemin = [&](const QString& nom) {
            return nom.isEmpty() || nom.startsWith('/') ? nom : dossier.filePath(nom);
        };
        const quint64 scene = empreinte(f->image()->elements_affiches());

        const bool ecrite =
            outils->exportation().enregistrer_sous(chemin(lieu), exportateur::filtres()[filtre]);
        QDir::setCurrent(travail);

        QVERIFY(!ecrite);
        QCOMPARE(tout(dossier.path()), avant);
        QCOMPARE(tout(dossier.filePath("plein")), avant_plein);
        QVERIFY(!QFileInfo::exists("/proc/orbite.pdf"));
        if (systeme) {
            QCOMPARE(systeme->libre(), 8 * 1024); // no unnamed remains either
        }
        const QString nomme = chemin(ecrit.isEmpty() ? lieu : ecrit);
        QCOMPARE(messages,
                 QStringList{nomme.isEmpty() ? "L'image n'a pas été enregistrée : " + cause + "."
                                             : "L'image n'a pas été enregistrée dans « " + nomme +
                                                   " » : " + cause + "."});
        QCOMPARE(empreinte(f->image()->elements_affiches()), scene);
        QCOMPARE(evenements, 0);
    }

    // Printing fits the picture to the page with the orbit's elements under it.
    void imprimer() {
        const QString pdftotext = QStandardPaths::findExecutable("pdftotext");
        if (pdftotext.isEmpty()) {
            QSKIP("pdftotext (poppler-utils) is not installed");
        }
        QTemporaryDir dossier;
        outils->exportation().preparer_impression = [&](QPrinter& p) {
            p.setOutputFormat(QPrinter::PdfFormat);
            p.setOutputFileName(dossier.filePath("impression.pdf"));
            return true;
        };
        f->controle<QAction>("menu_imprimer_image")->trigger();
        QProcess texte;
        texte.start(pdftotext, {dossier.filePath("impression.pdf"), "-"});
        QVERIFY(texte.waitForFinished());
        const QString lu = QString::fromUtf8(texte.readAllStandardOutput()).simplified();
        QVERIFY2(lu.contains("Trajectoire elliptique : Za 2 000 km, Zp 300 km, Omega 20°, i 20°, "
                             "omega 10°, anomalie 25° — vue : longitude 20°, latitude 40°, zoom 1"),
                 qPrintable(lu));
        QVERIFY(lu.contains("périastre"));
        QVERIFY(messages.isEmpty());
    }

    // Ctrl+C copies the focused picture, as an image and as SVG; in a box it still
    // copies the box's text.
    void copier() {
        QApplication::clipboard()->clear();
        QApplication::setActiveWindow(f->fenetre.get());
        f->image()->setFocus();
        QTest::keyClick(f->image(), Qt::Key_C, Qt::ControlModifier);
        const QMimeData* copie = QApplication::clipboard()->mimeData();
        QVERIFY(copie != nullptr && copie->hasImage());
        QCOMPARE(qvariant_cast<QImage>(copie->imageData()).size(), QSize(689, 577));
        QVERIFY(copie->data("image/svg+xml").contains("<svg"));

        f->texte("Text1")->setFocus();
        f->texte("Text1")->selectAll();
        QTest::keyClick(f->texte("Text1"), Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(QApplication::clipboard()->text(), QString("2000"));
        QVERIFY(!QApplication::clipboard()->mimeData()->hasImage());
    }

    // Marks: absent at start, drawn after the scene when checked, gone when unchecked.
    // The satellite's disc and chevron are the only filled shapes.
    void marques() {
        const liste depart = f->image()->elements_affiches();
        QCOMPARE(comptes(depart, "P") + comptes(depart, "A") + comptes(depart, "NA"), 0);
        auto formes = [](const liste& l, element_affichage::genre g) {
            return std::count_if(l.begin(), l.end(),
                                 [g](const element_affichage& e) { return e.nature == g; });
        };
        QCOMPARE(formes(depart, element_affichage::genre::disque) +
                     formes(depart, element_affichage::genre::polygone),
                 0);
        f->controle<QAction>("menu_marques_mouvement")->trigger();
        QCOMPARE(evenements, 1);
        const liste& avec = f->image()->elements_affiches();
        QVERIFY(avec.size() > depart.size());
        QVERIFY(std::equal(depart.begin(), depart.end(), avec.begin())); // after the scene
        const liste ajout(avec.begin() + static_cast<std::ptrdiff_t>(depart.size()), avec.end());
        QCOMPARE(comptes(ajout, "P"), 1);
        QCOMPARE(comptes(ajout, "A"), 1);
        QCOMPARE(comptes(ajout, "NA"), 1);
        QCOMPARE(traits(ajout), 2 + 4); // two ticks, the diamond
        QCOMPARE(formes(ajout, element_affichage::genre::disque), 1);
        QCOMPARE(formes(ajout, element_affichage::genre::polygone), 1);
        for (const auto& e : ajout) {
            QVERIFY(e.nature != element_affichage::genre::trait ||
                    e.couleur == couleur_trajectoire);
        }
        // A burn marks the orbit before and the orbit reached, over the marked scene
        // of the orbit reached.
        f->taper("Text8", "20");
        QTest::mouseClick(f->controle<QPushButton>("cmd_tir"), Qt::LeftButton);
        QVERIFY(f->rapports.empty());
        QCOMPARE(comptes(f->image()->elements_affiches(), "NA"), 3);
        f->controle<QAction>("menu_marques_mouvement")->trigger();
        QCOMPARE(comptes(f->image()->elements_affiches(), "NA"), 0);
        f->controle<QPushButton>("Command1")->click(); // "Reset": the start-up scene
        QCOMPARE(empreinte(f->image()->elements_affiches()), empreinte(depart));
    }

private:
    std::unique_ptr<fenetre_de_test> f;
    outils_image* outils = nullptr;
    QStringList messages;
    int evenements = 0;
};
TRAJEL_TEST(TestOutilsImage);

// The picture's painting at 200 %: a width-2 line is 4 device pixels thick with a pure
// core; a dotted line stays dotted, dots a logical pixel long, gaps twice as long.
class TestPeintureNette : public QObject {
    Q_OBJECT
private slots:
    void a_200_pour_cent() {
        surface_enregistree l;
        l.DrawWidth(2);
        l.Line(0.0, 3000.0, 9000.0, 3000.0, 12);
        l.DrawWidth(1);
        l.DrawStyle(style_pointille);
        l.Line(0.0, 6000.0, 9000.0, 6000.0, 0);
        QImage rendu(689 * 2, 577 * 2, QImage::Format_RGB32);
        rendu.setDevicePixelRatio(2);
        rendu.fill(Qt::white);
        QPainter peintre(&rendu);
        peindre_liste(peintre, l.elements(), rendu_image{}, QRectF(0, 0, 689, 577));
        peintre.end();
        int rouges = 0, noirs = 0;
        for (int n = 0; n < 1200; ++n) {
            rouges += rendu.pixel(600, n) == qRgb(255, 0, 0) ? 1 : 0;
            noirs += rendu.pixel(n, 800) == qRgb(0, 0, 0) ? 1 : 0;
        }
        QCOMPARE(rouges, 4);
        QCOMPARE(noirs, 400);
        QCOMPARE(rendu.pixel(0, 800) | rendu.pixel(1, 800), qRgb(0, 0, 0));
        QCOMPARE(rendu.pixel(2, 800) & rendu.pixel(5, 800), qRgb(255, 255, 255));
    }
};
TRAJEL_TEST(TestPeintureNette);

#include "test_outils_image.moc"
