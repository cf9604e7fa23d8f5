// The Windows registry through advapi32, in its ANSI form.
#ifdef _WIN32

#include "about/registre.h"

#include <windows.h>

namespace trajel {

namespace {

HKEY poignee(cle_registre cle) {
    return reinterpret_cast<HKEY>(cle);
}

class registre_windows final : public registre {
public:
    std::int32_t ouvrir(cle_registre racine, const std::string& nom_cle, std::uint32_t acces,
                        cle_registre& cle) override {
        HKEY ouverte = nullptr;
        const LONG resultat = RegOpenKeyExA(poignee(racine), nom_cle.c_str(), 0, acces, &ouverte);
        if (resultat == ERROR_SUCCESS) {
            cle = reinterpret_cast<cle_registre>(ouverte);
        }
        return resultat;
    }

    std::int32_t lire(cle_registre cle, const std::string& nom_valeur, std::uint32_t& type,
                      char* tampon, std::uint32_t& taille) override {
        DWORD type_lu = 0;
        DWORD taille_lue = taille;
        const LONG resultat = RegQueryValueExA(poignee(cle), nom_valeur.c_str(), nullptr, &type_lu,
                                               reinterpret_cast<BYTE*>(tampon), &taille_lue);
        type = type_lu;
        taille = taille_lue;
        return resultat;
    }

    std::int32_t fermer(cle_registre cle) override { return RegCloseKey(poignee(cle)); }
};

} // namespace

registre& registre_du_systeme() {
    static registre_windows systeme;
    return systeme;
}

} // namespace trajel

#endif
