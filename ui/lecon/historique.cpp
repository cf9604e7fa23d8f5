#include "ui/lecon/historique.h"

#include "ui/image/picture1.h"
#include "ui/poste/evenements.h"
#include "ui/poste/poste.h"

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QUndoCommand>
#include <QWidget>

#include <algorithm>
#include <utility>

namespace trajel {

namespace {

// The commands that are steps, and what "Annuler" and "Rétablir" call them.
struct pas_nomme {
    const char* evenement;
    const char* texte;
};

constexpr pas_nomme pas_nommes[] = {
    {"cmd_tir", "le tir"},
    {"Command1", "Reset"},
    {"menu_kourou_circulaire", "l'orbite circulaire KOUROU"},
    {"menu_GTO_IV", "GTO Ariane IV"},
    {"menu_GTO_V", "GTO Ariane V"},
    {"menu_baikonour_circulaire", "l'orbite circulaire BAIKONOUR"},
    {"menu_canaveral_circulaire", "l'orbite circulaire CAP CANAVERAL"},
    {"Option_circulaire", "le type circulaire"},
    {"Option_elliptique", "le type elliptique"},
    {"Option_parabolique", "le type parabolique"},
    {"Option_hyperbolique", "le type hyperbolique"},
};

// The edit of each box, in the order of zone_texte; Text1 is Za or Phi by the type.
constexpr const char* saisies[] = {
    "la saisie de Za",
    "la saisie de Zp",
    "la saisie de Omega",
    "la saisie de i",
    "la saisie de omega",
    "la saisie de la masse",
    "la saisie de l'anomalie",
    "la saisie de la poussée ortho-radiale",
    "la saisie de la poussée radiale",
    "la saisie de la poussée normale",
    "la saisie de la durée du tir",
    "la saisie du nombre de pas",
    "la saisie de l'Isp",
};

const char* texte_du_pas(const QString& evenement) {
    for (const pas_nomme& p : pas_nommes) {
        if (evenement == QLatin1String(p.evenement)) {
            return p.texte;
        }
    }
    return nullptr;
}

// The box whose typing the event is ("Text4"), if it is one.
std::optional<zone_texte> zone_de(const QString& evenement) {
    if (!evenement.startsWith(QLatin1String("Text"))) {
        return std::nullopt;
    }
    bool lu = false;
    const int n = evenement.mid(4).toInt(&lu);
    if (!lu || n < 1 || n > 13) {
        return std::nullopt;
    }
    return static_cast<zone_texte>(n - 1);
}

} // namespace

bool instantane_lecon::meme_etat(const instantane_lecon& autre) const {
    return textes == autre.textes && options == autre.options &&
           fenetre.debit == autre.fenetre.debit && branche == autre.branche && tirs == autre.tirs &&
           fenetre.modele == autre.fenetre.modele;
}

// One step: the state before and after it. Pushed once done, so its first redo does
// nothing.
class historique_lecon::pas : public QUndoCommand {
public:
    pas(historique_lecon& h, std::shared_ptr<const instantane_lecon> avant,
        std::shared_ptr<const instantane_lecon> apres, const QString& texte)
        : QUndoCommand(texte), h_(h), avant_(std::move(avant)), apres_(std::move(apres)) {}

    void undo() override { h_.appliquer(avant_); }
    void redo() override {
        if (std::exchange(fait_, false)) {
            return;
        }
        h_.appliquer(apres_);
    }

private:
    historique_lecon& h_;
    std::shared_ptr<const instantane_lecon> avant_;
    std::shared_ptr<const instantane_lecon> apres_;
    bool fait_ = true;
};

historique_lecon::historique_lecon(poste_de_travail& principale)
    : QObject(&principale.widget()), principale_(principale),
      tirs_(std::make_shared<std::vector<ligne_journal>>()) {
    setObjectName(QStringLiteral("historique_lecon"));
    pile_.setUndoLimit(profondeur);
    courant_ = capturer();
    dernier_numero_ = numero_du_dernier_tir();

    annonceur_evenements& a = principale_.annonces();
    connect(&a, &annonceur_evenements::evenement_commence, this,
            &historique_lecon::evenement_commence);
    connect(&a, &annonceur_evenements::evenement_termine, this,
            &historique_lecon::evenement_termine);
    connect(&a, &annonceur_evenements::saisie_terminee, this, [this] { fermer_saisie(); });
    // A scene drawn anew replaces the powered arc; a completed burn draws it again.
    connect(principale_.image(), &Picture1::affichage_change, this, [this] { arc_de_ = 0; });

    annuler_ = new QAction(QStringLiteral("Annuler"), this);
    annuler_->setObjectName(QStringLiteral("menu_annuler"));
    annuler_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z));
    annuler_->setShortcutContext(Qt::ApplicationShortcut);
    annuler_->setEnabled(false);
    connect(annuler_, &QAction::triggered, this, &historique_lecon::annuler);
    retablir_ = new QAction(QStringLiteral("Rétablir"), this);
    retablir_->setObjectName(QStringLiteral("menu_retablir"));
    retablir_->setShortcuts(
        {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), QKeySequence(Qt::CTRL | Qt::Key_Y)});
    retablir_->setShortcutContext(Qt::ApplicationShortcut);
    retablir_->setEnabled(false);
    connect(retablir_, &QAction::triggered, this, &historique_lecon::retablir);

    auto nommer = [](QAction* action, const QString& verbe, const QString& pas) {
        action->setText(pas.isEmpty() ? verbe : verbe + QLatin1Char(' ') + pas);
    };
    connect(&pile_, &QUndoStack::canUndoChanged, annuler_, &QAction::setEnabled);
    connect(&pile_, &QUndoStack::canRedoChanged, retablir_, &QAction::setEnabled);
    connect(&pile_, &QUndoStack::undoTextChanged, this,
            [this, nommer](const QString& t) { nommer(annuler_, QStringLiteral("Annuler"), t); });
    connect(&pile_, &QUndoStack::redoTextChanged, this,
            [this, nommer](const QString& t) { nommer(retablir_, QStringLiteral("Rétablir"), t); });
}

historique_lecon::~historique_lecon() {
    // The steps hold this history: they go first, without being applied.
    pile_.clear();
}

std::shared_ptr<const instantane_lecon> historique_lecon::capturer() const {
    auto s = std::make_shared<instantane_lecon>();
    s->fenetre = principale_.etat();
    s->fenetre.arc_du_tir =
        s->fenetre.dernier_tir && arc_de_ != 0 && s->fenetre.dernier_tir->numero == arc_de_;
    const instantane_scene& scene = scene_lue();
    s->textes = scene.textes;
    s->options = scene.options;
    s->branche = tirs_;
    s->tirs = tirs_affiches_;
    return s;
}

const instantane_scene& historique_lecon::scene_lue() const {
    if (scene_de_l_evenement_) {
        return *scene_de_l_evenement_;
    }
    scene_ = principale_.scene();
    return scene_;
}

unsigned historique_lecon::numero_du_dernier_tir() const {
    const instantane_scene scene = principale_.scene();
    return scene.dernier_tir ? scene.dernier_tir->numero : 0;
}

std::vector<ligne_journal> historique_lecon::journal() const {
    return {tirs_->begin(), tirs_->begin() + static_cast<std::ptrdiff_t>(tirs_affiches_)};
}

void historique_lecon::definir_notes(const QString& notes) {
    if (notes != notes_) {
        notes_ = notes;
        emit notes_changees();
    }
}

void historique_lecon::evenement_commence(const QString& nom) {
    if (applique_) {
        return;
    }
    const std::optional<zone_texte> zone = zone_de(nom);
    if (!zone) {
        fermer_saisie();
        return;
    }
    // A key has already changed the box: the edit of another box ends with the state
    // its own last key left.
    if (saisie_ && zone != saisie_) {
        if (!frappe_->meme_etat(*courant_)) {
            pousser(frappe_, texte_de_saisie(*frappe_));
        }
        saisie_.reset();
    }
}

void historique_lecon::evenement_termine(bool reussi) {
    if (applique_) {
        return;
    }
    // The scene read once for the whole end of the event: nothing here changes it.
    scene_de_l_evenement_ = principale_.scene();
    const struct oubli {
        std::optional<instantane_scene>& scene;
        ~oubli() { scene.reset(); }
    } oubli{scene_de_l_evenement_};
    const QString& nom = principale_.annonces().evenement();
    if (const std::optional<zone_texte> zone = zone_de(nom)) {
        saisie_ = zone;
        frappe_ = capturer();
        return;
    }
    // A tool's event names its own step; the window's are named here.
    const char* nomme = texte_du_pas(nom);
    const QString texte =
        nomme != nullptr ? QString::fromUtf8(nomme) : principale_.annonces().pas();
    if (texte.isEmpty()) {
        // Not a step: what it changed is where the next one starts, unless an edit is
        // under way (the commit of an edit runs as an event of its own).
        if (!saisie_) {
            courant_ = capturer();
        }
        return;
    }
    if (reussi && nom == QLatin1String("cmd_tir")) {
        noter_tir();
    }
    std::shared_ptr<const instantane_lecon> apres = capturer();
    if (reussi && !apres->meme_etat(*courant_)) {
        pousser(std::move(apres), texte);
    } else {
        courant_ = std::move(apres);
    }
}

// A completed burn joins the journal, after those of the state it was fired from.
void historique_lecon::noter_tir() {
    const instantane_scene& scene = scene_lue();
    if (!scene.dernier_tir || scene.dernier_tir->numero == dernier_numero_) {
        return;
    }
    dernier_numero_ = scene.dernier_tir->numero;
    arc_de_ = dernier_numero_;
    tirs_->resize(courant_->tirs);
    tirs_->push_back(
        ligne_du_tir(*scene.dernier_tir, courant_->fenetre.valeurs.traj, scene.valeurs.traj));
    tirs_affiches_ = tirs_->size();
    emit journal_change();
}

void historique_lecon::fermer_saisie() {
    if (applique_) {
        return;
    }
    // Only texts: an option clicked is already selected when its event starts.
    std::shared_ptr<const instantane_lecon> maintenant = capturer();
    if (maintenant->textes != courant_->textes) {
        const QString texte = texte_de_saisie(*maintenant);
        pousser(std::move(maintenant), texte);
    }
    saisie_.reset();
    frappe_.reset();
}

QString historique_lecon::texte_de_saisie(const instantane_lecon& apres) const {
    std::optional<zone_texte> zone = saisie_;
    for (std::size_t i = 0; !zone && i < apres.textes.size(); ++i) {
        if (apres.textes[i] != courant_->textes[i]) {
            zone = static_cast<zone_texte>(i);
        }
    }
    if (!zone) {
        return QStringLiteral("la saisie");
    }
    if (zone == zone_texte::Text1 &&
        apres.options[static_cast<std::size_t>(bouton_option::Option_hyperbolique)]) {
        return QStringLiteral("la saisie de Phi");
    }
    return QString::fromUtf8(saisies[static_cast<std::size_t>(*zone)]);
}

void historique_lecon::pousser(std::shared_ptr<const instantane_lecon> apres,
                               const QString& texte) {
    std::shared_ptr<const instantane_lecon> avant = std::exchange(courant_, apres);
    pile_.push(new pas(*this, std::move(avant), std::move(apres), texte));
}

namespace {

// Set while a step is put back, cleared however it ends.
class pendant {
public:
    explicit pendant(bool& drapeau) : drapeau_(drapeau) { drapeau_ = true; }
    ~pendant() { drapeau_ = false; }
    pendant(const pendant&) = delete;
    pendant& operator=(const pendant&) = delete;

private:
    bool& drapeau_;
};

} // namespace

bool historique_lecon::redessiner(const std::function<void()>& changer) {
    const std::shared_ptr<const instantane_lecon> etat = capturer();
    const pendant application(applique_);
    if (changer) {
        changer();
    }
    const bool dessinee = principale_.executer(commande::restituer_etat{etat->fenetre});
    if (dessinee && etat->fenetre.arc_du_tir) {
        arc_de_ = etat->fenetre.dernier_tir->numero;
    }
    return dessinee;
}

bool historique_lecon::arc_affiche() const {
    return arc_de_ != 0 && numero_du_dernier_tir() == arc_de_;
}

void historique_lecon::appliquer(const std::shared_ptr<const instantane_lecon>& etat) {
    std::optional<pendant> application(std::in_place, applique_);
    tirs_ = etat->branche;
    tirs_affiches_ = etat->tirs;
    const bool dessinee = principale_.executer(commande::restituer_etat{etat->fenetre});
    if (dessinee && etat->fenetre.arc_du_tir) {
        arc_de_ = etat->fenetre.dernier_tir->numero; // after the event's new scene cleared it
    }
    courant_ = etat;
    saisie_.reset();
    frappe_.reset();
    application.reset();
    emit journal_change();
    if (!dessinee) {
        emit principale_.annonces().etat_restitue();
    }
}

// A box that has the focus keeps its edit until it is committed: leaving it commits it,
// as a click elsewhere does, so that the edit is a step of its own.
void historique_lecon::commettre_la_saisie_en_cours() {
    QWidget* focus = QApplication::focusWidget();
    if (focus != nullptr && principale_.widget().isAncestorOf(focus)) {
        focus->clearFocus();
    }
    fermer_saisie();
}

void historique_lecon::ouvrir(std::vector<ligne_journal> journal, const QString& notes,
                              const std::function<bool()>& ecrire) {
    if (avant_restitution) {
        avant_restitution();
    }
    commettre_la_saisie_en_cours();
    std::shared_ptr<const instantane_lecon> avant = courant_;
    {
        const pendant ecriture(applique_);
        if (ecrire()) {
            arc_de_ = numero_du_dernier_tir();
        }
        dernier_numero_ = std::max(dernier_numero_, numero_du_dernier_tir());
    }
    pile_.clear();
    tirs_ = std::make_shared<std::vector<ligne_journal>>(std::move(journal));
    tirs_affiches_ = tirs_->size();
    saisie_.reset();
    frappe_.reset();
    courant_ = capturer();
    pile_.push(
        new pas(*this, std::move(avant), courant_, QStringLiteral("l'ouverture de la leçon")));
    definir_notes(notes);
    emit journal_change();
    emit principale_.annonces().etat_restitue();
}

void historique_lecon::annuler() {
    if (avant_restitution) {
        avant_restitution();
    }
    commettre_la_saisie_en_cours();
    pile_.undo();
}

void historique_lecon::retablir() {
    if (avant_restitution) {
        avant_restitution();
    }
    commettre_la_saisie_en_cours();
    pile_.redo();
}

historique_lecon* ajouter_historique(poste_de_travail& principale) {
    auto* h = new historique_lecon(principale);
    QMenu* menu = principale.menu_outils();
    if (!menu->isEmpty()) {
        menu->addSeparator();
    }
    menu->addAction(h->action_annuler());
    menu->addAction(h->action_retablir());
    return h;
}

} // namespace trajel
