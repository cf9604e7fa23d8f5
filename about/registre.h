#pragma once

#include <cstdint>
#include <string>
#include <vector>

// The registry lookup of "&System Info...", free of any toolkit: the registry and
// the platform are reached through two small interfaces, so that the lookup runs
// the same against advapi32, against the stand-in of systems without a registry
// and against the fakes of the tests.
namespace trajel {

// A registry key handle (HKEY). The predefined roots are 32-bit values that
// Windows sign-extends to the width of a pointer.
using cle_registre = std::uintptr_t;

inline constexpr cle_registre racine_machine_locale = // HKEY_LOCAL_MACHINE
    static_cast<cle_registre>(static_cast<std::intptr_t>(static_cast<std::int32_t>(0x80000002u)));

// Results and values as advapi32 gives them.
inline constexpr std::int32_t succes_registre = 0;            // ERROR_SUCCESS
inline constexpr std::int32_t erreur_cle_absente = 2;         // ERROR_FILE_NOT_FOUND
inline constexpr std::int32_t erreur_tampon_court = 234;      // ERROR_MORE_DATA
inline constexpr std::uint32_t acces_lecture = 0x20019;       // KEY_READ
inline constexpr std::uint32_t type_chaine = 1;               // REG_SZ
inline constexpr std::uint32_t type_nombre_32 = 4;            // REG_DWORD
inline constexpr std::uint32_t taille_tampon_registre = 1024; // bytes read at most

// The three registry calls of advapi32, each returning 0 on success.
class registre {
public:
    virtual ~registre() = default;

    // RegOpenKeyExA(racine, nom_cle, 0, acces, &cle): cle is written on success only.
    virtual std::int32_t ouvrir(cle_registre racine, const std::string& nom_cle,
                                std::uint32_t acces, cle_registre& cle) = 0;
    // RegQueryValueExA(cle, nom_valeur, 0, &type, tampon, &taille): taille holds the
    // size of tampon in bytes on entry and the number of bytes written on return;
    // a value that does not fit gives erreur_tampon_court.
    virtual std::int32_t lire(cle_registre cle, const std::string& nom_valeur, std::uint32_t& type,
                              char* tampon, std::uint32_t& taille) = 0;
    // RegCloseKey(cle).
    virtual std::int32_t fermer(cle_registre cle) = 0;
};

// What the lookup asks of the platform besides the registry.
class lanceur {
public:
    virtual ~lanceur() = default;

    // Whether a file of that path exists.
    virtual bool fichier_existe(const std::string& chemin) = 0;
    // Starts the program of that path in a normal, focused window without waiting
    // for it; false when it cannot be started.
    virtual bool demarrer(const std::string& chemin) = 0;
    // A modal message with an OK button only, titled with the program's title.
    virtual void message(const std::string& texte) = 0;
};

// Reads the value nom_valeur of the key (racine, nom_cle) into valeur and returns
// true; on any failure valeur becomes empty and the result is false. The key is
// closed in every case.
bool GetKeyValue(registre& base, cle_registre racine, const std::string& nom_cle,
                 const std::string& nom_valeur, std::string& valeur);

// Starts the system-information tool that the registry names, or shows
// "System Information Is Unavailable At This Time".
void StartSysInfo(registre& base, lanceur& poste);

// The registry of this system: advapi32 on Windows, the stand-in elsewhere.
registre& registre_du_systeme();

#ifndef _WIN32
// A registry with no database behind it, for systems without one. It holds a single
// value: "PATH" of HKEY_LOCAL_MACHINE\SOFTWARE\Microsoft\Shared Tools\MSINFO, which
// is the full path of the first of the usual desktop system-information tools found
// in the search path at the moment the key is opened. With none found, the key does
// not exist, like every other key.
class registre_substitut final : public registre {
public:
    // The search path of the environment, read at each opening, and the usual tools.
    registre_substitut();
    // A fixed search path (directories separated by ':') and list of tools.
    registre_substitut(std::string chemins, std::vector<std::string> outils);

    std::int32_t ouvrir(cle_registre racine, const std::string& nom_cle, std::uint32_t acces,
                        cle_registre& cle) override;
    std::int32_t lire(cle_registre cle, const std::string& nom_valeur, std::uint32_t& type,
                      char* tampon, std::uint32_t& taille) override;
    std::int32_t fermer(cle_registre cle) override;

    // The full path of the first tool found, or the empty text.
    std::string outil_trouve() const;

private:
    bool chemins_de_l_environnement_;
    std::string chemins_;
    std::vector<std::string> outils_;
    std::string outil_ouvert_; // the value of the open key
};
#endif

} // namespace trajel
