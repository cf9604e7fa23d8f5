#include "about/faux_registre.h"
#include "about/frmabout.h"
#include "about/icone.h"
#include "commun/principal.h"
#include "core/surface.h"

#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QSet>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <filesystem>
#include <fstream>

using namespace trajel;

namespace {

const QString description = QString::fromUtf8(
    "Cet outil permet la visualisation d'orbites en 3 dimensions. La projection utilisée pour "
    "l'affichage est de type parallèle (pas d'effet de perspective). L'application autorise la "
    "simulation de contrôle d'orbite(Intégration des équations du mouvement par RUNGE KUTTA "
    "d'ordre 4) ");

// Deletes what close() left for the event loop to delete.
void supprimer_les_fermes() {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

} // namespace

class TestFrmAbout : public QObject {
    Q_OBJECT

    QWidget* principale_ = nullptr;
    faux_registre* base_ = nullptr;
    faux_lanceur* poste_ = nullptr;

    frmAbout* ouvrir() {
        frmAbout::afficher(principale_);
        frmAbout* boite = frmAbout::ouvert();
        if (boite != nullptr && !QTest::qWaitForWindowExposed(boite)) {
            qWarning("about box not exposed");
        }
        return boite;
    }
    QList<frmAbout*> boites() const { return principale_->findChildren<frmAbout*>(); }
    // The design's pixels are those of a 96 dpi screen (15 twips a pixel).
    static bool a_96_dpi(const QWidget* w) {
        return w->screen()->logicalDotsPerInchX() == 96.0 &&
               w->screen()->logicalDotsPerInchY() == 96.0;
    }

private slots:
    void init() {
        principale_ = new QWidget;
        principale_->setObjectName("Form1");
        principale_->resize(400, 300);
        principale_->show();
        QVERIFY(QTest::qWaitForWindowExposed(principale_));
        base_ = new faux_registre;
        poste_ = new faux_lanceur;
        frmAbout::brancher(base_, poste_);
    }
    void cleanup() {
        if (frmAbout* boite = frmAbout::ouvert()) {
            boite->close();
        }
        supprimer_les_fermes();
        delete principale_;
        frmAbout::brancher(nullptr, nullptr);
        delete base_;
        delete poste_;
    }

    void legendes_apres_chargement() {
        frmAbout* boite = ouvrir();
        QVERIFY(boite != nullptr);
        QCOMPARE(boite->objectName(), QString("frmAbout"));
        QCOMPARE(boite->windowTitle(), QString("About Trajel"));
        QCOMPARE(boite->findChild<QLabel*>("lblTitle")->text(), QString("Trajel"));
        QCOMPARE(boite->findChild<QLabel*>("lblVersion")->text(), QString("Version 1.0.0"));
        QCOMPARE(boite->findChild<QLabel*>("lblDescription")->text(), description);
        QCOMPARE(boite->findChild<QPushButton*>("cmdOK")->text(), QString("OK"));
        QCOMPARE(boite->findChild<QPushButton*>("cmdSysInfo")->text(), QString("&System Info..."));
        const QString credit = boite->findChild<QLabel*>("lblDisclaimer")->text();
        QVERIFY(!credit.trimmed().isEmpty());
        for (const char* nom : {"lblDescription", "lblDisclaimer"}) {
            QCOMPARE(boite->findChild<QLabel*>(nom)->palette().color(QPalette::WindowText),
                     QColor(Qt::black));
        }
        QVERIFY(boite->findChild<QPushButton*>("cmdOK")->isDefault());
    }

    void textes_entiers_dans_leur_cadre_data() {
        QTest::addColumn<QString>("nom");
        for (const char* nom : {"lblTitle", "lblVersion", "lblDescription", "lblDisclaimer"}) {
            QTest::newRow(nom) << nom;
        }
    }
    void textes_entiers_dans_leur_cadre() {
        QFETCH(QString, nom);
        frmAbout* boite = ouvrir();
        const QLabel* label = boite->findChild<QLabel*>(nom);
        const QRect requis = label->fontMetrics().boundingRect(
            QRect(0, 0, label->width(), 100000), Qt::TextWordWrap | Qt::AlignLeft, label->text());
        QVERIFY2(requis.height() <= label->height() && requis.width() <= label->width(),
                 qPrintable(QString("%1 px of %2").arg(requis.height()).arg(label->height())));
    }

    void geometrie_data() {
        QTest::addColumn<QString>("nom");
        QTest::addColumn<QRect>("pixels"); // at 96 dpi: the design's twips / 15, rounded
        QTest::newRow("picIcon") << "picIcon" << QRect(16, 16, 36, 36);
        QTest::newRow("lblTitle") << "lblTitle" << QRect(70, 16, 259, 32);
        QTest::newRow("lblVersion") << "lblVersion" << QRect(70, 52, 259, 15);
        QTest::newRow("lblDescription") << "lblDescription" << QRect(70, 75, 259, 78);
        QTest::newRow("lblDisclaimer") << "lblDisclaimer" << QRect(17, 175, 258, 55);
        QTest::newRow("cmdOK") << "cmdOK" << QRect(283, 175, 84, 23);
        QTest::newRow("cmdSysInfo") << "cmdSysInfo" << QRect(284, 205, 83, 23);
    }
    void geometrie() {
        QFETCH(QString, nom);
        QFETCH(QRect, pixels);
        frmAbout* boite = ouvrir();
        if (!a_96_dpi(boite)) {
            QSKIP("the expected pixels are those of a 96 dpi screen");
        }
        const QWidget* controle = boite->findChild<QWidget*>(nom);
        QVERIFY(controle != nullptr);
        QCOMPARE(controle->parentWidget(), boite);
        QCOMPARE(controle->geometry(), pixels);
        QVERIFY(controle->isVisible());
    }

    void zone_client_fixe() {
        frmAbout* boite = ouvrir();
        QCOMPARE(boite->size(), boite->minimumSize());
        QCOMPARE(boite->size(), boite->maximumSize());
        if (a_96_dpi(boite)) {
            QCOMPARE(boite->size(), QSize(382, 237)); // 5730 x 3555 twips
        }
        const Qt::WindowFlags drapeaux = boite->windowFlags();
        QVERIFY(!(drapeaux & Qt::WindowMinimizeButtonHint));
        QVERIFY(!(drapeaux & Qt::WindowMaximizeButtonHint));
        QVERIFY(drapeaux & Qt::WindowTitleHint);
        QVERIFY(!boite->isSizeGripEnabled());
    }

    void separateur_grave() {
        frmAbout* boite = ouvrir();
        const QList<ligne*> lignes = boite->findChildren<ligne*>("Line1");
        QCOMPARE(lignes.size(), 2);
        QMap<int, ligne*> par_index;
        for (ligne* l : lignes) {
            par_index.insert(l->property("index").toInt(), l);
        }
        QCOMPARE(par_index.keys(), (QList<int>{0, 1}));
        const ligne* gris = par_index[1];
        const ligne* blanc = par_index[0];
        QCOMPARE(gris->couleur(), QColor(128, 128, 128));
        QCOMPARE(blanc->couleur(), QColor(255, 255, 255));
        QCOMPARE(gris->height(), 1);
        QCOMPARE(blanc->height(), 2);
        QVERIFY(blanc->y() > gris->y());
        if (a_96_dpi(boite)) {
            // index 1: (90, 2445) to (5654, 2445); index 0: (105, 2460) to (5654, 2460)
            QCOMPARE(gris->geometry(), QRect(6, 163, 371, 1));
            QCOMPARE(blanc->geometry(), QRect(7, 164, 370, 2));
        }
    }

    void icone() {
        const QImage image = image_icone().toImage();
        QCOMPARE(image.size(), QSize(32, 32));
        QSet<QRgb> standard;
        for (std::int16_t n = 0; n < 16; ++n) {
            const couleur_rgb c = palette(n);
            standard.insert(qRgb(c.r, c.g, c.b));
        }
        QSet<QRgb> utilisees;
        int transparents = 0;
        for (int y = 0; y < 32; ++y) {
            for (int x = 0; x < 32; ++x) {
                const QRgb p = image.pixel(x, y);
                if (qAlpha(p) == 0) {
                    ++transparents;
                    continue;
                }
                QCOMPARE(qAlpha(p), 255);
                QVERIFY2(standard.contains(p), qPrintable(QString::number(p, 16)));
                utilisees.insert(p);
            }
        }
        QVERIFY(transparents > 0 && transparents < 32 * 32);
        QVERIFY(utilisees.size() >= 4);
        QCOMPARE(icone_programme().pixmap(32, 32).toImage().convertToFormat(image.format()), image);

        frmAbout* boite = ouvrir();
        const QLabel* picIcon = boite->findChild<QLabel*>("picIcon");
        QVERIFY(!picIcon->pixmap().isNull());
        if (boite->screen()->logicalDotsPerInchX() == 96.0) {
            QCOMPARE(picIcon->pixmap().toImage().convertToFormat(image.format()), image);
        }
    }

    void fermeture_data() {
        QTest::addColumn<int>("touche"); // 0: a click on OK
        QTest::newRow("OK") << 0;
        QTest::newRow("Entrée") << int(Qt::Key_Return);
        QTest::newRow("Entrée du pavé") << int(Qt::Key_Enter);
        QTest::newRow("Échap") << int(Qt::Key_Escape);
    }
    void fermeture() {
        QFETCH(int, touche);
        QPointer<frmAbout> boite = ouvrir();
        QVERIFY(boite != nullptr);
        QVERIFY(boite->isVisible());
        if (touche == 0) {
            QTest::mouseClick(boite->findChild<QPushButton*>("cmdOK"), Qt::LeftButton);
        } else {
            QTest::keyClick(boite.data(), Qt::Key(touche));
        }
        QVERIFY(frmAbout::ouvert() == nullptr);
        QVERIFY(boite.isNull() || !boite->isVisible());
        supprimer_les_fermes();
        QVERIFY(boite.isNull()); // unloaded, not merely hidden
        QVERIFY(boites().isEmpty());
        QVERIFY(poste_->tentatives.empty());
    }

    void une_seule_boite() {
        frmAbout* premiere = ouvrir();
        QVERIFY(!premiere->isModal());
        QVERIFY(QApplication::activeModalWidget() == nullptr);
        // The main window comes forward, then the menu asks again.
        principale_->activateWindow();
        QTRY_VERIFY(principale_->isActiveWindow());
        frmAbout* seconde = ouvrir();
        QCOMPARE(seconde, premiere);
        QCOMPARE(boites().size(), 1);
        QTRY_VERIFY(premiere->isActiveWindow());
    }

    void chargee_de_nouveau_apres_fermeture() {
        QPointer<frmAbout> premiere = ouvrir();
        premiere->setWindowTitle("A propos");
        premiere->findChild<QLabel*>("lblVersion")->clear();
        QTest::keyClick(premiere.data(), Qt::Key_Escape);
        // Asked again before the closed box is deleted: a new box all the same.
        frmAbout* seconde = ouvrir();
        QVERIFY(seconde != nullptr);
        QVERIFY(seconde != premiere.data());
        supprimer_les_fermes();
        QVERIFY(premiere.isNull());
        QCOMPARE(boites(), QList<frmAbout*>{seconde});
        QVERIFY(seconde->isVisible());
        QCOMPARE(seconde->windowTitle(), QString("About Trajel"));
        QCOMPARE(seconde->findChild<QLabel*>("lblVersion")->text(), QString("Version 1.0.0"));
    }

    void information_systeme_data() {
        QTest::addColumn<bool>("premiere");
        QTest::addColumn<bool>("par_touche"); // Alt+S rather than a click
        QTest::newRow("outil trouvé, clic") << true << false;
        QTest::newRow("outil trouvé, Alt+S") << true << true;
        QTest::newRow("aucun outil, clic") << false << false;
        QTest::newRow("aucun outil, Alt+S") << false << true;
    }
    void information_systeme() {
        QFETCH(bool, premiere);
        QFETCH(bool, par_touche);
        const std::string outil = "C:\\WINDOWS\\msinfo32.exe";
        if (premiere) {
            base_->chaine("SOFTWARE\\Microsoft\\Shared Tools\\MSINFO", "PATH", outil);
            poste_->programmes.insert(outil);
        }
        frmAbout* boite = ouvrir();
        if (par_touche) {
            // Through the window, as the platform delivers it, for the shortcut to be seen.
            QTRY_VERIFY(boite->isActiveWindow());
            QTest::keyClick(boite->windowHandle(), Qt::Key_S, Qt::AltModifier);
            // An access key presses the button as a click would, a moment later.
            QTRY_COMPARE(poste_->tentatives.size() + poste_->messages.size(), std::size_t(1));
        } else {
            QTest::mouseClick(boite->findChild<QPushButton*>("cmdSysInfo"), Qt::LeftButton);
        }
        if (premiere) {
            QCOMPARE(poste_->demarres, std::vector<std::string>{outil});
            QVERIFY(poste_->messages.empty());
        } else {
            QVERIFY(poste_->tentatives.empty());
            QCOMPARE(poste_->messages,
                     std::vector<std::string>{"System Information Is Unavailable At This Time"});
        }
        QCOMPARE(base_->cles_ouvertes(), std::size_t(0));
        // The box stays open.
        QCOMPARE(frmAbout::ouvert(), boite);
        QVERIFY(boite->isVisible());
    }

#ifndef _WIN32
    // The whole path of this system: the stand-in registry finds a tool in the search
    // path and lanceur_qt starts it, detached.
    void outil_du_poste_demarre() {
        QTemporaryDir dossier;
        QVERIFY(dossier.isValid());
        const std::filesystem::path d = dossier.path().toStdString();
        const std::filesystem::path outil = d / "hardinfo";
        const std::filesystem::path marque = d / "demarre";
        std::ofstream(outil) << "#!/bin/sh\ntouch '" << marque.string() << "'\n";
        std::filesystem::permissions(outil, std::filesystem::perms(0755));

        registre_substitut base(d.string(), {"hardinfo"});
        lanceur_qt poste;
        QStringList messages;
        poste.montrer = [&](const QString&, const QString& texte) { messages << texte; };
        frmAbout::brancher(&base, &poste);

        frmAbout* boite = ouvrir();
        QTest::mouseClick(boite->findChild<QPushButton*>("cmdSysInfo"), Qt::LeftButton);
        QTRY_VERIFY(std::filesystem::exists(marque));
        QVERIFY(messages.isEmpty());
        QVERIFY(boite->isVisible());
    }

    void aucun_outil_sur_le_poste() {
        QTemporaryDir dossier;
        QVERIFY(dossier.isValid());
        registre_substitut base(dossier.path().toStdString(), {"hardinfo", "kinfocenter"});
        lanceur_qt poste;
        QStringList titres;
        QStringList messages;
        poste.montrer = [&](const QString& titre, const QString& texte) {
            titres << titre;
            messages << texte;
        };
        frmAbout::brancher(&base, &poste);
        frmAbout* boite = ouvrir();
        QTest::mouseClick(boite->findChild<QPushButton*>("cmdSysInfo"), Qt::LeftButton);
        QCOMPARE(titres, QStringList{"Trajel"});
        QCOMPARE(messages, QStringList{"System Information Is Unavailable At This Time"});
        QVERIFY(boite->isVisible());
    }
#endif

    void lanceur_qt_demarrage_impossible() {
        QTemporaryDir dossier;
        QVERIFY(dossier.isValid());
        lanceur_qt poste;
        QVERIFY(!poste.demarrer(""));
        QVERIFY(!poste.demarrer((dossier.path() + "/absent").toStdString()));
        QVERIFY(!poste.fichier_existe(dossier.path().toStdString())); // a folder, not a file
        QVERIFY(!poste.fichier_existe(""));
    }

    // The default message: a modal box titled "Trajel" with an OK button only.
    void boite_de_message_modale() {
        QString titre;
        QString texte;
        QList<QAbstractButton*> boutons;
        bool vue = false;
        QTimer::singleShot(0, [&] {
            QMessageBox* boite = nullptr;
            for (QWidget* fenetre : QApplication::topLevelWidgets()) {
                if (auto* b = qobject_cast<QMessageBox*>(fenetre); b && b->isVisible()) {
                    boite = b;
                }
            }
            if (boite == nullptr) {
                return;
            }
            vue = boite->isModal();
            titre = boite->windowTitle();
            texte = boite->text();
            boutons = boite->buttons();
            boite->button(QMessageBox::Ok)->click();
        });
        lanceur_qt poste;
        poste.message("System Information Is Unavailable At This Time");
        QVERIFY(vue);
        QCOMPARE(titre, QString("Trajel"));
        QCOMPARE(texte, QString("System Information Is Unavailable At This Time"));
        QCOMPARE(boutons.size(), 1);
    }
};
TRAJEL_TEST(TestFrmAbout);

#include "test_frmabout.moc"
