// Tolvan's entry point: the headless commands; the windows come later.
#include <cstdio>
#include <cstring>

namespace {

void PrintHelp() {
    std::puts("Tolvan 6 - Sicherung und Synchronisation von Dateien\n"
              "\n"
              "Aufruf: tolvan [BEFEHL] [DATEI]\n"
              "  --help            diese Hilfe zeigen");
}

}  // namespace

int main(int argc, char** argv) {
    if (argc > 1 && (std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0)) {
        PrintHelp();
        return 0;
    }
    PrintHelp();
    return argc > 1 ? 2 : 0;
}
