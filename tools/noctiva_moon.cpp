#include <iostream>

#include "MoonCommands.h"

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    return noctiva::tools::RunMoonTool(args, std::cout, std::cerr);
}
