// The lines a run writes for a few file events in each FileInfoMode, and the run's data for them.
#pragma once

#include "log/LogEvent.h"

#include <string>
#include <utility>
#include <vector>

namespace logtest {

// The five events of the sample run: a forward copy over an older file, a forward copy onto no file, a
// deletion, a skipped pair with paths longer than 60 characters, and a failed copy (error 5).
inline std::vector<std::pair<int, cLogEventData>> SampleEvents() {
    cLogEventData copy{.Path = "/home/anna/Briefe/Brief.doc",
                       .PathSize = "1.234.567",
                       .PathDate = "08.12.2026",
                       .PathTime = "18:05:00",
                       .OtherPath = "/media/usb/Briefe/Brief.doc",
                       .OtherSize = "1.200.000",
                       .OtherDate = "01.12.2026",
                       .OtherTime = "09:00:00"};
    cLogEventData newFile{.Path = "/home/anna/Neu.txt",
                          .PathSize = "17",
                          .PathDate = "09.12.2026",
                          .PathTime = "02:40:00",
                          .OtherPath = "/media/usb/Neu.txt"};
    cLogEventData deleted{
        .Path = "/media/usb/Alt/Notiz.txt", .PathSize = "512", .PathDate = "02.11.2026", .PathTime = "10:15:30"};
    cLogEventData skipped{.Path = "/home/anna/Bilder/Urlaub 2026/Sommer am See mit Freunden/IMG_0001.jpg",
                          .PathSize = "2.048.000",
                          .PathDate = "15.08.2026",
                          .PathTime = "14:30:12",
                          .OtherPath = "/media/usb/Bilder/Urlaub 2026/Sommer am See mit Freunden/IMG_0001.jpg",
                          .OtherSize = "2.048.000",
                          .OtherDate = "15.08.2026",
                          .OtherTime = "14:30:12"};
    cLogEventData failed = copy;
    failed.Code = 5;
    return {{kLogCopiedForward, copy},
            {kLogCopiedForward, newFile},
            {kLogDeleted, deleted},
            {kLogSkipped, skipped},
            {kLogCopyFailed, failed}};
}

// The lines of SampleEvents(): kEventLines[event][FileInfoMode].
const std::vector<std::vector<std::vector<std::string>>> kEventLines = {
    {
        {"  Datei vorwärts kopiert:             /home/anna/Briefe/Brief.doc                                 "},
        {"  Datei vorwärts kopiert:             /home/anna/Briefe/Brief.doc                                        "
         "1.234.567       08.12.2026      18:05:00"},
        {"  Datei vorwärts kopiert:             /home/anna/Briefe/Brief.doc                                        "
         "1.234.567       08.12.2026      18:05:00",
         "                    über:             /media/usb/Briefe/Brief.doc                                        "
         "1.200.000       01.12.2026      09:00:00"},
    },
    {
        {"  Datei vorwärts kopiert:             /home/anna/Neu.txt                                          "},
        {"  Datei vorwärts kopiert:             /home/anna/Neu.txt                                                     "
         "   17       09.12.2026      02:40:00"},
        {"  Datei vorwärts kopiert:             /home/anna/Neu.txt                                                     "
         "   17       09.12.2026      02:40:00",
         "                    über:             /media/usb/Neu.txt                                                     "
         "                                    "},
    },
    {
        {"  Datei gelöscht:                     /media/usb/Alt/Notiz.txt                                    "},
        {"  Datei gelöscht:                     /media/usb/Alt/Notiz.txt                                               "
         "  512       02.11.2026      10:15:30"},
        {"  Datei gelöscht:                     /media/usb/Alt/Notiz.txt                                               "
         "  512       02.11.2026      10:15:30"},
    },
    {
        {"  Datei übersprungen:                 /home/anna/Bilder/Urlaub 202...See mit Freunden/IMG_0001.jpg"},
        {"  Datei übersprungen:                 /home/anna/Bilder/Urlaub 202...See mit Freunden/IMG_0001.jpg       "
         "2.048.000       15.08.2026      14:30:12"},
        {"  Datei übersprungen:                 /home/anna/Bilder/Urlaub 202...See mit Freunden/IMG_0001.jpg       "
         "2.048.000       15.08.2026      14:30:12",
         "                 und:                 /media/usb/Bilder/Urlaub 202...See mit Freunden/IMG_0001.jpg       "
         "2.048.000       15.08.2026      14:30:12"},
    },
    {
        {"  FEHLER beim Kopieren:               /home/anna/Briefe/Brief.doc                                 ",
         "  ! Fehler 5 - Datei/Verzeichnis schreibgeschützt/versteckt/System oder ungenügende Berechtigungen"},
        {"  FEHLER beim Kopieren:               /home/anna/Briefe/Brief.doc                                        "
         "1.234.567       08.12.2026      18:05:00",
         "  ! Fehler 5 - Datei/Verzeichnis schreibgeschützt/versteckt/System oder ungenügende Berechtigungen"},
        {"  FEHLER beim Kopieren:               /home/anna/Briefe/Brief.doc                                        "
         "1.234.567       08.12.2026      18:05:00",
         "                  über:               /media/usb/Briefe/Brief.doc                                        "
         "1.200.000       01.12.2026      09:00:00",
         "  ! Fehler 5 - Datei/Verzeichnis schreibgeschützt/versteckt/System oder ungenügende Berechtigungen"},
    },
};

} // namespace logtest
