// kvizaro-adt: writes, reads and checks the content file. See `kvizaro-adt --help`.
#include "adt_cli.h"

#include <iostream>

int main(int argc, char** argv) {
    std::vector<std::string> arguments(argv + 1, argv + argc);
    return kvizaro::RunAdt(arguments, std::cout, std::cerr);
}
