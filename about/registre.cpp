#include "about/registre.h"

#include <cstring>
#include <exception>

#ifndef _WIN32
#include <cstdlib>
#include <filesystem>
#include <unistd.h>
#endif

namespace trajel {

namespace {

// Key and value names of the two places where Windows records its tool.
constexpr const char* cle_msinfo = "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO";
constexpr const char* valeur_msinfo = "PATH";
constexpr const char* cle_outils_partages = "SOFTWARE\\Microsoft\\Shared Tools Location";
constexpr const char* valeur_outils_partages = "MSINFO";
constexpr const char* fichier_msinfo = "\\MSINFO32.EXE";

// A REG_DWORD is stored least significant byte first; the bytes kept may be fewer
// than four when the last ones were taken for a terminator, and those were zeros.
std::string texte_nombre_32(const std::string& octets) {
    std::uint32_t nombre = 0;
    for (std::size_t i = 0; i < octets.size() && i < 4; ++i) {
        nombre |= static_cast<std::uint32_t>(static_cast<unsigned char>(octets[i])) << (8 * i);
    }
    return std::to_string(nombre);
}

} // namespace

bool GetKeyValue(registre& base, cle_registre racine, const std::string& nom_cle,
                 const std::string& nom_valeur, std::string& valeur) {
    cle_registre cle = 0;
    // Read access is all a lookup needs. Asking for every right on a key of
    // HKEY_LOCAL_MACHINE is refused to a standard account, and the tool would then
    // never be found.
    if (base.ouvrir(racine, nom_cle, acces_lecture, cle) == succes_registre) {
        std::string tampon(taille_tampon_registre, '\0');
        std::uint32_t taille = taille_tampon_registre;
        std::uint32_t type = 0;
        if (base.lire(cle, nom_valeur, type, tampon.data(), taille) == succes_registre) {
            // taille counts the bytes written, a string's terminator included when it
            // was stored with one: that terminator is not part of the text.
            std::size_t garde = taille < taille_tampon_registre ? taille : taille_tampon_registre;
            if (garde > 0 && tampon[garde - 1] == '\0') {
                --garde;
            }
            tampon.resize(garde);
            if (type == type_chaine) {
                valeur = tampon;
            } else if (type == type_nombre_32) {
                valeur = texte_nombre_32(tampon);
            }
            base.fermer(cle);
            return true;
        }
    }
    valeur.clear();
    base.fermer(cle); // still 0 when the key did not open
    return false;
}

void StartSysInfo(registre& base, lanceur& poste) {
    try {
        std::string chemin;
        if (GetKeyValue(base, racine_machine_locale, cle_msinfo, valeur_msinfo, chemin)) {
            if (poste.demarrer(chemin)) {
                return;
            }
        } else if (GetKeyValue(base, racine_machine_locale, cle_outils_partages,
                               valeur_outils_partages, chemin) &&
                   poste.fichier_existe(chemin + fichier_msinfo)) {
            chemin += fichier_msinfo;
            if (poste.demarrer(chemin)) {
                return;
            }
        }
    } catch (const std::exception&) {
        // Any failure of the lookup or of the start ends in the one message below.
    }
    poste.message("System Information Is Unavailable At This Time");
}

#ifndef _WIN32

namespace {

constexpr cle_registre cle_substitut = 1;  // the only key the stand-in ever opens
constexpr std::int32_t erreur_poignee = 6; // ERROR_INVALID_HANDLE

// The usual system-information tools of the desktops, by preference.
std::vector<std::string> outils_usuels() {
    return {"hardinfo", "kinfocenter", "gnome-system-monitor", "mate-system-monitor",
            "xfce4-taskmanager"};
}

bool executable(const std::filesystem::path& chemin) {
    std::error_code erreur;
    return std::filesystem::is_regular_file(chemin, erreur) && ::access(chemin.c_str(), X_OK) == 0;
}

} // namespace

registre_substitut::registre_substitut()
    : chemins_de_l_environnement_(true), outils_(outils_usuels()) {}

registre_substitut::registre_substitut(std::string chemins, std::vector<std::string> outils)
    : chemins_de_l_environnement_(false), chemins_(std::move(chemins)), outils_(std::move(outils)) {
}

std::string registre_substitut::outil_trouve() const {
    std::string chemins = chemins_;
    if (chemins_de_l_environnement_) {
        const char* variable = std::getenv("PATH");
        chemins = variable != nullptr ? variable : "";
    }
    for (const std::string& outil : outils_) {
        std::size_t debut = 0;
        while (debut <= chemins.size()) {
            std::size_t fin = chemins.find(':', debut);
            if (fin == std::string::npos) {
                fin = chemins.size();
            }
            // An empty entry is the current directory, which is not searched for a tool.
            if (fin > debut) {
                const std::filesystem::path chemin =
                    std::filesystem::path(chemins.substr(debut, fin - debut)) / outil;
                if (chemin.is_absolute() && executable(chemin)) {
                    return chemin.string();
                }
            }
            debut = fin + 1;
        }
    }
    return {};
}

std::int32_t registre_substitut::ouvrir(cle_registre racine, const std::string& nom_cle,
                                        std::uint32_t /*acces*/, cle_registre& cle) {
    if (racine != racine_machine_locale || nom_cle != cle_msinfo) {
        return erreur_cle_absente;
    }
    outil_ouvert_ = outil_trouve();
    if (outil_ouvert_.empty()) {
        return erreur_cle_absente;
    }
    cle = cle_substitut;
    return succes_registre;
}

std::int32_t registre_substitut::lire(cle_registre cle, const std::string& nom_valeur,
                                      std::uint32_t& type, char* tampon, std::uint32_t& taille) {
    if (cle != cle_substitut || outil_ouvert_.empty()) {
        return erreur_poignee;
    }
    if (nom_valeur != valeur_msinfo) {
        return erreur_cle_absente;
    }
    // A REG_SZ stored with its terminator.
    const std::size_t octets = outil_ouvert_.size() + 1;
    type = type_chaine;
    if (octets > taille) {
        taille = static_cast<std::uint32_t>(octets);
        return erreur_tampon_court;
    }
    std::memcpy(tampon, outil_ouvert_.c_str(), octets);
    taille = static_cast<std::uint32_t>(octets);
    return succes_registre;
}

std::int32_t registre_substitut::fermer(cle_registre cle) {
    if (cle != cle_substitut || outil_ouvert_.empty()) {
        return erreur_poignee;
    }
    outil_ouvert_.clear();
    return succes_registre;
}

registre& registre_du_systeme() {
    static registre_substitut substitut;
    return substitut;
}

#endif

} // namespace trajel
