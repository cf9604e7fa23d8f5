#include "about/frmabout.h"

#include "about/icone.h"
#include "trajel_version.h"
#include "ecran/twips.h"

#include <QApplication>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QMessageBox>
#include <QPainter>
#include <QProcess>
#include <QPushButton>
#include <QScreen>

namespace trajel {

namespace {

registre* base_branchee = nullptr;
lanceur* poste_branche = nullptr;

lanceur_qt& lanceur_du_systeme() {
    static lanceur_qt poste;
    return poste;
}

QLabel* etiquette(QWidget* parent, const char* nom, const QRect& position) {
    auto* label = new QLabel(parent);
    label->setObjectName(QString::fromLatin1(nom));
    label->setGeometry(position);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->setWordWrap(true);
    return label;
}

// The largest of the usual small sizes at which the wrapped text fits its label: the
// design's rectangles were measured for a narrow 8-point font.
void ajuster_police(QLabel* label) {
    QFont police = label->font();
    for (double points = 8.0; points > 6.0; points -= 0.5) {
        police.setPointSizeF(points);
        const QRect requis = QFontMetrics(police, label)
                                 .boundingRect(QRect(0, 0, label->width(), 100000),
                                               Qt::TextWordWrap | Qt::AlignLeft, label->text());
        if (requis.height() <= label->height()) {
            break;
        }
    }
    label->setFont(police);
}

void texte_en_noir(QLabel* label) {
    QPalette couleurs = label->palette();
    couleurs.setColor(QPalette::WindowText, Qt::black);
    label->setPalette(couleurs);
}

} // namespace

ligne::ligne(QWidget* parent, const QColor& couleur) : QWidget(parent), couleur_(couleur) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void ligne::paintEvent(QPaintEvent* /*evenement*/) {
    QPainter peintre(this);
    peintre.fillRect(rect(), couleur_);
}

bool lanceur_qt::fichier_existe(const std::string& chemin) {
    return !chemin.empty() && QFileInfo(QString::fromLocal8Bit(chemin)).isFile();
}

bool lanceur_qt::demarrer(const std::string& chemin) {
    if (chemin.empty()) {
        return false;
    }
    return QProcess::startDetached(QString::fromLocal8Bit(chemin), {});
}

void lanceur_qt::message(const std::string& texte) {
    const QString titre = QString::fromUtf8(programme::titre);
    if (montrer) {
        montrer(titre, QString::fromUtf8(texte));
    } else {
        boite_de_message(titre, QString::fromUtf8(texte));
    }
}

void boite_de_message(const QString& titre, const QString& texte) {
    QMessageBox boite(QMessageBox::NoIcon, titre, texte, QMessageBox::Ok,
                      QApplication::activeWindow());
    boite.exec();
}

QPointer<frmAbout> frmAbout::ouvert_;

void frmAbout::afficher(QWidget* principale) {
    if (ouvert_ == nullptr) {
        ouvert_ = new frmAbout(principale);
    }
    ouvert_->show();
    ouvert_->raise();
    ouvert_->activateWindow();
}

frmAbout* frmAbout::ouvert() {
    return ouvert_;
}

void frmAbout::brancher(registre* base, lanceur* poste) {
    base_branchee = base;
    poste_branche = poste;
}

frmAbout::frmAbout(QWidget* principale)
    : QDialog(principale, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::CustomizeWindowHint |
                              Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                              Qt::WindowCloseButtonHint) {
    setObjectName(QStringLiteral("frmAbout"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("A propos"));

    const echelle_twips e = echelle_twips::de(this);
    setFixedSize(e.x(5730), e.y(3555));
    creer_en_tete(e);
    creer_separateur(e);
    creer_pied(e);

    // However the box is unloaded (OK, Enter, Escape, its close box), the next call
    // of afficher loads a new one, even before this one is deleted.
    connect(this, &QDialog::finished, this, [this] {
        if (ouvert_ == this) {
            ouvert_.clear();
        }
    });

    Form_Load();
}

// The icon, the title, the version and the description.
void frmAbout::creer_en_tete(const echelle_twips& e) {
    picIcon = etiquette(this, "picIcon", e.rectangle(240, 240, 540, 540));
    // The icon keeps its 32 pixels at 96 dpi and grows with the twips elsewhere.
    picIcon->setPixmap(
        image_icone().scaled(e.x(480), e.y(480), Qt::IgnoreAspectRatio, Qt::FastTransformation));

    lblTitle = etiquette(this, "lblTitle", e.rectangle(1050, 240, 3885, 480));
    QFont grand = lblTitle->font();
    grand.setPointSizeF(14.0);
    grand.setBold(true);
    lblTitle->setFont(grand);

    QFont petit = font();
    petit.setPointSizeF(8.0);

    lblVersion = etiquette(this, "lblVersion", e.rectangle(1050, 780, 3885, 225));
    lblVersion->setFont(petit);

    lblDescription = etiquette(this, "lblDescription", e.rectangle(1050, 1125, 3885, 1170));
    lblDescription->setFont(petit);
    texte_en_noir(lblDescription);
    lblDescription->setText(QString::fromUtf8(
        "Cet outil permet la visualisation d'orbites en 3 dimensions. La projection utilisée "
        "pour l'affichage est de type parallèle (pas d'effet de perspective). L'application "
        "autorise la simulation de contrôle d'orbite(Intégration des équations du mouvement "
        "par RUNGE KUTTA d'ordre 4) "));
    ajuster_police(lblDescription);
}

void frmAbout::creer_separateur(const echelle_twips& e) {
    // An engraved separator: a grey line with a white one, twice as thick, just below.
    struct trait {
        int index;
        QColor couleur;
        int epaisseur; // pixels
        double x1, x2, y;
    };
    for (const trait& t : {trait{1, QColor(128, 128, 128), 1, 90, 5654, 2445},
                           trait{0, QColor(255, 255, 255), 2, 105, 5654, 2460}}) {
        auto* separateur = new ligne(this, t.couleur);
        separateur->setObjectName(QStringLiteral("Line1"));
        separateur->setProperty("index", t.index);
        separateur->setGeometry(e.x(t.x1), e.y(t.y), e.x(t.x2) - e.x(t.x1), t.epaisseur);
    }
}

// The disclaimer and the two buttons.
void frmAbout::creer_pied(const echelle_twips& e) {
    QFont petit = font();
    petit.setPointSizeF(8.0);
    lblDisclaimer = etiquette(this, "lblDisclaimer", e.rectangle(255, 2625, 3870, 825));
    lblDisclaimer->setFont(petit);
    texte_en_noir(lblDisclaimer);
    lblDisclaimer->setText(QString::fromUtf8(
        "Outil d'enseignement de la mécanique orbitale. Ce programme est fourni tel quel, "
        "sans aucune garantie."));
    ajuster_police(lblDisclaimer);

    cmdOK = new QPushButton(QStringLiteral("OK"), this);
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    cmdOK->setGeometry(e.rectangle(4245, 2625, 1260, 345));
    cmdOK->setDefault(true);
    connect(cmdOK, &QPushButton::clicked, this, &frmAbout::cmdOK_Click);

    cmdSysInfo = new QPushButton(QStringLiteral("&System Info..."), this);
    cmdSysInfo->setObjectName(QStringLiteral("cmdSysInfo"));
    cmdSysInfo->setGeometry(e.rectangle(4260, 3075, 1245, 345));
    connect(cmdSysInfo, &QPushButton::clicked, this, &frmAbout::cmdSysInfo_Click);

    setTabOrder(cmdOK, cmdSysInfo);
    cmdOK->setFocus();
}

void frmAbout::Form_Load() {
    const QString titre = QString::fromUtf8(programme::titre);
    setWindowTitle(QStringLiteral("About ") + titre);
    lblVersion->setText(QStringLiteral("Version %1.%2.%3")
                            .arg(programme::version_majeure)
                            .arg(programme::version_mineure)
                            .arg(programme::revision));
    lblTitle->setText(titre);
}

void frmAbout::keyPressEvent(QKeyEvent* evenement) {
    // cmdOK is also the cancel button: Escape clicks it.
    if (evenement->matches(QKeySequence::Cancel)) {
        cmdOK->click();
        return;
    }
    QDialog::keyPressEvent(evenement);
}

void frmAbout::cmdOK_Click() {
    close();
}

void frmAbout::cmdSysInfo_Click() {
    StartSysInfo(base_branchee != nullptr ? *base_branchee : registre_du_systeme(),
                 poste_branche != nullptr ? *poste_branche : lanceur_du_systeme());
}

} // namespace trajel
