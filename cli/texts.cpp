// SPDX-FileCopyrightText: 2026 Vemo Tarn developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "texts.h"

#include "engine/techniques/catalogue.h"
#include "io/language.h"

#include <unistd.h>

namespace vemo::cli {

namespace {

std::string ExecutableFolder() {
    std::string path(4096, '\0');
    const ssize_t n = ::readlink("/proc/self/exe", path.data(), path.size() - 1);
    if (n <= 0) return ".";
    path.resize(static_cast<std::size_t>(n));
    return path.substr(0, path.find_last_of('/'));
}

// The French language file beside the tool, or where an installation puts it.
const io::LanguageTable& French() {
    static const io::LanguageTable table = [] {
        io::LanguageTable t;
        const std::string folder = ExecutableFolder();
        for (const std::string& candidate :
             {folder + "/Langues/Français.lng", folder + "/../share/vemotarn/Langues/Français.lng",
              folder + "/../../share/vemotarn/Langues/Français.lng"})
            if (t.Load(candidate).ok) break;
        return t;
    }();
    return table;
}

} // namespace

std::string Texts::Text(int identifier) const {
    if (std::string text = French().LookupText(identifier); !text.empty()) return text;
    // Built-in French for when the language files are not installed.
    switch (identifier) {
    case 59:
        return "Extrême";
    case 60:
        return "Difficile";
    case 61:
        return "Moyen";
    case 62:
        return "Facile";
    case 530:
        return "Force brute";
    case 541:
        return "Voisin impossible";
    case 3:
        return "Grille";
    case 532:
        return "Score";
    case 533:
        return "Niveau";
    case 540:
        return "Type";
    case 89:
        return "Classique";
    case 90:
        return "(Non) Consécutif";
    case 91:
        return "Consécutif";
    case 93:
        return "Pair/Impair";
    case 503:
        return "Fichier incomplet : moins de 81 cases";
    case 504:
        return "Grille non valide";
    case 505:
        return " : plusieurs solutions ou moins de 17 chiffres";
    case 506:
        return " : une case n'a plus de candidat";
    case 542:
        return "Grille refusée : un champ n'est pas un nombre entier, rien n'a changé";
    case 543:
        return "Impossible de lire le fichier : ";
    case 544:
        return "Impossible d'écrire le fichier : ";
    case 580:
        return "Fichier refusé, rien n'a changé : ce n'est pas une grille (données binaires)";
    case 581:
        return "Fichier refusé, rien n'a changé : des cases au-delà de la grille (plusieurs "
               "grilles ?)";
    default:
        break;
    }
    for (const auto& t : TechniqueCatalogue)
        if (t.text == identifier && t.french[0] != '\0') return t.french;
    return {};
}

std::string Texts::TechniqueName(int technique) const {
    if (technique < 1 || technique > kTechniqueCount) return {};
    std::string name = Text(TechniqueCatalogue[technique].text);
    name.erase(0, name.find_first_not_of(' '));
    return name;
}

const Texts& ProgramTexts() {
    static const Texts texts;
    return texts;
}

} // namespace vemo::cli
