// Tolvan's entry point: a headless command, or the windows.
#include "app/DescribeCommand.h"
#include "app/NewProfileCommand.h"
#include "app/PlanCommand.h"
#include "app/RunCommand.h"
#include "platform/WriteSignals.h"
#ifdef TOLVAN_GUI
#include "ui/GuiMain.h"
#endif

#include <cstdio>
#include <cstring>

namespace {

void PrintHelp() {
    std::puts("Tolvan 6 - Sicherung und Synchronisation von Dateien\n"
              "\n"
              "Aufruf: tolvan [DATEI [/mute]]   das Programm mit Fenstern, DATEI geöffnet\n"
              "       tolvan BEFEHL ...\n"
              "  --help            diese Hilfe zeigen\n"
              "  --describe DATEI  Übersicht eines Profils oder einer Stapeldatei ausgeben\n"
              "  --run DATEI       ein Profil oder eine Batch-Datei ohne Fenster ausführen (Fragen bekommen ihre\n"
              "                    vorgegebene Antwort; Strg+C bricht ab); Ergebnis 0 Erfolg, 1 abgebrochen,\n"
              "                    2 Fehler; bei einer Batch-Datei das schlechteste Ergebnis ihrer Profile\n"
              "                    (2 auch, wenn ein Profil nicht gelesen werden konnte)\n"
              "  --plan DATEI      ein Profil bis zur Vorschau ausführen und die geplanten Aktionen ausgeben,\n"
              "                    ohne etwas zu verändern\n"
              "  --new-profile DATEI QUELLE ZIEL [--one-way | --mirror]\n"
              "                    ein Profil anlegen, das alle Dateien der Quelle mit dem Ziel abgleicht\n"
              "                    (--one-way: nur von der Quelle zum Ziel; --mirror: dazu im Ziel löschen,\n"
              "                    was die Quelle nicht mehr hat)");
}

} // namespace

int main(int argc, char** argv) {
    // A write beyond the file-size limit or into a closed pipe fails with its error (a failed copy, a log that
    // stops) instead of killing the run without a summary.
    platform::IgnoreWriteSignals();
    if (argc > 1 && (std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0)) {
        PrintHelp();
        return 0;
    }
    if (argc == 3 && std::strcmp(argv[1], "--describe") == 0) return DescribeCommand(argv[2]);
    if (argc == 3 && std::strcmp(argv[1], "--plan") == 0) return PlanCommand(argv[2]);
    if (argc == 3 && std::strcmp(argv[1], "--run") == 0) return RunCommand(argv[2]);
    if (argc >= 2 && std::strcmp(argv[1], "--new-profile") == 0) return NewProfileCommand(argc, argv);
    if (argc > 1 && std::strncmp(argv[1], "--", 2) == 0) {
        PrintHelp();
        return 2;
    }
#ifdef TOLVAN_GUI
    return ui::RunGui(argc, argv);
#else
    PrintHelp();
    return argc > 1 ? 2 : 0;
#endif
}
