// GetKeyValue and StartSysInfo against the registry of advapi32. Plain C++ for
// MinGW-w64; the values read are written here first, under HKEY_CURRENT_USER, and
// under HKEY_LOCAL_MACHINE only where neither location of the system-information
// tool holds a value and the key may be written (an administrator, or wine). What
// was written is removed at the end. The exit code is the number of failures.
#include "about/registre.h"

#include <windows.h>

#include <cstdio>
#include <string>
#include <utility>
#include <vector>

using namespace trajel;

namespace {

int echecs = 0;

void verifier(bool condition, const std::string& cas) {
    std::printf("%s  %s\n", condition ? "ok   " : "ECHEC", cas.c_str());
    if (!condition) {
        ++echecs;
    }
}

cle_registre racine(HKEY cle) {
    return reinterpret_cast<cle_registre>(cle);
}

const char* const cle_essais = "Software\\Trajel\\Essais";
const char* const cle_msinfo = "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO";
const char* const cle_outils = "SOFTWARE\\Microsoft\\Shared Tools Location";

// Keys this program created, to be removed at the end; keys that were there stay.
std::vector<std::pair<HKEY, std::string>> cles_creees;

bool ecrire(HKEY racine_cle, const char* nom_cle, const char* nom_valeur, DWORD type,
            const std::string& octets) {
    HKEY cle = nullptr;
    DWORD disposition = 0;
    if (RegCreateKeyExA(racine_cle, nom_cle, 0, nullptr, 0, KEY_WRITE, nullptr, &cle,
                        &disposition) != ERROR_SUCCESS) {
        return false;
    }
    if (disposition == REG_CREATED_NEW_KEY) {
        cles_creees.emplace_back(racine_cle, nom_cle);
    }
    const LONG resultat =
        RegSetValueExA(cle, nom_valeur, 0, type, reinterpret_cast<const BYTE*>(octets.data()),
                       static_cast<DWORD>(octets.size()));
    RegCloseKey(cle);
    return resultat == ERROR_SUCCESS;
}

// The string value, read directly, or false when it is not there.
bool lire_directement(HKEY racine_cle, const char* nom_cle, const char* nom_valeur,
                      std::string& valeur) {
    char tampon[2048] = {};
    DWORD taille = sizeof tampon - 1;
    if (RegGetValueA(racine_cle, nom_cle, nom_valeur, RRF_RT_REG_SZ, nullptr, tampon, &taille) !=
        ERROR_SUCCESS) {
        return false;
    }
    valeur = tampon;
    return true;
}

bool cle_existe(HKEY racine_cle, const char* nom_cle) {
    HKEY cle = nullptr;
    if (RegOpenKeyExA(racine_cle, nom_cle, 0, KEY_READ, &cle) != ERROR_SUCCESS) {
        return false;
    }
    RegCloseKey(cle);
    return true;
}

std::string avec_nul(const std::string& texte) {
    return texte + std::string(1, '\0');
}

class lanceur_enregistreur final : public lanceur {
public:
    bool fichier_existe(const std::string& chemin) override { return chemin == fichier_present; }
    bool demarrer(const std::string& chemin) override {
        demarres.push_back(chemin);
        return true;
    }
    void message(const std::string& texte) override { messages.push_back(texte); }

    std::string fichier_present;
    std::vector<std::string> demarres;
    std::vector<std::string> messages;
};

void lectures() {
    registre& base = registre_du_systeme();
    const cle_registre utilisateur = racine(HKEY_CURRENT_USER);

    const bool trajel_existait = cle_existe(HKEY_CURRENT_USER, "Software\\Trajel");
    const std::string outil = "C:\\Program Files\\Outil\\outil.exe";
    const std::string long1023(1023, 'a');
    const std::string long2000(2000, 'b');
    const char nombre[4] = {0x45, 0x23, 0x01, 0x00};
    bool ecrit = ecrire(HKEY_CURRENT_USER, cle_essais, "avec", REG_SZ, avec_nul(outil));
    ecrit = ecrire(HKEY_CURRENT_USER, cle_essais, "sans", REG_SZ, outil) && ecrit;
    ecrit = ecrire(HKEY_CURRENT_USER, cle_essais, "long1023", REG_SZ, avec_nul(long1023)) && ecrit;
    ecrit = ecrire(HKEY_CURRENT_USER, cle_essais, "long2000", REG_SZ, avec_nul(long2000)) && ecrit;
    ecrit =
        ecrire(HKEY_CURRENT_USER, cle_essais, "nombre", REG_DWORD, std::string(nombre, 4)) && ecrit;
    ecrit = ecrire(HKEY_CURRENT_USER, cle_essais, "binaire", REG_BINARY, "\x01\x02") && ecrit;
    verifier(ecrit, "valeurs d'essai ecrites sous HKEY_CURRENT_USER");

    std::string valeur = "ancienne";
    verifier(GetKeyValue(base, utilisateur, cle_essais, "avec", valeur) && valeur == outil,
             "chaine avec terminateur lue sans lui");
    valeur = "ancienne";
    verifier(GetKeyValue(base, utilisateur, cle_essais, "sans", valeur) && valeur == outil,
             "chaine sans terminateur lue entiere");
    valeur.clear();
    verifier(GetKeyValue(base, utilisateur, cle_essais, "long1023", valeur) && valeur == long1023,
             "1023 caracteres et terminateur: lue");
    valeur = "ancienne";
    verifier(!GetKeyValue(base, utilisateur, cle_essais, "long2000", valeur) && valeur.empty(),
             "2000 caracteres: echec, valeur vide");
    valeur.clear();
    const bool nombre_lu = GetKeyValue(base, utilisateur, cle_essais, "nombre", valeur);
    verifier(nombre_lu && valeur == "74565", "nombre 32 bits lu en texte: " + valeur);
    valeur = "ancienne";
    verifier(GetKeyValue(base, utilisateur, cle_essais, "binaire", valeur) && valeur == "ancienne",
             "valeur binaire: lue, texte laisse tel quel");
    valeur = "ancienne";
    verifier(!GetKeyValue(base, utilisateur, cle_essais, "absente", valeur) && valeur.empty(),
             "valeur absente: echec, valeur vide");
    valeur = "ancienne";
    verifier(!GetKeyValue(base, utilisateur, "Software\\Trajel\\Absente", "PATH", valeur) &&
                 valeur.empty(),
             "cle absente: echec, valeur vide");

    RegDeleteTreeA(HKEY_CURRENT_USER, trajel_existait ? cle_essais : "Software\\Trajel");
}

void lancement() {
    registre& base = registre_du_systeme();
    const std::string indisponible = "System Information Is Unavailable At This Time";

    std::string premiere;
    std::string seconde;
    if (lire_directement(HKEY_LOCAL_MACHINE, cle_msinfo, "PATH", premiere)) {
        // A system that knows its tool: it is the one started, and nothing is written.
        lanceur_enregistreur poste;
        StartSysInfo(base, poste);
        verifier(poste.demarres == std::vector<std::string>{premiere} && poste.messages.empty(),
                 "outil du systeme demarre: " + premiere);
        return;
    }
    if (lire_directement(HKEY_LOCAL_MACHINE, cle_outils, "MSINFO", seconde)) {
        std::printf("--     second emplacement deja present: lancement non essaye\n");
        return;
    }

    {
        // Under wine the first key exists without its value.
        lanceur_enregistreur poste;
        StartSysInfo(base, poste);
        verifier(poste.demarres.empty() && poste.messages == std::vector<std::string>{indisponible},
                 std::string("aucune valeur: le message (premiere cle ") +
                     (cle_existe(HKEY_LOCAL_MACHINE, cle_msinfo) ? "presente" : "absente") + ")");
    }

    const std::string dossier = "C:\\Program Files\\Common Files\\Microsoft Shared\\MSInfo";
    if (!ecrire(HKEY_LOCAL_MACHINE, cle_outils, "MSINFO", REG_SZ, avec_nul(dossier))) {
        std::printf("--     HKEY_LOCAL_MACHINE non inscriptible: lancement non essaye\n");
        return;
    }
    {
        lanceur_enregistreur poste;
        poste.fichier_present = dossier + "\\MSINFO32.EXE";
        StartSysInfo(base, poste);
        verifier(poste.demarres == std::vector<std::string>{dossier + "\\MSINFO32.EXE"} &&
                     poste.messages.empty(),
                 "second emplacement avec le fichier: outil demarre");
    }
    {
        lanceur_enregistreur poste;
        StartSysInfo(base, poste);
        verifier(poste.demarres.empty() && poste.messages == std::vector<std::string>{indisponible},
                 "second emplacement sans le fichier: le message");
    }

    const std::string outil = "C:\\WINDOWS\\system32\\msinfo32.exe";
    verifier(ecrire(HKEY_LOCAL_MACHINE, cle_msinfo, "PATH", REG_SZ, avec_nul(outil)),
             "premier emplacement ecrit");
    {
        lanceur_enregistreur poste;
        StartSysInfo(base, poste);
        verifier(poste.demarres == std::vector<std::string>{outil} && poste.messages.empty(),
                 "premier emplacement: outil demarre");
    }

    RegDeleteKeyValueA(HKEY_LOCAL_MACHINE, cle_msinfo, "PATH");
    RegDeleteKeyValueA(HKEY_LOCAL_MACHINE, cle_outils, "MSINFO");
    verifier(!lire_directement(HKEY_LOCAL_MACHINE, cle_msinfo, "PATH", premiere) &&
                 !lire_directement(HKEY_LOCAL_MACHINE, cle_outils, "MSINFO", seconde),
             "valeurs ecrites effacees");
}

void nettoyer() {
    for (auto cle = cles_creees.rbegin(); cle != cles_creees.rend(); ++cle) {
        RegDeleteTreeA(cle->first, cle->second.c_str());
    }
}

} // namespace

int main() {
    lectures();
    lancement();
    nettoyer();
    std::printf("%d echec(s)\n", echecs);
    return echecs;
}
