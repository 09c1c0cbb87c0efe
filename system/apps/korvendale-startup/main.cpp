#include "Stupidmain.h"

int main(int argc, char** argv)
{
    return stupidmain(argc, argv);
}
