#include "ui/fenetre/form1.h"

#include "core/module1.h"
#include "core/regles.h"
#include "core/trajectoire.h"
#include "ecran/twips.h"
#include "manoeuvre/tir.h"
#include "render/continents.h"
#include "render/fantomes.h"
#include "render/marques.h"
#include "render/scene.h"
#include "ui/fenetre/boite_lisible.h"
#include "ui/fenetre/bulles_aide.h"
#include "ui/fenetre/plan_form1.h"
#include "ui/image/picture1.h"

#include <QApplication>
#include <QFontDatabase>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QWindow>

#include <cstdlib>
#include <utility>
#include <vector>

namespace trajel {

namespace {

using placement = fenetre_principale::placement;
using namespace plan_form1;

// "MS Sans Serif" 8.25 pt where the system has it; elsewhere "Arial" (Liberation
// Sans, of the same metrics), rather than whatever the font matcher substitutes. The
// family is looked up by its installed name: hasFamily would first run fontconfig's
// substitution rules on it, twice, before the first frame.
QFont police_controles() {
    const QString famille =
        QFontDatabase::families().contains(QStringLiteral("MS Sans Serif"), Qt::CaseInsensitive)
            ? QStringLiteral("MS Sans Serif")
            : QStringLiteral("Arial");
    QFont police(famille);
    police.setPointSizeF(8.25);
    if (famille != QLatin1String("MS Sans Serif")) {
        police.setStretch(92); // the stand-in is a little wider than the bitmap font
    }
    return police;
}

void ordonner_tabulation(const QWidget& fenetre) {
    QWidget* precedent = nullptr;
    for (const char* nom : ordre_tabulation) {
        auto* controle = fenetre.findChild<QWidget*>(QString::fromLatin1(nom));
        if (precedent != nullptr) {
            QWidget::setTabOrder(precedent, controle);
        }
        precedent = controle;
    }
}

} // namespace

fenetre_principale::fenetre_principale(QWidget* parent) : QMainWindow(parent) {
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("Calcul d'orbite"));
    creer_controles();
    creer_menus();
    relier_evenements();
    ordonner_tabulation(*this);
    poser_bulles_fenetre_principale(*this);
    adjustSize();
    setFixedSize(size()); // the layout is fixed

    evenements_.definir_fin_d_evenement([this](bool reussi) {
        // The picture keeps the last complete scene; the error strip stays until a full
        // redraw succeeds.
        const std::uint64_t redessins = nombre_rafraichissements_complets();
        if (reussi) {
            Picture1_->valider_affichage();
            if (redessins != redessins_au_debut_) {
                saisie_->effacer_bandeau();
            }
        } else {
            Picture1_->annuler_affichage();
        }
        redessins_au_debut_ = redessins;
        accorder_Text1();
        poser_bulles_du_modele(*this, terre_active_);
        annonceur_.terminer(reussi);
    });
    connect(&annonceur_, &annonceur_evenements::etat_restitue, this,
            [this] { poser_bulles_du_modele(*this, terre_active_); });
    evenements_.definir_rapporteur([this](const erreur_calcul& e) { saisie_->rapporter(e); });
    // The display options the tools set start off, as their items start unchecked.
    marques_du_mouvement = false;
    continents_sur_le_globe = false;
    orbites_precedentes = false;
    Form1 = this;
}

fenetre_principale::~fenetre_principale() {
    // The controls are destroyed after this body; a box losing the focus then would
    // commit its edit into a half-destroyed window. Nothing of theirs reaches it now.
    saisie_->fermer();
    disconnect(qApp, nullptr, this, nullptr);
    for (QObject* enfant : findChildren<QObject*>()) {
        disconnect(enfant, nullptr, this, nullptr);
    }
    if (Form1 == this) {
        Form1 = nullptr;
    }
}

void fenetre_principale::placer(QWidget* controle, int gauche, int haut, int largeur,
                                int hauteur) const {
    controle->setGeometry(echelle_twips::de(this).rectangle(gauche, haut, largeur, hauteur));
}

// The parent of a design control: the background, or the frame it is named after.
QWidget* fenetre_principale::conteneur(const char* nom) const {
    return nom == nullptr ? fond_ : fond_->findChild<QWidget*>(QString::fromLatin1(nom));
}

// A design control at its place, under its design name.
void fenetre_principale::poser(QWidget* controle, const placement& p) const {
    controle->setObjectName(QString::fromLatin1(p.nom));
    placer(controle, p.gauche, p.haut, p.largeur, p.hauteur);
}

// In the design's order, which is the order of the controls' stacking and focus.
void fenetre_principale::creer_controles() {
    fond_ = new QWidget(this);
    fond_->setObjectName(QStringLiteral("fond"));
    fond_->setFont(police_controles());
    const echelle_twips e = echelle_twips::de(this);
    fond_->setFixedSize(e.x(14415), e.y(9675));
    setCentralWidget(fond_);

    for (const placement& p : cadres) {
        poser(new QGroupBox(QString::fromUtf8(p.texte), conteneur(p.conteneur)), p);
    }
    Picture1_ = new trajel::Picture1(fond_);
    placer(Picture1_, 240, 120, 10335, 8655);
    // The typing's bookkeeping, with the strip that tells, over the bottom of the
    // picture, what the typing could not compute.
    saisie_ = new saisie_utilisateur(
        *this, evenements_, [this](zone_texte zone) { return boite(zone); }, fond_,
        Picture1_->geometry(), e.y(600));
    creer_barres();
    creer_boites_et_options();
    creer_etiquettes_et_boutons();
}

void fenetre_principale::creer_barres() {
    VScroll1 = new QScrollBar(Qt::Vertical, fond_);
    VScroll1->setObjectName(QStringLiteral("VScroll1"));
    placer(VScroll1, 10680, 1800, 255, 6975);
    VScroll1->setRange(-90, 90);
    VScroll1->setValue(-vue_d_ouverture::latitude);
    HScroll1 = new QScrollBar(Qt::Horizontal, fond_);
    HScroll1->setObjectName(QStringLiteral("HScroll1"));
    placer(HScroll1, 240, 8880, 8175, 255);
    HScroll1->setRange(-180, 180);
    HScroll1->setValue(vue_d_ouverture::longitude);
    for (QScrollBar* barre : {VScroll1, HScroll1}) {
        barre->setSingleStep(1);
        barre->setPageStep(1);
        barre->setTracking(false); // no change while the thumb is dragged
    }
}

void fenetre_principale::creer_boites_et_options() {
    for (std::size_t i = 0; i < std::size(textes); ++i) {
        const placement& p = textes[i];
        Text[i] = new boite_lisible(QString::fromUtf8(p.texte), conteneur(p.conteneur));
        poser(Text[i], p);
    }
    for (std::size_t i = 0; i < std::size(options); ++i) {
        const placement& p = options[i];
        Options[i] = new QRadioButton(QString::fromUtf8(p.texte), conteneur(p.conteneur));
        poser(Options[i], p);
        Options[i]->setChecked(options_d_ouverture[i]);
    }
}

void fenetre_principale::creer_etiquettes_et_boutons() {
    for (const placement& p : etiquettes) {
        auto* etiquette = new QLabel(QString::fromUtf8(p.texte), conteneur(p.conteneur));
        poser(etiquette, p);
        etiquette->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        etiquette->setWordWrap(p.hauteur > 255); // only the two-line label wraps
    }
    Label1 = fond_->findChild<QLabel*>(QStringLiteral("Label1"));
    Label2 = fond_->findChild<QLabel*>(QStringLiteral("Label2"));
    Label6 = fond_->findChild<QLabel*>(QStringLiteral("Label6"));
    Label_debit = fond_->findChild<QLabel*>(QStringLiteral("Label_debit"));

    QPushButton** cibles[] = {&Command1, &cmd_tir, &Command4, &Command5};
    for (std::size_t i = 0; i < std::size(boutons); ++i) {
        const placement& p = boutons[i];
        auto* bouton = new QPushButton(QString::fromUtf8(p.texte), conteneur(p.conteneur));
        poser(bouton, p);
        bouton->setAutoDefault(false);
        *cibles[i] = bouton;
    }
    QFont gras = police_controles();
    gras.setBold(true);
    gras.setUnderline(true);
    cmd_tir->setFont(gras);
}

void fenetre_principale::creer_menus() {
    using gestionnaire = void (fenetre_principale::*)();
    // An item; with a handler, choosing it runs that handler as a user event.
    auto action = [this](QMenu* menu, const char* nom, const char* legende,
                         gestionnaire g = nullptr) {
        QAction* a = menu->addAction(QString::fromUtf8(legende));
        a->setObjectName(QString::fromLatin1(nom));
        if (g != nullptr) {
            connect(a, &QAction::triggered, this,
                    [this, g, a] { evenement_utilisateur(a, [this, g] { (this->*g)(); }); });
        }
        return a;
    };
    auto sous_menu = [](auto* parent, const char* nom, const char* legende) {
        QMenu* m = parent->addMenu(QString::fromUtf8(legende));
        m->setObjectName(QString::fromLatin1(nom));
        m->menuAction()->setObjectName(QString::fromLatin1(nom));
        return m;
    };

    QMenu* menu = sous_menu(menuBar(), "menu", "Au menu");
    QMenu* depart = sous_menu(menu, "menu_orb_dep", "Orbites de départ");
    QMenu* kourou = sous_menu(depart, "menu_kourou", "Orbite tir KOUROU (plein est)");
    action(kourou, "menu_kourou_circulaire", "Circulaire",
           &fenetre_principale::menu_kourou_circulaire_Click);
    action(kourou, "menu_GTO_IV", "GTO Ariane IV", &fenetre_principale::menu_GTO_IV_Click);
    action(kourou, "menu_GTO_V", "GTO Ariane V", &fenetre_principale::menu_GTO_V_Click);
    QMenu* baikonour = sous_menu(depart, "menu_baikonour", "Orbite tir BAIKONOUR (plein est)");
    action(baikonour, "menu_baikonour_circulaire", "Circulaire",
           &fenetre_principale::menu_baikonour_circulaire_Click);
    QMenu* canaveral = sous_menu(depart, "menu_canaveral", "Orbite tir CAP CANAVERAL");
    action(canaveral, "menu_canaveral_circulaire", "Circulaire",
           &fenetre_principale::menu_canaveral_circulaire_Click);

    action(menu, "menu_libre", "Manoeuvre libre"); // does nothing
    QMenu* types = sous_menu(menu, "Menu_man_type", "Manoeuvres type");
    QMenu* terre = sous_menu(types, "menu_terre", "circum terrestre");
    action(terre, "menu_hohmann", "transfert de type HOHMANN");
    action(terre, "menu_modif_periastre", "modification de l'argument du périastre");
    action(terre, "menu_modif_inclinaison", "modification de l'inclinaison");
    QMenu* lune = sous_menu(types, "menu_lunaire", "circum lunaire");
    action(lune, "menu_circularisation", "circularisation ");
    action(lune, "menu_allunissage", "allunissage");
    types->menuAction()->setEnabled(false); // nothing under it can be reached
    action(menu, "menu_swing_by", "Tremplin gravifique")->setEnabled(false);
    action(menu, "menu_quitter", "quitter", &fenetre_principale::menu_quitter_Click);

    menu_outils_ = sous_menu(menuBar(), "menu_outils", "Outils"); // filled by the tools

    QMenu* apropos = sous_menu(menuBar(), "menu_apropos", "A propos");
    action(apropos, "menu_aide", "Aide ")->setEnabled(false);
    action(apropos, "menu_abstract", "Abstract", &fenetre_principale::menu_abstract_Click);
}

void fenetre_principale::relier_evenements() {
    using gestionnaire = void (fenetre_principale::*)();
    auto relier = [this](auto* emetteur, auto signal, gestionnaire g) {
        connect(emetteur, signal, this, [this, g, emetteur] {
            evenement_utilisateur(emetteur, [this, g] { (this->*g)(); });
        });
    };
    relier(Command1, &QPushButton::clicked, &fenetre_principale::Command1_Click);
    relier(Command4, &QPushButton::clicked, &fenetre_principale::Command4_Click);
    relier(Command5, &QPushButton::clicked, &fenetre_principale::Command5_Click);
    relier(cmd_tir, &QPushButton::clicked, &fenetre_principale::cmd_tir_Click);
    relier(HScroll1, &QScrollBar::valueChanged, &fenetre_principale::HScroll1_Change);
    relier(VScroll1, &QScrollBar::valueChanged, &fenetre_principale::VScroll1_Change);

    // A text that changes runs its handler, whoever changed it.
    const std::pair<zone_texte, gestionnaire> changements[] = {
        {zone_texte::Text1, &fenetre_principale::Text1_Change},
        {zone_texte::Text2, &fenetre_principale::Text2_Change},
        {zone_texte::Text3, &fenetre_principale::Text3_Change},
        {zone_texte::Text4, &fenetre_principale::Text4_Change},
        {zone_texte::Text5, &fenetre_principale::Text5_Change},
        {zone_texte::Text7, &fenetre_principale::Text7_Change},
    };
    for (const auto& [zone, g] : changements) {
        connect(boite(zone), &QLineEdit::textChanged, this, [this, zone, g] {
            if (evenements_.profondeur() == 0) {
                annonceur_.commencer(boite(zone)->objectName()); // the user's typing
            }
            saisie_->texte_change(zone, [this, g] { (this->*g)(); });
        });
    }
    for (const auto& [zone, g] : changements) {
        if (regle_differee(zone)) {
            connect(boite(zone), &QLineEdit::editingFinished, saisie_,
                    &saisie_utilisateur::valider);
        }
    }
    // After the waiting rules: every box's committed edit is announced.
    for (std::size_t i = 0; i < std::size(Text); ++i) {
        const auto zone = static_cast<zone_texte>(i);
        connect(boite(zone), &QLineEdit::editingFinished, this,
                [this, zone] { emit annonceur_.saisie_terminee(zone); });
    }

    // An option runs its handler when it becomes selected, not when deselected.
    const std::pair<bouton_option, gestionnaire> clics[] = {
        {bouton_option::Option_circulaire, &fenetre_principale::Option_circulaire_Click},
        {bouton_option::Option_elliptique, &fenetre_principale::Option_elliptique_Click},
        {bouton_option::Option_parabolique, &fenetre_principale::Option_parabolique_Click},
        {bouton_option::Option_hyperbolique, &fenetre_principale::Option_hyperbolique_Click},
        {bouton_option::Option_RN, &fenetre_principale::Option_RN_Click},
        {bouton_option::Option_RH, &fenetre_principale::Option_RH_Click},
        {bouton_option::Option_RP, &fenetre_principale::Option_RP_Click},
        {bouton_option::Option_tous, &fenetre_principale::Option_tous_Click},
    };
    for (const auto& [b, g] : clics) {
        QRadioButton* bouton = option(b);
        connect(bouton, &QRadioButton::toggled, this, [this, g, bouton](bool selectionne) {
            if (selectionne) {
                evenement_utilisateur(bouton, [this, g] { (this->*g)(); });
            }
        });
    }

    connect(qApp, &QGuiApplication::focusWindowChanged, this,
            &fenetre_principale::fenetre_active_changee);
}

void fenetre_principale::evenement_utilisateur(const QObject* source,
                                               const std::function<void()>& gestionnaire) {
    if (evenements_.profondeur() == 0) {
        annonceur_.commencer(source->objectName());
    }
    evenements_.executer(gestionnaire);
}

QLineEdit* fenetre_principale::boite(zone_texte zone) const {
    return Text[static_cast<std::size_t>(zone)];
}

QRadioButton* fenetre_principale::option(bouton_option bouton) const {
    return Options[static_cast<std::size_t>(bouton)];
}

std::string fenetre_principale::texte(zone_texte zone) const {
    return boite(zone)->text().toStdString();
}

void fenetre_principale::changer_texte(zone_texte zone, const std::string& texte) {
    const QString nouveau = QString::fromStdString(texte);
    if (boite(zone)->text() == nouveau) {
        return;
    }
    saisie_->affecter(zone, [&] {
        boite(zone)->setText(nouveau);
        boite(zone)->setCursorPosition(0); // a number written by the program shows its start
    });
    evenements_.relancer_en_attente();
}

bool fenetre_principale::selectionne(bouton_option bouton) const {
    return option(bouton)->isChecked();
}

void fenetre_principale::selectionner(bouton_option bouton) {
    if (option(bouton)->isChecked()) {
        return;
    }
    option(bouton)->setChecked(true);
    evenements_.relancer_en_attente();
}

void fenetre_principale::deselectionner(bouton_option bouton) {
    // Buttons of one group exclude each other: the selected one stays selected
    // until another is chosen. Deselecting runs nothing.
    option(bouton)->setChecked(false);
}

int fenetre_principale::valeur_HScroll1() const {
    return HScroll1->value();
}

int fenetre_principale::valeur_VScroll1() const {
    return VScroll1->value();
}

std::string fenetre_principale::legende_Label_debit() const {
    return Label_debit->text().toStdString();
}

void fenetre_principale::legende_Label_debit(const std::string& legende) {
    Label_debit->setText(QString::fromStdString(legende));
}

surface& fenetre_principale::Picture1() {
    return *Picture1_;
}

namespace {

struct memoire_qt : formulaire::memoire {
    QString textes[13];
    bool options[8] = {};
    QString label_debit;
    QString legende_Label6;
    bool Text1_visible = true;
    bool Label6_visible = true;
};

} // namespace

std::unique_ptr<formulaire::memoire> fenetre_principale::memoriser() const {
    auto m = std::make_unique<memoire_qt>();
    for (std::size_t i = 0; i < std::size(Text); ++i) {
        m->textes[i] = Text[i]->text();
    }
    for (std::size_t i = 0; i < std::size(Options); ++i) {
        m->options[i] = Options[i]->isChecked();
    }
    m->label_debit = Label_debit->text();
    m->legende_Label6 = Label6->text();
    m->Text1_visible = !boite(zone_texte::Text1)->isHidden();
    m->Label6_visible = !Label6->isHidden();
    return m;
}

void fenetre_principale::restituer(const memoire& m) {
    const auto& memoire = static_cast<const memoire_qt&>(m);
    for (std::size_t i = 0; i < std::size(Text); ++i) {
        if (Text[i]->text() != memoire.textes[i]) {
            const QSignalBlocker silence(Text[i]);
            Text[i]->setText(memoire.textes[i]);
            Text[i]->setCursorPosition(0);
        }
    }
    std::vector<std::unique_ptr<QSignalBlocker>> silences;
    for (QRadioButton* o : Options) {
        silences.push_back(std::make_unique<QSignalBlocker>(o));
    }
    for (std::size_t i = 0; i < std::size(Options); ++i) {
        if (memoire.options[i]) {
            Options[i]->setChecked(true);
        }
    }
    Label_debit->setText(memoire.label_debit);
    Label6->setText(memoire.legende_Label6);
    boite(zone_texte::Text1)->setVisible(memoire.Text1_visible);
    Label6->setVisible(memoire.Label6_visible);
}

void fenetre_principale::accorder_Text1() {
    if (selectionne(bouton_option::Option_elliptique) ||
        selectionne(bouton_option::Option_hyperbolique)) {
        boite(zone_texte::Text1)->show();
        Label6->show();
        Label6->setText(selectionne(bouton_option::Option_hyperbolique)
                            ? QStringLiteral("Phi°")
                            : QStringLiteral("Za (km)"));
    } else if (selectionne(bouton_option::Option_circulaire) ||
               selectionne(bouton_option::Option_parabolique)) {
        boite(zone_texte::Text1)->hide();
        Label6->hide();
    }
}

void fenetre_principale::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (!premiere_activation_) {
        premiere_activation_ = true;
        evenements_.executer([this] { Form_Activate(); });
    }
}

void fenetre_principale::fenetre_active_changee(QWindow* fenetre) {
    if (fenetre == nullptr) {
        return; // another application took the focus
    }
    // Only the program's forms count: menus and message boxes are passed over.
    // Coming back to the main window from the about box activates it; coming back
    // from another application does not.
    if (fenetre == windowHandle()) {
        if (fenetre_precedente_ == QLatin1String("frmAbout")) {
            evenements_.executer([this] { Form_Activate(); });
        }
        fenetre_precedente_ = objectName();
        return;
    }
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (w->windowHandle() == fenetre && w->objectName() == QLatin1String("frmAbout")) {
            fenetre_precedente_ = w->objectName();
        }
    }
}

} // namespace trajel
