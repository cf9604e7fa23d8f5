#pragma once

#include "core/module1.h"
#include "ui/form1.h"
#include "ui/picture1.h"

#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QScrollBar>
#include <QTest>

#include <memory>
#include <vector>

namespace trajel::test {

// A fresh main window, shown offscreen, with its error reports captured.
struct fenetre_de_test {
    fenetre_de_test() {
        reinitialiser_module1();
        fenetre = std::make_unique<fenetre_principale>();
        fenetre->evenements().definir_rapporteur(
            [this](const erreur_calcul& e) { rapports.push_back(e); });
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

    // Types into a box as a user would: select all, then the keys.
    void taper(const char* nom, const QString& t) const {
        QLineEdit* b = texte(nom);
        b->selectAll();
        if (t.isEmpty()) {
            QTest::keyClick(b, Qt::Key_Delete);
        } else {
            QTest::keyClicks(b, t);
        }
    }

    // Pastes a whole text at once: one change, as a user's paste.
    void coller(const char* nom, const QString& t) const { texte(nom)->setText(t); }

    std::unique_ptr<fenetre_principale> fenetre;
    std::vector<erreur_calcul> rapports;
};

} // namespace trajel::test
