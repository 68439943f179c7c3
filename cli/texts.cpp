#include "texts.h"

#include "engine/techniques/catalogue.h"

namespace vemo::cli {

std::string Texts::Text(int identifier) const {
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
    default:
        break;
    }
    for (const auto& t : TechniqueCatalogue)
        if (t.text == identifier && t.french[0] != '\0') return t.french;
    return {};
}

std::string Texts::TechniqueName(int technique) const {
    if (technique < 1 || technique > kTechniqueCount) return {};
    return Text(TechniqueCatalogue[technique].text);
}

const Texts& ProgramTexts() {
    static const Texts texts;
    return texts;
}

} // namespace vemo::cli
