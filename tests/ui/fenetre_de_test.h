#pragma once

#include "core/module1.h"
#include "ui/application/composition.h"
#include "ui/fenetre/form1.h"
#include "ui/image/picture1.h"

#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QScrollBar>
#include <QTest>

#include <memory>
#include <vector>

namespace trajel::test {

// The design names of the thirteen boxes (in the order of zone_texte) and of the eight
// options (in the order of bouton_option).
inline const char* const boites[] = {"Text1",  "Text2",  "Text3", "Text4", "Text5",
                                     "Text6",  "Text7",  "Text8", "Text9", "Text10",
                                     "Text11", "Text12", "Text13"};
inline const char* const options[] = {
    "Option_circulaire", "Option_elliptique", "Option_parabolique", "Option_hyperbolique",
    "Option_RN",         "Option_RH",         "Option_RP",          "Option_tous"};

// Whether the picture marks the satellite.
inline bool s_imprime(const Picture1* image) {
    for (const auto& t : image->textes()) {
        if (t.texte == "S") {
            return true;
        }
    }
    return false;
}

// A fresh main window, shown offscreen, with its error reports captured.
struct fenetre_de_test {
    fenetre_de_test() {
        reinitialiser_module1();
        fenetre = std::make_unique<fenetre_principale>();
        installer_outils(*fenetre);
        // Every error, however shown; the modal ones do not block.
        fenetre->definir_temoin([this](const erreur_calcul& e, bool modal) {
            rapports.push_back(e);
            (modal ? modaux : non_modaux).push_back(e);
        });
        fenetre->definir_boite_de_message([](const erreur_calcul&) {});
        fenetre->show();
    }
    ~fenetre_de_test() {
        fenetre.reset();
        reinitialiser_module1();
    }

    template <typename T> T* controle(const char* nom) const {
        T* c = fenetre->findChild<T*>(QString::fromLatin1(nom));
        if (c == nullptr) {
            qFatal("no control named %s", nom);
        }
        return c;
    }
    QLineEdit* texte(const char* nom) const { return controle<QLineEdit>(nom); }
    QRadioButton* option(const char* nom) const { return controle<QRadioButton>(nom); }
    QString legende(const char* nom) const { return controle<QLabel>(nom)->text(); }
    Picture1* image() const { return controle<Picture1>("Picture1"); }

    // Types into a box as a user would: select all, then the keys. Printable ASCII, the
    // tab, backspace, return and escape are their keys; a character with no key of its
    // own ("٣", "∞", "é") comes as an input method sends it: an unknown key carrying the
    // character, a surrogate pair whole.
    void taper(const char* nom, const QString& t) const {
        QLineEdit* b = texte(nom);
        b->selectAll();
        if (t.isEmpty()) {
            QTest::keyClick(b, Qt::Key_Delete);
        }
        for (qsizetype k = 0; k < t.size(); ++k) {
            const char16_t c = t[k].unicode();
            if ((c >= 0x20 && c < 0x7F) || c == u'\t' || c == u'\b' || c == u'\r' || c == 0x1B) {
                QTest::keyClick(b, static_cast<char>(c));
                continue;
            }
            const qsizetype n = t[k].isHighSurrogate() && k + 1 < t.size() ? 2 : 1;
            QTest::sendKeyEvent(QTest::Click, b, Qt::Key_unknown, t.mid(k, n), Qt::NoModifier);
            k += n - 1;
        }
    }

    // Pastes a whole text at once: one change, as a user's paste.
    void coller(const char* nom, const QString& t) const { texte(nom)->setText(t); }

    std::unique_ptr<fenetre_principale> fenetre;
    // Commits the edit of a box as the user does, with Enter.
    void valider(const char* nom) const { QTest::keyClick(texte(nom), Qt::Key_Return); }
    QLabel* bandeau() const { return controle<QLabel>("bandeau_erreur"); }

    std::vector<erreur_calcul> rapports;
    std::vector<erreur_calcul> modaux;
    std::vector<erreur_calcul> non_modaux;
};

// "Text2=36000|Text4=7|Option_circulaire": each box pasted and committed, each option
// clicked, in order.
inline void saisir(const fenetre_de_test& f, const QString& saisies) {
    for (const QString& s : saisies.split('|', Qt::SkipEmptyParts)) {
        if (s.startsWith("Option")) {
            f.option(qPrintable(s))->click();
            continue;
        }
        f.coller(qPrintable(s.section('=', 0, 0)), s.section('=', 1));
        f.valider(qPrintable(s.section('=', 0, 0)));
    }
}

// The widget drawn to a PNG when TRAJEL_CAPTURES names a folder (to look at it).
inline void capturer(QWidget* w, const QString& nom) {
    const QString dossier = qEnvironmentVariable("TRAJEL_CAPTURES");
    if (!dossier.isEmpty()) {
        QCoreApplication::processEvents(); // the layouts asked for are laid out
        w->grab().save(dossier + QLatin1Char('/') + nom + QStringLiteral(".png"));
    }
}

} // namespace trajel::test
