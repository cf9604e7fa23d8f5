#include "ui/lecon/fiche_lecon.h"

#include "manoeuvre/journal_tirs.h"
#include "manoeuvre/lecture.h"
#include "ui/francais/convention_poussee.h"
#include "ui/francais/format_fr.h"
#include "ui/image/export_image.h"
#include "ui/image/picture1.h"
#include "ui/lecon/historique.h"
#include "ui/poste/ecriture_fichier.h"
#include "ui/poste/poste.h"

#include <QAction>
#include <QBuffer>
#include <QDate>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QLocale>
#include <QMenu>
#include <QMessageBox>
#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>
#include <QPrintDialog>
#include <QPrinter>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextObjectInterface>
#include <QWidget>

#include <utility>
#include <vector>

namespace trajel {

namespace {

constexpr int objet_image = QTextFormat::UserObject + 1;
constexpr double marge_mm = 15.0;

// The picture inside the text: the display list painted where the layout puts it, as
// the exporter paints it into a PDF, in vectors, within a grey frame.
class image_dans_le_texte : public QObject, public QTextObjectInterface {
    Q_OBJECT
    Q_INTERFACES(QTextObjectInterface)
public:
    image_dans_le_texte(scene_image scene, QSizeF taille, QObject* parent)
        : QObject(parent), scene_(scene), taille_(taille) {}

    QSizeF intrinsicSize(QTextDocument*, int, const QTextFormat&) override { return taille_; }
    void drawObject(QPainter* peintre, const QRectF& rectangle, QTextDocument*, int,
                    const QTextFormat&) override {
        const QRectF rempli = peindre_scene_ajustee(*peintre, *scene_.elements, scene_.twips,
                                                    scene_.twips_par_pixel, rectangle, false);
        peintre->save();
        QPen cadre(QColor(160, 160, 160));
        cadre.setWidthF(taille_.width() / 1000.0);
        peintre->setPen(cadre);
        peintre->setBrush(Qt::NoBrush);
        peintre->drawRect(rempli);
        peintre->restore();
    }

private:
    scene_image scene_;
    QSizeF taille_;
};

QString html(const QString& texte) {
    return texte.toHtmlEscaped();
}

// Lengths in the rich text's pixels, a 96th of an inch on any device.
QString ouvrir_table() {
    return QStringLiteral("<table width=\"100%\" cellspacing=\"0\" cellpadding=\"2\" border=\"1\" "
                          "style=\"border-collapse: collapse; border-style: solid; "
                          "border-color: #a0a0a0;\">");
}

QString titre_section(const QString& titre) {
    return QStringLiteral("<h3 style=\"font-size: 11pt; margin-top: 12px; margin-bottom: 4px;\">"
                          "%1</h3>")
        .arg(html(titre));
}

// A duration with its seconds, as the readout writes it.
QString duree_et_secondes(const std::optional<double>& s) {
    if (!s || std::abs(*s) < 60.0) {
        return duree_fr(s);
    }
    return duree_fr(s) + QStringLiteral(" (") + valeur_fr(s, QStringLiteral("s")) + ')';
}

// The readout's main rows: the conic, the satellite on it and the last burn's delta-v.
std::vector<std::pair<QString, QString>> chiffres_orbite(const instantane_scene& scene) {
    const QString km = QStringLiteral("km");
    const QString km_s = QStringLiteral("km/s");
    const lecture_orbite l = lire_orbite(scene.valeurs.traj, scene.dernier_tir, scene.modele);
    const QString tiret = QStringLiteral("-");
    std::vector<std::pair<QString, QString>> lignes;
    if (const auto& o = l.orbite) {
        lignes = {{QStringLiteral("Excentricité e"), nombre_fr(o->c.e)},
                  {QStringLiteral("Demi-grand axe a"), valeur_fr(o->a, km)},
                  {QStringLiteral("Altitude du périastre"), valeur_fr(o->zp, km)},
                  {QStringLiteral("Altitude de l'apoastre"), valeur_fr(o->za, km)},
                  {QStringLiteral("Période"), duree_et_secondes(o->periode)},
                  {QStringLiteral("Énergie spécifique"), valeur_fr(o->energie, "km²/s²")},
                  {QStringLiteral("Vitesse au périastre"), valeur_fr(o->vitesse_periastre, km_s)},
                  {QStringLiteral("Vitesse à l'apoastre"), valeur_fr(o->vitesse_apoastre, km_s)}};
    }
    if (const auto& s = l.satellite) {
        lignes.push_back({QStringLiteral("Altitude du satellite"), valeur_fr(s->altitude, km)});
        lignes.push_back({QStringLiteral("Vitesse du satellite"), valeur_fr(s->vitesse, km_s)});
    }
    lignes.push_back({QStringLiteral("Dernier tir : ") + titre_delta_v(),
                      l.tir ? delta_v_fr(l.tir->delta_v) : tiret});
    return lignes;
}

// Two columns of name and value.
QString table_orbite(const instantane_scene& scene) {
    const std::vector<std::pair<QString, QString>> lignes = chiffres_orbite(scene);
    const std::size_t moitie = (lignes.size() + 1) / 2;
    QString t = titre_section(QStringLiteral("L'orbite")) + ouvrir_table();
    for (std::size_t i = 0; i < moitie; ++i) {
        t += QStringLiteral("<tr><td>%1</td><td align=\"right\">%2</td>")
                 .arg(html(lignes[i].first), html(lignes[i].second));
        const bool droite = moitie + i < lignes.size();
        t += QStringLiteral("<td>%1</td><td align=\"right\">%2</td></tr>")
                 .arg(droite ? html(lignes[moitie + i].first) : QString(),
                      droite ? html(lignes[moitie + i].second) : QString());
    }
    return t + QStringLiteral("</table>");
}

// The orbit a burn reached, in a few words.
QString orbite_atteinte(const orbite_journal& o) {
    QString t = QString::fromStdString(o.type_conique);
    if (o.za_ou_phi) {
        t += o.type_conique == hyperbolique
                 ? QStringLiteral(", Phi ") + valeur_fr(*o.za_ou_phi, QStringLiteral("°"))
                 : QStringLiteral(", Za ") + valeur_fr(*o.za_ou_phi, QStringLiteral("km"));
    }
    return t + QStringLiteral(", Zp ") + valeur_fr(o.zp, QStringLiteral("km")) +
           QStringLiteral(", i ") + valeur_fr(o.inclinaison, QStringLiteral("°"));
}

QString table_journal(const std::vector<ligne_journal>& journal) {
    QString t = titre_section(QStringLiteral("Journal des tirs"));
    if (journal.empty()) {
        return t + QStringLiteral("<p>Aucun tir.</p>");
    }
    t += ouvrir_table() + QStringLiteral("<thead><tr>");
    const QStringList entetes{QStringLiteral("N°"),
                              QStringLiteral("Anomalie (°)"),
                              QStringLiteral("Poussée R, O, N (N)"),
                              QStringLiteral("Durée (s)"),
                              QStringLiteral("Masse après (kg)"),
                              QStringLiteral("Δv (km/s)"),
                              QStringLiteral("Orbite atteinte")};
    for (const QString& e : entetes) {
        t += QStringLiteral("<th style=\"font-size: 8pt;\">%1</th>").arg(html(e));
    }
    t += QStringLiteral("</tr></thead>");
    for (std::size_t n = 0; n < journal.size(); ++n) {
        const ligne_journal& l = journal[n];
        const QStringList cellules{
            QString::number(n + 1),
            nombre_fr(l.anomalie),
            QStringLiteral("%1 ; %2 ; %3")
                .arg(nombre_fr(l.poussee.x), nombre_fr(l.poussee.y), nombre_fr(l.poussee.z)),
            nombre_fr(l.duree),
            nombre_fr(l.masse_apres),
            nombre_fr(l.delta_v),
            orbite_atteinte(l.apres)};
        t += QStringLiteral("<tr>");
        for (int c = 0; c < cellules.size(); ++c) {
            t +=
                QStringLiteral("<td align=\"%1\" style=\"font-size: 8pt;\">%2</td>")
                    .arg(c + 1 < cellules.size() ? QStringLiteral("right") : QStringLiteral("left"),
                         html(cellules[c]));
        }
        t += QStringLiteral("</tr>");
    }
    const totaux_journal s = totaux(journal);
    return t + QStringLiteral("</table><p>Total : %1 %2, masse consommée %3, durée des tirs %4</p>")
                   .arg(html(titre_delta_v()), html(delta_v_fr(s.delta_v)),
                        html(valeur_fr(s.masse_consommee, QStringLiteral("kg"))),
                        html(valeur_fr(s.duree, QStringLiteral("s"))));
}

QString section_notes(const QString& notes) {
    QString t = titre_section(QStringLiteral("Notes de la leçon"));
    if (notes.trimmed().isEmpty()) {
        return t + QStringLiteral("<p>Aucune note.</p>");
    }
    for (const QString& paragraphe : notes.split(QLatin1Char('\n'))) {
        t += QStringLiteral("<p style=\"margin-top: 0; margin-bottom: 2pt;\">%1</p>")
                 .arg(paragraphe.isEmpty() ? QStringLiteral("&nbsp;") : html(paragraphe));
    }
    return t;
}

// The picture as wide as the text, its aspect kept, at most 42 % of the page's height.
QSizeF taille_image(double largeur_texte, double hauteur_page, const scene_image& scene) {
    const double rapport = scene.twips.height() / scene.twips.width();
    const double hauteur = std::min(largeur_texte * rapport, 0.42 * hauteur_page);
    return {hauteur / rapport, hauteur};
}

} // namespace

// The document's units are the device's pixels: `point` of them a typographic point.
struct fiche_lecon::page_fiche {
    double largeur = 0.0;
    double hauteur = 0.0;
    double point = 1.0;
};

fiche_lecon::fiche_lecon(poste_de_travail& principale, historique_lecon& historique)
    : QObject(&principale.widget()), principale_(principale), historique_(historique),
      dossier_(QDir::homePath()) {
    setObjectName(QStringLiteral("fiche_lecon"));
    choisir_fichier = [this](const QString& propose) {
        return QFileDialog::getSaveFileName(&principale_.widget(),
                                            QStringLiteral("Enregistrer la fiche en PDF"), propose,
                                            QStringLiteral("Document PDF (*.pdf)"));
    };
    preparer_impression = [this](QPrinter& imprimante) {
        QPrintDialog dialogue(&imprimante, &principale_.widget());
        dialogue.setWindowTitle(QStringLiteral("Imprimer la fiche"));
        return dialogue.exec() == QDialog::Accepted;
    };
    avertir = [this](const QString& message) {
        QMessageBox::warning(&principale_.widget(), QStringLiteral("Trajel"), message);
    };
}

QString fiche_lecon::nom_lecon() const {
    const QString chemin = principale_.widget().windowFilePath();
    return chemin.isEmpty() ? QStringLiteral("Sans titre") : QFileInfo(chemin).completeBaseName();
}

int fiche_lecon::peindre(QPagedPaintDevice& support) const {
    QPainter peintre;
    if (!peintre.begin(&support)) {
        return 0;
    }
    const page_fiche p{double(support.width()), double(support.height()),
                       support.logicalDpiY() / 72.0};
    const double pied = 14.0 * p.point; // the footer's line
    const double hauteur_texte = p.hauteur - pied;
    QTextDocument document;
    // The layout measures in the device's pixels, and breaks the pages at its height.
    document.documentLayout()->setPaintDevice(&support);
    document.setDocumentMargin(0.0);
    document.setPageSize(QSizeF(p.largeur, hauteur_texte));
    QFont police(QStringLiteral("Arial"));
    police.setPointSizeF(9.0);
    document.setDefaultFont(police);
    composer(document, p);

    const int pages = document.pageCount();
    police.setPointSizeF(7.5);
    for (int n = 0; n < pages; ++n) {
        if (n > 0) {
            support.newPage();
        }
        peintre.save();
        peintre.translate(0.0, -n * hauteur_texte);
        document.drawContents(&peintre, QRectF(0.0, n * hauteur_texte, p.largeur, hauteur_texte));
        peintre.restore();
        peintre.setFont(police);
        peintre.setPen(QColor(96, 96, 96));
        peintre.drawText(
            QRectF(0.0, hauteur_texte, p.largeur, pied), Qt::AlignRight | Qt::AlignBottom,
            QStringLiteral("Fiche « %1 », page %2 / %3").arg(nom_lecon()).arg(n + 1).arg(pages));
    }
    peintre.end();
    return pages;
}

// The title and the date, the picture in its own centred paragraph, its caption, the
// orbit, the journal and the notes.
void fiche_lecon::composer(QTextDocument& document, const page_fiche& p) const {
    const instantane_scene scene = principale_.scene();
    const scene_image image = scene_de(*principale_.image());
    document.documentLayout()->registerHandler(
        objet_image,
        new image_dans_le_texte(image, taille_image(p.largeur, p.hauteur, image), &document));
    QTextCursor curseur(&document);
    const QLocale francais(QLocale::French, QLocale::France);
    curseur.insertHtml(
        QStringLiteral("<h2 style=\"font-size: 15pt;\">Fiche de la leçon « %1 »</h2>"
                       "<p>Trajel, %2</p>")
            .arg(html(nom_lecon()),
                 html(francais.toString(QDate::currentDate(), QStringLiteral("d MMMM yyyy")))));
    QTextBlockFormat centre;
    centre.setAlignment(Qt::AlignHCenter);
    curseur.insertBlock(centre);
    QTextCharFormat objet;
    objet.setObjectType(objet_image);
    curseur.insertText(QString(QChar::ObjectReplacementCharacter), objet);
    curseur.insertBlock(QTextBlockFormat());
    curseur.insertHtml(QStringLiteral("<p style=\"font-size: 8pt;\">%1</p>")
                           .arg(html(legende_orbite(scene.valeurs.traj, scene.longitude,
                                                    scene.latitude, scene.zoom))) +
                       table_orbite(scene) + table_journal(historique_.journal()) +
                       section_notes(historique_.notes()));
}

bool fiche_lecon::enregistrer_pdf_vers(const QString& chemin) {
    QByteArray octets;
    QBuffer tampon(&octets);
    tampon.open(QIODevice::WriteOnly);
    {
        QPdfWriter pdf(&tampon);
        pdf.setCreator(QStringLiteral("Trajel"));
        pdf.setTitle(QStringLiteral("Fiche de la leçon « %1 »").arg(nom_lecon()));
        pdf.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                      QMarginsF(marge_mm, marge_mm, marge_mm, marge_mm),
                                      QPageLayout::Millimeter));
        if (peindre(pdf) == 0) {
            avertir(QStringLiteral("La fiche n'a pas pu être composée."));
            return false;
        }
    }
    tampon.close();
    if (const std::optional<QString> cause = ecrire_fichier(chemin, octets)) {
        avertir(QStringLiteral("La fiche n'a pas pu être enregistrée dans « %1 » : %2")
                    .arg(QDir::toNativeSeparators(chemin), *cause));
        return false;
    }
    dossier_ = QFileInfo(chemin).absolutePath();
    return true;
}

void fiche_lecon::enregistrer_pdf() {
    const QString chemin =
        choisir_fichier(QDir(dossier_).filePath(nom_lecon() + QStringLiteral(".pdf")));
    if (!chemin.isEmpty()) {
        enregistrer_pdf_vers(chemin.endsWith(QLatin1String(".pdf"), Qt::CaseInsensitive)
                                 ? chemin
                                 : chemin + QStringLiteral(".pdf"));
    }
}

void fiche_lecon::imprimer() {
    QPrinter imprimante(QPrinter::HighResolution);
    imprimante.setDocName(QStringLiteral("Fiche de la leçon « %1 »").arg(nom_lecon()));
    imprimante.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                         QMarginsF(marge_mm, marge_mm, marge_mm, marge_mm),
                                         QPageLayout::Millimeter));
    if (!preparer_impression(imprimante)) {
        return;
    }
    if (peindre(imprimante) == 0) {
        avertir(impression_impossible());
    }
}

fiche_lecon* ajouter_fiche(poste_de_travail& principale, historique_lecon& historique) {
    auto* fiche = new fiche_lecon(principale, historique);
    QMenu* menu = principale.menu_outils();
    QAction* imprimer = menu->addAction(QStringLiteral("Imprimer la fic&he..."));
    imprimer->setObjectName(QStringLiteral("menu_imprimer_fiche"));
    QObject::connect(imprimer, &QAction::triggered, fiche, &fiche_lecon::imprimer);
    QAction* pdf = menu->addAction(QStringLiteral("Enregistrer la fiche en P&DF..."));
    pdf->setObjectName(QStringLiteral("menu_fiche_pdf"));
    QObject::connect(pdf, &QAction::triggered, fiche, &fiche_lecon::enregistrer_pdf);
    return fiche;
}

} // namespace trajel

#include "fiche_lecon.moc"
