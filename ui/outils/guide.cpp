#include "ui/outils/guide.h"

#include "ecran/placement.h"
#include "ui/poste/poste.h"

#include <QAction>
#include <QHBoxLayout>
#include <QMenu>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QTextBrowser>
#include <QVBoxLayout>

#include <algorithm>
#include <memory>

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

// Opened beside the main window, on its right, narrowed to the room there rather than
// over the controls, as long as a line keeps some 45 characters.
void fenetre_guide::placer() {
    const QWidget& parent = principale_.widget();
    const QRect principale = parent.frameGeometry();
    if (const QScreen* ecran = parent.screen()) {
        const int place = ecran->availableGeometry().right() - principale.right() - 16;
        const int minimum = fontMetrics().horizontalAdvance(QLatin1Char('x')) * 45;
        resize(std::clamp(place, minimum, width()),
               std::min(height(), ecran->availableGeometry().height()));
    }
    placer_dans_l_ecran(*this, parent, QPoint(principale.right() + 8, principale.top()));
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
    // Made when first asked for.
    auto guide = std::make_shared<QPointer<fenetre_guide>>();
    QObject::connect(action, &QAction::triggered, &principale.widget(), [&principale, guide] {
        if (guide->isNull()) {
            *guide = new fenetre_guide(principale);
        }
        (*guide)->montrer();
    });
}

} // namespace trajel
