#include "ui/poste/ecriture_fichier.h"

#include <QFile>
#include <QFileInfo>

#ifdef _WIN32
#include <QSaveFile>
#else
#include <QRandomGenerator>

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace trajel {

namespace {

// The longest name of a file, in bytes: NAME_MAX of the usual file systems.
constexpr qsizetype octets_nom_max = 255;

// Why `chemin` cannot name the file to write, checked before anything is written.
std::optional<QString> raison_du_nom(const QString& chemin) {
    const QFileInfo info(chemin);
    if (info.fileName().isEmpty()) {
        return QStringLiteral("aucun nom de fichier n'a été donné");
    }
    if (info.isDir()) {
        return QStringLiteral("c'est un dossier");
    }
    if (QFile::encodeName(info.fileName()).size() > octets_nom_max) {
        return QStringLiteral("le nom du fichier est trop long");
    }
    return std::nullopt;
}

#ifdef _WIN32

// QSaveFile unbuffered: every write reaches the system and a failed one is seen; its
// errorString() is the reason.
std::optional<QString> ecrire_sur_le_disque(const QString& chemin, const QByteArray& octets) {
    QSaveFile fichier(chemin);
    if (!fichier.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
        return fichier.errorString();
    }
    if (fichier.write(octets) != octets.size()) {
        const QString cause = fichier.error() == QFileDevice::NoError
                                  ? QStringLiteral("le fichier n'a pas pu être écrit en entier")
                                  : fichier.errorString();
        fichier.cancelWriting();
        return cause;
    }
    if (!fichier.commit()) {
        return fichier.errorString();
    }
    return std::nullopt;
}

#else

// The reason for the system's error `e` met while writing into `dossier`.
QString raison_systeme(int e, const QString& dossier) {
    switch (e) {
    case ENOSPC:
        return QStringLiteral("le disque est plein");
#ifdef EDQUOT
    case EDQUOT:
        return QStringLiteral("le quota d'espace disque est atteint");
#endif
    case EROFS:
        return QStringLiteral("le dossier est sur un système de fichiers en lecture seule");
    case EACCES:
    case EPERM:
        return QStringLiteral("permission refusée");
    case ENOENT:
        // /proc says so of a file it will not create in a folder that is there.
        return QFileInfo(dossier).isDir()
                   ? QStringLiteral("le dossier n'accepte pas de nouveaux fichiers")
                   : QStringLiteral("le dossier n'existe pas");
    case ENOTDIR:
        return QStringLiteral("une partie du chemin n'est pas un dossier");
    case EISDIR:
        return QStringLiteral("c'est un dossier");
    case ENAMETOOLONG:
        return QStringLiteral("le nom du fichier est trop long");
    case EIO:
        return QStringLiteral("erreur d'entrée-sortie sur le disque");
    default:
        return qt_error_string(e);
    }
}

// A new file in `dossier` under a short name of its own (so that a target's name of
// NAME_MAX bytes still fits), created with 0666 less the umask as any new file; removed
// when the object goes unless kept.
class fichier_temporaire {
public:
    explicit fichier_temporaire(const QString& dossier) {
        for (int essai = 0; essai < 100; ++essai) {
            nom_ = QFile::encodeName(dossier + QStringLiteral("/.trajel-%1.tmp")
                                                   .arg(QRandomGenerator::global()->generate(), 8,
                                                        16, QLatin1Char('0')));
            fd_ = ::open(nom_.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
            if (fd_ >= 0 || errno != EEXIST) {
                erreur_ = fd_ >= 0 ? 0 : errno;
                return;
            }
        }
        erreur_ = EEXIST;
    }
    ~fichier_temporaire() {
        if (fd_ >= 0) {
            ::close(fd_);
        }
        if (!garde_ && erreur_ == 0) {
            ::unlink(nom_.constData());
        }
    }
    fichier_temporaire(const fichier_temporaire&) = delete;
    fichier_temporaire& operator=(const fichier_temporaire&) = delete;

    int erreur_a_la_creation() const { return erreur_; }

    // Every byte, a write at a time: a full disk takes part of a write, then refuses the
    // rest with ENOSPC. 0 when all were written, else the errno.
    int ecrire(const QByteArray& octets) {
        const char* p = octets.constData();
        qsizetype reste = octets.size();
        while (reste > 0) {
            const ssize_t n = ::write(
                fd_, p, static_cast<std::size_t>(std::min<qsizetype>(reste, qsizetype(1) << 30)));
            if (n < 0 && errno == EINTR) {
                continue;
            }
            if (n <= 0) {
                return n < 0 ? errno : ENOSPC;
            }
            p += n;
            reste -= n;
        }
        return 0;
    }
    // The permissions of the file it replaces.
    int donner_mode(mode_t mode) { return ::fchmod(fd_, mode) == 0 ? 0 : errno; }
    // On the disk, then closed: a file system that defers its writes reports the failure
    // here.
    int fermer() {
        int synchronise = ::fsync(fd_) == 0 ? 0 : errno;
        // Some network and user-space file systems cannot sync at all: the bytes written
        // are theirs all the same.
        if (synchronise == EINVAL || synchronise == ENOTSUP || synchronise == ENOSYS) {
            synchronise = 0;
        }
        // Linux closes the descriptor even when close() is interrupted.
        const int ferme = ::close(fd_) == 0 || errno == EINTR ? 0 : errno;
        fd_ = -1;
        return synchronise != 0 ? synchronise : ferme;
    }
    int renommer(const QByteArray& cible) {
        if (::rename(nom_.constData(), cible.constData()) != 0) {
            return errno;
        }
        garde_ = true;
        return 0;
    }

private:
    QByteArray nom_;
    int fd_ = -1;
    int erreur_ = 0;
    bool garde_ = false;
};

// The rename itself on the disk; a failure here leaves the new file in place, so it is
// not reported.
void synchroniser_dossier(const QString& dossier) {
    const int fd =
        ::open(QFile::encodeName(dossier).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

std::optional<QString> ecrire_sur_le_disque(const QString& chemin, const QByteArray& octets) {
    QFileInfo info(chemin);
    // A link is written through: the file it names is replaced, the link stays.
    const QString cible = info.isSymLink()
                              ? (info.exists() ? info.canonicalFilePath() : info.symLinkTarget())
                              : info.absoluteFilePath();
    const QString dossier = QFileInfo(cible).absolutePath();
    const QByteArray nom_cible = QFile::encodeName(cible);
    const auto echec = [&](int e) { return std::optional<QString>(raison_systeme(e, dossier)); };

    struct stat existant {};
    const bool remplace = ::stat(nom_cible.constData(), &existant) == 0;
    // Refused as QSaveFile refuses it: a file its owner made read-only is not replaced.
    if (remplace && ::access(nom_cible.constData(), W_OK) != 0) {
        return echec(errno);
    }
    fichier_temporaire temporaire(dossier);
    if (const int e = temporaire.erreur_a_la_creation()) {
        return echec(e);
    }
    if (const int e = temporaire.ecrire(octets)) {
        return echec(e);
    }
    if (remplace) {
        if (const int e = temporaire.donner_mode(existant.st_mode & 07777)) {
            return echec(e);
        }
    }
    if (const int e = temporaire.fermer()) {
        return echec(e);
    }
    if (const int e = temporaire.renommer(nom_cible)) {
        return echec(e);
    }
    synchroniser_dossier(dossier);
    return std::nullopt;
}

#endif

} // namespace

std::optional<QString> ecrire_fichier(const QString& chemin, const QByteArray& octets) {
    if (std::optional<QString> cause = raison_du_nom(chemin)) {
        return cause;
    }
    return ecrire_sur_le_disque(chemin, octets);
}

} // namespace trajel
