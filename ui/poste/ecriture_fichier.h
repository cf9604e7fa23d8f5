#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

namespace trajel {

// The one writer of every file the program writes. The bytes, made whole in memory, go
// to a temporary file in the target's folder, every write checked and the file synced to
// disk, then renamed over `chemin`: a reader sees the earlier file or the new one, never
// a part. On failure the temporary is removed and an earlier file at `chemin` is left as
// it was. Nothing when written, else the reason in French, to follow a colon
// ("le disque est plein"). A symbolic link is written through, and kept.
[[nodiscard]] std::optional<QString> ecrire_fichier(const QString& chemin,
                                                    const QByteArray& octets);

} // namespace trajel
