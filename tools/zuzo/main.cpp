#include "tools/zuzo/commands/cli.h"

int main(int argc, char** argv)
{
    return zuzo::cli::run(argc, argv);
}
