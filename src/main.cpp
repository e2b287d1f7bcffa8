#include "app/sintoniaapp.h"

int main(int argc, char **argv)
{
    return runSintonia(argc, argv);
}
