// The sheet content the task tests share: three questions, a block without items, a one-question block and
// the typing help.
#pragma once

#include <string>
#include <vector>

namespace kvizaro::test {

inline const std::vector<std::string> SheetContent{
    "#Menuo",
    "Menuero=\"Kezd\xF5knek\",\"proba\"",
    "#proba",
    "[tasko]",
    "Demando=\"J\xF3 napot!\"",
    "Instruo=\"Bonan tagon!\"",
    "Solvo=\"Bonan tagon!\"",
    "Solvo=\"Saluton!\"",
    "[tasko]",
    "Demando=\"Hogy vagy?\"",
    "Instruo=\"Cxu vi fartas bone?\"",
    "Solvo=\"Kiel vi fartas?\"",
    "Solvo=\"Cxu vi fartas bone?\"",
    "[tasko]",
    "Demando=\"h\xE1rom\"",
    "Instruo=\"tri\"",
    "Solvo=\"tri\"",
    "#ne-demandoj",
    "Demando=\"sola\"",
    "#alia",
    "[tasko]",
    "Instruo=\"nenio\"",
    "Solvo=\"nenio\"",
    "#tajpado",
    "A kalapos bet\xFBk: cx gx hx jx sx ux",
    "",
    "Vege.",
    "#",
};

} // namespace kvizaro::test
