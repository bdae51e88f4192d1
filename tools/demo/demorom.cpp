// Writes the demo cartridge image, so the editor can be tried without a real cartridge.
#include "DemoCartridge.h"
#include "GeneratorMain.h"

int main(int argc, char **argv) {
    return RunGenerator(ArgumentList(argc, argv), MakeDemoCartridge());
}
