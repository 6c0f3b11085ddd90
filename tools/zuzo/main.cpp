#include "tools/zuzo/cli.h"

int main(int argc, char** argv)
{
    return zuzo::cli::run(argc, argv);
}
