// SPDX-FileCopyrightText: 2026 Vemo Tarn developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The window's commands in one table: where each sits in the menu, its French
// caption, shortcut and language identifier. The menus, the toolbars and the
// enabled states are all built from it.
#pragma once

#include <array>
#include <string_view>

namespace vemo::ui {

enum class Command : int {
    BlankGrid,
    Generate,
    Open,
    Save,
    Recent1,
    Recent2,
    Recent3,
    Recent4,
    Recent5,
    Start,
    Restart,
    Print,
    PrintPosition,
    PrintSolution,
    PrintFour,
    Quit,
    Undo,
    Redo,
    CopyPuzzle,
    CopyPosition,
    CopyImage,
    Paste,
    CandidatesNone,
    CandidatesAll,
    CandidatesActive,
    ShowSolution,
    ShowCharacteristics,
    Hint,
    CompleteHint,
    PlayHint,
    Filter1,
    Filter2,
    Filter3,
    Filter4,
    Filter5,
    Filter6,
    Filter7,
    Filter8,
    Filter9,
    FilterPairs,
    CancelFilter,
    Easy,
    Medium,
    Hard,
    Extreme,
    RandomLevel,
    Diabolique,
    Demoniaque,
    Central,
    Axial,
    Reflective,
    NoSymmetry,
    Classic,
    NonConsecutive,
    Consecutive,
    OddEven,
    XSudoku,
    French,
    English,
    ResumeAtStart,
    Examples,
    Statistics,
    About,
    LookLight,
    LookDark,
    LookHighContrast,
    Count
};

inline constexpr int kCommandCount = static_cast<int>(Command::Count);

constexpr int Index(Command c) {
    return static_cast<int>(c);
}
constexpr Command FilterCommand(int digit) {
    return static_cast<Command>(Index(Command::Filter1) + digit - 1);
}

// A menu of the menu bar or a sub-menu; parent is empty for the menu bar.
struct MenuInfo {
    std::string_view key;
    std::string_view parent;
    std::string_view caption;
    int text;
};

inline constexpr std::array<MenuInfo, 14> kMenus = {{
    {"Fichier", "", "&Fichier", 64},
    {"Nouveau", "Fichier", "&Nouveau", 51},
    {"Recents", "Fichier", "Fichiers récents", 87},
    {"Edition", "", "&Edition", 65},
    {"Affichage", "", "Affic&hage", 66},
    {"Candidats", "Affichage", "Affichage des candidats &Possibles", 35},
    {"Filtrer", "Affichage", "&Filtrer...", 29},
    {"Options", "", "&Options", 71},
    {"Difficulte", "Options", "Réglage &Difficulté", 83},
    {"Symetrie", "Options", "Réglage &Symétrie", 84},
    {"Type", "Options", "Réglage Type", 88},
    {"Langue", "Options", "&Langue", 68},
    {"Apparence", "Options", "&Apparence", 605},
    {"Aide", "", "&Aide", 67},
}};

// separatorBefore draws a line above the entry in its menu.
struct CommandInfo {
    Command id;
    std::string_view menu;
    std::string_view caption;
    std::string_view shortcut;
    int text;
    bool checkable;
    bool separatorBefore;
};

// In menu order.
inline constexpr std::array<CommandInfo, kCommandCount> kCommands = {{
    {Command::Generate, "Nouveau", "&Générer", "Ctrl+N", 53, false, false},
    {Command::BlankGrid, "Nouveau", "Grille &vide", "F2", 52, false, false},
    {Command::Open, "Fichier", "&Ouvrir", "Ctrl+O", 50, false, false},
    {Command::Save, "Fichier", "Enregistrer &Grille", "Ctrl+S", 49, false, false},
    {Command::Recent1, "Recents", "", "", 401, false, false},
    {Command::Recent2, "Recents", "", "", 402, false, false},
    {Command::Recent3, "Recents", "", "", 403, false, false},
    {Command::Recent4, "Recents", "", "", 404, false, false},
    {Command::Recent5, "Recents", "", "", 405, false, false},
    {Command::Start, "Fichier", "&Commencer", "F3", 48, false, true},
    {Command::Restart, "Fichier", "&Recommencer", "F4", 47, false, false},
    {Command::Print, "Fichier", "&Imprimer Sudoku", "Ctrl+P", 46, false, true},
    {Command::PrintPosition, "Fichier", "I&mprimer Position actuelle", "", 45, false, false},
    {Command::PrintSolution, "Fichier", "Im&primer Solution", "", 44, false, false},
    {Command::PrintFour, "Fichier", "Imprimer &4 grilles", "Ctrl+F4", 43, false, false},
    {Command::Quit, "Fichier", "&Quitter", "", 42, false, true},
    {Command::Undo, "Edition", "&Annuler", "Ctrl+Z", 41, false, false},
    {Command::Redo, "Edition", "&Refaire", "Ctrl+R", 40, false, false},
    {Command::CopyPuzzle, "Edition", "&Copier Sudoku", "Ctrl+C", 39, false, true},
    {Command::CopyPosition, "Edition", "Copier position actuelle", "Ctrl+B", 38, false, false},
    {Command::CopyImage, "Edition", "Copier Image", "Ctrl+I", 37, false, false},
    {Command::Paste, "Edition", "C&oller", "Ctrl+V", 36, false, false},
    {Command::CandidatesNone, "Candidats", "Aucun", "Ctrl+A", 94, true, false},
    {Command::CandidatesAll, "Candidats", "Tous", "Ctrl+W", 95, true, false},
    {Command::CandidatesActive, "Candidats", "Cellule active", "", 96, true, false},
    {Command::ShowSolution, "Affichage", "&Voir la solution", "Ctrl+X", 34, false, false},
    {Command::ShowCharacteristics, "Affichage", "Voir les &caractéristiques", "Ctrl+K", 33, false,
     false},
    {Command::Hint, "Affichage", "&Afficher un indice", "F6", 32, false, true},
    {Command::CompleteHint, "Affichage", "Afficher un &indice complet", "F7", 31, false, false},
    {Command::PlayHint, "Affichage", "&Jouer l'indice", "F8", 30, false, false},
    {Command::Filter1, "Filtrer", "Les 1", "Shift+F1", 72, false, false},
    {Command::Filter2, "Filtrer", "Les 2", "Shift+F2", 73, false, false},
    {Command::Filter3, "Filtrer", "Les 3", "Shift+F3", 74, false, false},
    {Command::Filter4, "Filtrer", "Les 4", "Shift+F4", 75, false, false},
    {Command::Filter5, "Filtrer", "Les 5", "Shift+F5", 76, false, false},
    {Command::Filter6, "Filtrer", "Les 6", "Shift+F6", 77, false, false},
    {Command::Filter7, "Filtrer", "Les 7", "Shift+F7", 78, false, false},
    {Command::Filter8, "Filtrer", "Les 8", "Shift+F8", 79, false, false},
    {Command::Filter9, "Filtrer", "Les 9", "Shift+F9", 80, false, false},
    {Command::FilterPairs, "Filtrer", "Les Paires", "Shift+F10", 81, false, false},
    {Command::CancelFilter, "Affichage", "Annuler &le Filtre", "F11", 28, false, false},
    {Command::Easy, "Difficulte", "Facile", "", 62, true, false},
    {Command::Medium, "Difficulte", "Moyen", "", 61, true, false},
    {Command::Hard, "Difficulte", "Difficile", "", 60, true, false},
    {Command::Extreme, "Difficulte", "Extrême", "", 59, true, false},
    {Command::RandomLevel, "Difficulte", "Aléatoire", "", 58, true, false},
    {Command::Diabolique, "Difficulte", "Diabolique", "", 721, true, true},
    {Command::Demoniaque, "Difficulte", "Démoniaque", "", 722, true, false},
    {Command::Central, "Symetrie", "Centrale", "", 57, true, false},
    {Command::Axial, "Symetrie", "Axiale", "", 56, true, false},
    {Command::Reflective, "Symetrie", "Reflective", "", 55, true, false},
    {Command::NoSymmetry, "Symetrie", "Pas de symétrie", "", 54, true, false},
    {Command::Classic, "Type", "Classique", "", 89, true, false},
    {Command::NonConsecutive, "Type", "(Non) Consécutif", "", 90, true, false},
    {Command::Consecutive, "Type", "Consécutif", "", 91, true, false},
    {Command::OddEven, "Type", "Pair/Impair", "", 93, true, false},
    {Command::XSudoku, "Type", "X Sudoku", "", 92, true, true},
    {Command::French, "Langue", "&Français", "", 69, true, false},
    {Command::English, "Langue", "&Anglais", "", 70, true, false},
    {Command::ResumeAtStart, "Options", "Reprendre la partie au démarrage", "", 552, true, true},
    {Command::Examples, "Aide", "Exemples", "F1", 27, false, false},
    {Command::Statistics, "Aide", "Statistiques", "", 553, false, false},
    {Command::About, "Aide", "A propos", "Ctrl+F1", 26, false, false},
    {Command::LookLight, "Apparence", "Clair", "", 606, true, false},
    {Command::LookDark, "Apparence", "Sombre", "", 607, true, false},
    {Command::LookHighContrast, "Apparence", "Contraste élevé", "", 608, true, false},
}};

// Toolbar buttons: the command, the language identifier of the hint (sub-index 1)
// and whether a group separator precedes the button. Command::Count marks a
// toggle of the filter toolbar that has no menu twin of its own.
struct ToolButtonInfo {
    Command id;
    int hintText;
    std::string_view hint;
    bool separatorBefore;
};

inline constexpr std::array<ToolButtonInfo, 11> kCommandButtons = {{
    {Command::BlankGrid, 14, "Nouveau (grille vide)", false},
    {Command::Generate, 13, "Nouveau (Généré)", false},
    {Command::Open, 12, "Ouvrir", false},
    {Command::Save, 11, "Enregistrer grille", false},
    {Command::Undo, 10, "Annuler (Ctrl+Z)", true},
    {Command::Redo, 9, "Refaire (Ctrl+R)", false},
    {Command::Hint, 8, "Indice", true},
    {Command::CompleteHint, 7, "Indice complet", false},
    {Command::PlayHint, 6, "Jouer Indice", false},
    {Command::Print, 5, "Imprimer Sudoku", true},
    {Command::About, 4, "A propos", true},
}};

} // namespace vemo::ui
