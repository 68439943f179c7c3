// SPDX-FileCopyrightText: 2026 Vemo Tarn developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "texts.h"

#include "engine/techniques/catalogue.h"

#include <QGuiApplication>
#include <QHash>
#include <QPalette>

namespace vemo::ui {

namespace {

// Sub-index 0 of the built-in French texts. The captions are those the window
// carries; the messages 500.. are this program's own wording.
const QHash<int, QString>& FrenchTexts() {
    static const QHash<int, QString> texts = {
        {1, "Solution"},
        {2, "Caractéristiques"},
        {3, "Grille"},
        {26, "A propos"},
        {27, "Exemples"},
        {28, "Annuler &le Filtre"},
        {29, "&Filtrer..."},
        {30, "&Jouer l'indice"},
        {31, "Afficher un &indice complet"},
        {32, "&Afficher un indice"},
        {33, "Voir les &caractéristiques"},
        {34, "&Voir la solution"},
        {35, "Affichage des candidats &Possibles"},
        {36, "C&oller"},
        {37, "Copier Image"},
        {38, "Copier position actuelle"},
        {39, "&Copier Sudoku"},
        {40, "&Refaire"},
        {41, "&Annuler"},
        {42, "&Quitter"},
        {43, "Imprimer &4 grilles"},
        {44, "Im&primer Solution"},
        {45, "I&mprimer Position actuelle"},
        {46, "&Imprimer Sudoku"},
        {47, "&Recommencer"},
        {48, "&Commencer"},
        {49, "Enregistrer &Grille"},
        {50, "&Ouvrir"},
        {51, "&Nouveau"},
        {52, "Grille &vide"},
        {53, "&Générer"},
        {54, "Pas de symétrie"},
        {55, "Reflective"},
        {56, "Axiale"},
        {57, "Centrale"},
        {58, "Aléatoire"},
        {59, "Extrême"},
        {60, "Difficile"},
        {61, "Moyen"},
        {62, "Facile"},
        {64, "&Fichier"},
        {65, "&Edition"},
        {66, "Affic&hage"},
        {67, "&Aide"},
        {68, "&Langue"},
        {69, "&Français"},
        {70, "&Anglais"},
        {71, "&Options"},
        {72, "Les 1"},
        {73, "Les 2"},
        {74, "Les 3"},
        {75, "Les 4"},
        {76, "Les 5"},
        {77, "Les 6"},
        {78, "Les 7"},
        {79, "Les 8"},
        {80, "Les 9"},
        {81, "Les Paires"},
        {82, "Attendez quelques instants"},
        {83, "Réglage &Difficulté"},
        {84, "Réglage &Symétrie"},
        {85, "Listing possible :"},
        {86, "Techniques utilisées :"},
        {87, "Fichiers récents"},
        {88, "Réglage Type"},
        {89, "Classique"},
        {90, "(Non) Consécutif"},
        {91, "Consécutif"},
        {92, "X Sudoku"},
        {93, "Pair/Impair"},
        {94, "Aucun"},
        {95, "Tous"},
        {96, "Cellule active"},
        {101, "Candidat unique"},
        {102, "Candidat caché"},
        {103, "Candidats Vérouillés (1)"},
        {104, "Candidats Vérouillés (2)"},
        {107, "Paire nue"},
        {108, "Triplet nu"},
        {109, "Quadruplet nu"},
        {110, "Paire cachée"},
        {114, "X-wing"},
        {115, "Swordfish"},
        {116, "Couleurs"},
        {117, "Couleurs multiples"},
        {118, "Triplet caché"},
        {119, "XY-wing"},
        {120, "Quadruplet caché"},
        {502, "Cases remplies : "},
        {503, "Fichier incomplet : moins de 81 cases"},
        {504, "Grille impossible à jouer : "},
        {505, "plusieurs solutions ou moins de 17 chiffres"},
        {506, "une case n'a plus de candidat"},
        {507, "Coup erroné !"},
        {508, "Cette case est déjà remplie"},
        {514, "Temps"},
        {530, "Force brute"},
        {531, "Solutions"},
        {532, "Score"},
        {533, "Niveau"},
        {534, "Technique"},
        {535, "Cases"},
        {536, "Chiffres"},
        {537, "Centrale"},
        {538, "Axiale"},
        {539, "Reflective"},
        {541, "Voisin impossible"},
        {550, "Abandonner la partie en cours ?"},
        {551, "Ne plus demander"},
        {552, "Reprendre la partie au démarrage"},
        {553, "Statistiques"},
        {554, "Nouveau record !"},
        {555, "Partie sauvegardée illisible, mise de côté"},
        {556, "Partie sauvegardée par une version plus récente, mise de côté"},
        {557, "Fichier des records illisible, ignoré"},
        {558, "Partie reprise"},
        {559, "La partie n'a pas pu être sauvegardée : "},
        {560, "Variante"},
        {561, "Parties terminées"},
        {562, "Meilleur temps"},
        {563, "Meilleur temps sans indice"},
        {564, "Remettre à zéro"},
        {565, "Fermer"},
        {566, "Effacer tous les records ?"},
        {567, "Les records n'ont pas pu être enregistrés : "},
        {580, "Fichier refusé, rien n'a changé : ce n'est pas une grille (données binaires)"},
        {581,
         "Fichier refusé, rien n'a changé : des cases au-delà de la grille (plusieurs grilles ?)"},
        {583, " : aucune solution"},
        {584, "Ctrl+N : nouvelle grille, F1 : exemples"},
        {585, "Saisie à la main : tapez les chiffres donnés, puis F3 pour commencer"},
        {586, "Demander avant d'abandonner une partie"},
        {587, "Grille enregistrée : "},
        {588, "STATISTIQUES"},
        {589, "Une autre fenêtre garde la partie : ni reprise ni gardée ici"},
        {900, "E&xplications"},
        {901, "Explication de l'indice"},
        {902, "Sans deviner :"},
        {903, "Échelle ER/EP/ED : "},
        {904, "Étape la plus difficile : "},
        {600, "vide"},
        {601, "donné"},
        {602, "candidats"},
        {603, "indice"},
        {604, "filtre"},
        {605, "&Apparence"},
        {606, "Clair"},
        {607, "Sombre"},
        {608, "Contraste élevé"},
        {609, "Grille de jeu"},
        {700, "L"},
        {701, "C"},
        {702, "placé"},
        {703, "retiré"},
        {704, "retirés"},
        {705, "Annulé : "},
        {706, "Rétabli : "},
        {707, "ligne"},
        {708, "colonne"},
        {709, "bloc"},
        {710, "chiffres placés"},
        {711, "Grille terminée !"},
        {712, "jouer"},
        {713, "exclure"},
    };
    return texts;
}

// Sub-index 1: the hints of the toolbar buttons.
const QHash<int, QString>& FrenchHints() {
    static const QHash<int, QString> hints = {
        {4, "A propos"},
        {5, "Imprimer Sudoku"},
        {6, "Jouer Indice"},
        {7, "Indice complet"},
        {8, "Indice"},
        {9, "Refaire (Ctrl+R)"},
        {10, "Annuler (Ctrl+Z)"},
        {11, "Enregistrer grille"},
        {12, "Ouvrir"},
        {13, "Nouveau (Généré)"},
        {14, "Nouveau (grille vide)"},
        {15, "Annuler filtre"},
        {16, "Filtrer paires"},
        {17, "Filtrer 9"},
        {18, "Filtrer 8"},
        {19, "Filtrer 7"},
        {20, "Filtrer 6"},
        {21, "Filtrer 5"},
        {22, "Filtrer 4"},
        {23, "Filtrer 3"},
        {24, "Filtrer 2"},
        {25, "Filtrer 1"},
    };
    return hints;
}

} // namespace

QString BuiltInTexts::Text(int identifier, int subIndex) const {
    if (subIndex == 0) return FrenchTexts().value(identifier);
    if (subIndex == 1) return FrenchHints().value(identifier);
    return {};
}

QString TrimLeft(const QString& text) {
    qsizetype i = 0;
    while (i < text.size() && text[i] == QLatin1Char(' ')) ++i;
    return text.mid(i);
}

QString TechniqueName(const TextSource& texts, int technique) {
    if (technique < 1 || technique > kTechniqueCount) return {};
    return TrimLeft(texts.Text(TechniqueNameTexts[technique - 1]));
}

QColor ButtonFaceColour() {
    return QGuiApplication::palette().color(QPalette::Button);
}

QString WithoutMnemonic(const QString& text) {
    QString plain;
    plain.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        // "&x" shows as "x" and "&&" as "&"; a last lone "&" stays.
        if (text[i] == QLatin1Char('&') && i + 1 < text.size()) ++i;
        plain += text[i];
    }
    return plain;
}

} // namespace vemo::ui
