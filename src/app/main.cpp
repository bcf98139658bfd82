// Tolvan's entry point: the headless commands; the windows come later.
#include "app/DescribeCommand.h"

#include <cstdio>
#include <cstring>

namespace {

void PrintHelp() {
    std::puts("Tolvan 6 - Sicherung und Synchronisation von Dateien\n"
              "\n"
              "Aufruf: tolvan [BEFEHL] [DATEI]\n"
              "  --help            diese Hilfe zeigen\n"
              "  --describe DATEI  Übersicht eines Profils oder einer Stapeldatei ausgeben");
}

}  // namespace

int main(int argc, char** argv) {
    if (argc > 1 && (std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0)) {
        PrintHelp();
        return 0;
    }
    if (argc == 3 && std::strcmp(argv[1], "--describe") == 0) return DescribeCommand(argv[2]);
    PrintHelp();
    return argc > 1 ? 2 : 0;
}
