#pragma once

#include "about/registre.h"

#include <cstring>
#include <map>
#include <set>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

// A registry in memory that behaves as advapi32 does and keeps a journal of the
// calls: values are stored as raw bytes, a value larger than the caller's buffer
// gives ERROR_MORE_DATA, a failed open leaves the handle untouched.
class faux_registre final : public trajel::registre {
public:
    struct valeur {
        std::uint32_t type = trajel::type_chaine;
        std::string octets;
    };
    struct ouverture {
        trajel::cle_registre racine = 0;
        std::string nom_cle;
        std::uint32_t acces = 0;
    };

    void ecrire(const std::string& nom_cle, const std::string& nom_valeur, std::uint32_t type,
                std::string octets, trajel::cle_registre racine = trajel::racine_machine_locale) {
        cles_[{racine, nom_cle}][nom_valeur] = valeur{type, std::move(octets)};
    }
    // A REG_SZ stored with its terminator, as the system writes strings.
    void chaine(const std::string& nom_cle, const std::string& nom_valeur,
                const std::string& texte) {
        ecrire(nom_cle, nom_valeur, trajel::type_chaine, texte + std::string(1, '\0'));
    }

    std::int32_t ouvrir(trajel::cle_registre racine, const std::string& nom_cle,
                        std::uint32_t acces, trajel::cle_registre& cle) override {
        ouvertures.push_back({racine, nom_cle, acces});
        const auto trouvee = cles_.find({racine, nom_cle});
        if (trouvee == cles_.end()) {
            return trajel::erreur_cle_absente;
        }
        cle = prochaine_++;
        ouvertes_[cle] = &trouvee->second;
        return trajel::succes_registre;
    }

    std::int32_t lire(trajel::cle_registre cle, const std::string& nom_valeur, std::uint32_t& type,
                      char* tampon, std::uint32_t& taille) override {
        const auto ouverte = ouvertes_.find(cle);
        if (ouverte == ouvertes_.end()) {
            return poignee_invalide;
        }
        const auto trouvee = ouverte->second->find(nom_valeur);
        if (trouvee == ouverte->second->end()) {
            return trajel::erreur_cle_absente;
        }
        const valeur& v = trouvee->second;
        type = v.type;
        const bool tient = v.octets.size() <= taille;
        taille = static_cast<std::uint32_t>(v.octets.size());
        if (!tient) {
            return trajel::erreur_tampon_court;
        }
        std::memcpy(tampon, v.octets.data(), v.octets.size());
        return trajel::succes_registre;
    }

    std::int32_t fermer(trajel::cle_registre cle) override {
        fermetures.push_back(cle);
        return ouvertes_.erase(cle) == 1 ? trajel::succes_registre : poignee_invalide;
    }

    // Keys opened and not closed yet.
    std::size_t cles_ouvertes() const { return ouvertes_.size(); }

    std::vector<ouverture> ouvertures;
    std::vector<trajel::cle_registre> fermetures;

private:
    static constexpr std::int32_t poignee_invalide = 6; // ERROR_INVALID_HANDLE

    std::map<std::pair<trajel::cle_registre, std::string>, std::map<std::string, valeur>> cles_;
    std::map<trajel::cle_registre, const std::map<std::string, valeur>*> ouvertes_;
    trajel::cle_registre prochaine_ = 0x100;
};

// The platform, faked: the files that exist and the programs that start are listed;
// every call is recorded.
class faux_lanceur final : public trajel::lanceur {
public:
    bool fichier_existe(const std::string& chemin) override {
        fichiers_cherches.push_back(chemin);
        return fichiers.count(chemin) == 1;
    }
    bool demarrer(const std::string& chemin) override {
        tentatives.push_back(chemin);
        if (lever_au_demarrage) {
            throw std::runtime_error("démarrage impossible");
        }
        if (programmes.count(chemin) == 0) {
            return false;
        }
        demarres.push_back(chemin);
        return true;
    }
    void message(const std::string& texte) override { messages.push_back(texte); }

    std::set<std::string> fichiers;
    std::set<std::string> programmes;
    bool lever_au_demarrage = false;

    std::vector<std::string> fichiers_cherches;
    std::vector<std::string> tentatives;
    std::vector<std::string> demarres;
    std::vector<std::string> messages;
};
