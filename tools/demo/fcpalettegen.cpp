// Writes a 64-entry master colour table computed from a model of the console's video signal.
#include "ColourTable.h"
#include "GeneratorMain.h"

int main(int argc, char **argv) {
    return RunGenerator(ArgumentList(argc, argv), MakeColourTable());
}
