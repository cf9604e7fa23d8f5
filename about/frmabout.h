#pragma once

#include "about/registre.h"

#include <QColor>
#include <QDialog>
#include <QPointer>

#include <functional>
#include <string>

class QLabel;
class QPushButton;

namespace trajel {

struct echelle_twips;

// A line control: a horizontal line of one colour, as wide as the widget and as
// thick as its height, drawn inside its rectangle.
class ligne : public QWidget {
    Q_OBJECT
public:
    ligne(QWidget* parent, const QColor& couleur);

    QColor couleur() const { return couleur_; }

protected:
    void paintEvent(QPaintEvent* evenement) override;

private:
    QColor couleur_;
};

// The platform side of "&System Info...": QFileInfo, a detached QProcess (no shell,
// no wait) and a message box.
class lanceur_qt final : public lanceur {
public:
    using afficheur = std::function<void(const QString& titre, const QString& texte)>;

    bool fichier_existe(const std::string& chemin) override;
    bool demarrer(const std::string& chemin) override;
    void message(const std::string& texte) override;

    // Shows the message: by default a modal box with an OK button only. A test puts
    // a function that does not block.
    afficheur montrer;
};

// The modal message box of lanceur_qt: the title, the text, an OK button only.
void boite_de_message(const QString& titre, const QString& texte);

// The about box. Controls keep their design names as objectName: picIcon,
// lblTitle, lblVersion, lblDescription, lblDisclaimer, cmdOK, cmdSysInfo, and the
// two lines of the control array Line1, both named "Line1" and told apart by their
// property "index" (0 and 1).
class frmAbout : public QDialog {
    Q_OBJECT
public:
    // The menu's entry point: loads and shows the box without blocking the main
    // window, or brings it forward when it is already open. One box at most.
    static void afficher(QWidget* principale);
    // The open box, or nullptr.
    static frmAbout* ouvert();
    // What "&System Info..." uses: the system's registry and a lanceur_qt unless
    // others are given (nullptr restores the system's).
    static void brancher(registre* base, lanceur* poste);

protected:
    void keyPressEvent(QKeyEvent* evenement) override;

private slots:
    void cmdOK_Click();
    void cmdSysInfo_Click();

private:
    explicit frmAbout(QWidget* principale);
    void creer_en_tete(const echelle_twips& e);
    void creer_separateur(const echelle_twips& e);
    void creer_pied(const echelle_twips& e);
    void Form_Load();

    QLabel* picIcon;
    QLabel* lblTitle;
    QLabel* lblVersion;
    QLabel* lblDescription;
    QLabel* lblDisclaimer;
    QPushButton* cmdOK;
    QPushButton* cmdSysInfo;

    static QPointer<frmAbout> ouvert_;
};

} // namespace trajel
