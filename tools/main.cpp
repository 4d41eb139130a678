// kvizaro-adt: writes, reads and checks the content file. See `kvizaro-adt --help`.
#include "adt_cli.h"

#include <exception>
#include <iostream>

int main(int argc, char** argv) {
    try {
        const std::vector<std::string> arguments(argv + 1, argv + argc);
        return kvizaro::runAdt(arguments, std::cout, std::cerr);
    } catch (const std::exception& error) {
        // Out of memory or a stream gone bad: say so rather than abort.
        std::cerr << "kvizaro-adt: " << error.what() << '\n';
        return kvizaro::adt_exit::FileFailure;
    }
}
