#pragma once

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStorageInfo>
#include <QString>
#include <QStringList>

#include <algorithm>

namespace trajel::test {

// A file system of 64 KiB mounted on an existing folder for the length of a test and
// unmounted when done; it can be filled and made read-only. Mounting needs root (as in
// CI): monte() says whether it worked, raison() why not. Root is refused by a full or a
// read-only file system, not by permission bits.
class tmpfs_de_test {
public:
    explicit tmpfs_de_test(const QString& dossier) : dossier_(dossier) {
        monte_ = executer({"-t", "tmpfs", "-o", "size=64k", "tmpfs", dossier_});
    }
    ~tmpfs_de_test() {
        if (monte_) {
            QProcess::execute(QStringLiteral("umount"), {dossier_});
        }
    }
    tmpfs_de_test(const tmpfs_de_test&) = delete;
    tmpfs_de_test& operator=(const tmpfs_de_test&) = delete;

    bool monte() const { return monte_; }
    QString raison() const { return raison_; }
    qint64 libre() const { return QStorageInfo(dossier_).bytesAvailable(); }

    // Fills it, in a file "remplissage", until `reste` bytes are left (0: full); never
    // the folder's own disk when nothing was mounted.
    void remplir(qint64 reste = 0) {
        if (!monte_) {
            return;
        }
        QFile remplissage(QDir(dossier_).filePath(QStringLiteral("remplissage")));
        remplissage.open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Unbuffered);
        while (libre() > reste) {
            const qint64 n = std::min<qint64>(4096, libre() - reste);
            if (remplissage.write(QByteArray(n, 'x')) <= 0) {
                break;
            }
        }
    }
    // Remounted read-only; false, and raison() why, when it could not be.
    bool lecture_seule() { return executer({"-o", "remount,ro", dossier_}); }

private:
    bool executer(const QStringList& arguments) {
        QProcess mount;
        mount.start(QStringLiteral("mount"), arguments);
        const bool fait = mount.waitForFinished() && mount.exitStatus() == QProcess::NormalExit &&
                          mount.exitCode() == 0;
        if (!fait) {
            raison_ = QString::fromLocal8Bit(mount.readAllStandardError()).trimmed();
            if (raison_.isEmpty()) {
                raison_ = mount.errorString();
            }
        }
        return fait;
    }

    QString dossier_;
    bool monte_ = false;
    QString raison_;
};

} // namespace trajel::test
