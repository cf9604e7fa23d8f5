#include "ui/outils/guide.h"

#include "ui/poste/poste.h"

#include <QAction>
#include <QHBoxLayout>
#include <QMenu>
#include <QPushButton>
#include <QTextBrowser>
#include <QVBoxLayout>

#include <algorithm>

namespace trajel {

fenetre_guide::fenetre_guide(poste_de_travail& principale)
    : QWidget(&principale.widget(), Qt::Window), fenetre_outil(*this, principale, memoire::aucune) {
    setObjectName(QStringLiteral("fenetre_guide"));
    setWindowTitle(QStringLiteral("Guide de Trajel"));

    navigateur_ = new QTextBrowser(this);
    navigateur_->setObjectName(QStringLiteral("navigateur_guide"));
    navigateur_->setOpenLinks(true);
    navigateur_->setToolTip(QStringLiteral("Le guide : les liens mènent d'une page à l'autre"));
    navigateur_->setSource(sommaire());

    auto bouton = [this](const QString& texte, const char* nom, const QString& bulle) {
        auto* b = new QPushButton(texte, this);
        b->setObjectName(QString::fromLatin1(nom));
        b->setToolTip(bulle);
        b->setAutoDefault(false);
        return b;
    };
    QPushButton* retour = bouton(QStringLiteral("&Retour"), "bouton_retour_guide",
                                 QStringLiteral("Revient à la page lue avant (Alt+Gauche)"));
    QPushButton* accueil = bouton(QStringLiteral("&Sommaire"), "bouton_sommaire_guide",
                                  QStringLiteral("Revient au sommaire du guide"));
    QPushButton* fermer =
        bouton(QStringLiteral("&Fermer"), "bouton_fermer_guide", QStringLiteral("Ferme le guide"));
    retour->setEnabled(false);
    connect(navigateur_, &QTextBrowser::backwardAvailable, retour, &QWidget::setEnabled);
    connect(retour, &QPushButton::clicked, navigateur_, &QTextBrowser::backward);
    connect(accueil, &QPushButton::clicked, navigateur_, &QTextBrowser::home);
    connect(fermer, &QPushButton::clicked, this, &QWidget::close);

    auto* boutons = new QHBoxLayout;
    boutons->addWidget(retour);
    boutons->addWidget(accueil);
    boutons->addStretch();
    boutons->addWidget(fermer);
    auto* disposition = new QVBoxLayout(this);
    disposition->addWidget(navigateur_);
    disposition->addLayout(boutons);

    // About 80 characters by 40 lines of the guide's text.
    const QFontMetrics m(navigateur_->font());
    resize(m.horizontalAdvance(QLatin1Char('x')) * 90, m.lineSpacing() * 40);
}

QSize fenetre_guide::taille_minimale() const {
    const QFontMetrics m(navigateur_->font());
    return {m.horizontalAdvance(QLatin1Char('x')) * 45, m.lineSpacing() * 16};
}

QUrl fenetre_guide::sommaire() {
    return QUrl(QStringLiteral("qrc:/guide/index.html"));
}

void ajouter_guide(poste_de_travail& principale) {
    QMenu* menu = principale.menu_outils();
    QAction* action = new QAction(QStringLiteral("&Guide de Trajel"), menu);
    action->setObjectName(QStringLiteral("menu_guide"));
    action->setShortcut(QKeySequence(Qt::Key_F1));
    action->setShortcutContext(Qt::ApplicationShortcut);
    if (!menu->isEmpty()) {
        menu->addSeparator();
    }
    menu->addAction(action);
    montrer_a_la_demande<fenetre_guide>(*action, principale.widget(),
                                        [&principale] { return new fenetre_guide(principale); });
}

} // namespace trajel
