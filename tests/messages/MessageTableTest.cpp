// The message table and the texts made from it.
#include "messages/MessageTable.h"
#include "messages/ErrorText.h"
#include "messages/UserMessage.h"

#include <gtest/gtest.h>

namespace {

TEST(MessageTable, CodesAreAscendingAndEachIsFound) {
    int previous = 0;
    for (const cMessageRow& row : MessageTable()) {
        EXPECT_LT(previous, row.Code);
        previous = row.Code;
        EXPECT_EQ(FindMessage(row.Code), &row);
    }
    EXPECT_EQ(MessageTable().size(), 52u);
    for (int unknown : {0, -1, 30000, 30018, 30103, 30999, 31000})
        EXPECT_EQ(FindMessage(unknown), nullptr) << unknown;
}

// With every argument given, no placeholder of any message stays unfilled.
TEST(MessageTable, EveryPlaceholderIsFilled) {
    cMessageArgs args{"eins", "zwei", 3, 4, 5, {}, {}};
    for (const cMessageRow& row : MessageTable()) {
        const std::string text = MessageText(row.Code, args);
        EXPECT_FALSE(text.empty()) << row.Code;
        EXPECT_EQ(text.find('%'), std::string::npos) << row.Code << ": " << text;
    }
}

struct cRowCase {
    int Code;
    eMessageKind Kind;
    eMessageButtons Buttons;
    eAnswer Preset;
    eWarningClass Warning;
};

TEST(MessageTable, LookPresetAndWarningOfRows) {
    using K = eMessageKind;
    using B = eMessageButtons;
    using A = eAnswer;
    using W = eWarningClass;
    const cRowCase cases[] = {
        {30002, K::Error, B::OkHelp, A::Ok, W::Always},
        {30015, K::Confirmation, B::YesNoHelp, A::No, W::Always},
        {30016, K::Confirmation, B::YesNo, A::No, W::Always},
        {30101, K::Error, B::YesNoHelp, A::Yes, W::Other},
        {30115, K::Information, B::Ok, A::Ok, W::BatchOther},
        {30118, K::Error, B::YesNoHelp, A::No, W::Other},
        {30120, K::Confirmation, B::YesNoHelp, A::No, W::Other},
        {30122, K::Error, B::OkCancelHelp, A::Ok, W::Other},
        {30123, K::Information, B::OkHelp, A::Ok, W::NoFilesFound},
        {30124, K::Warning, B::YesNoHelp, A::No, W::Other},
        {30125, K::Warning, B::YesNoHelp, A::Yes, W::NotEnoughSpace},
        {30126, K::Information, B::OkHelp, A::Ok, W::Always},
        {30209, K::Error, B::YesNoHelp, A::Yes, W::Interruption},
        {30219, K::Error, B::Ok, A::Ok, W::Always},
        {30220, K::Error, B::OkHelp, A::Ok, W::Interruption},
        {30302, K::Error, B::YesNoHelp, A::No, W::Interruption},
        {30998, K::Confirmation, B::YesNo, A::No, W::Other},
    };
    for (const cRowCase& expected : cases) {
        const cMessageRow* row = FindMessage(expected.Code);
        ASSERT_NE(row, nullptr) << expected.Code;
        EXPECT_EQ(row->Kind, expected.Kind) << expected.Code;
        EXPECT_EQ(row->Buttons, expected.Buttons) << expected.Code;
        EXPECT_EQ(row->Preset, expected.Preset) << expected.Code;
        EXPECT_EQ(row->Warning, expected.Warning) << expected.Code;
    }
}

struct cTextCase {
    int Code;
    cMessageArgs Args;
    std::string Expected;
};

TEST(MessageText, FilledTexts) {
    const cTextCase cases[] = {
        {30001, {.Text1 = "/media/usb"}, "\"/media/usb\" ist ein gültiger Laufwerksname."},
        {30002,
         {.Text1 = "D:x"},
         "\"D:x\" ist kein gültiger Laufwerksname.\r\rEin Laufwerksname ist entweder ein Buchstabe plus ein "
         "Doppelpunkt oder ein UNC-Name der Form \\\\Computer\\Freigabename ohne abschließenden umgekehrten "
         "Schrägstrich. Er darf keins dieser Zeichen enthalten: /:*?\"<|>"},
        {30014,
         {.Text1 = "a.txt"},
         "\"a.txt\" ist kein gültiger Profilname.\r\rEr muss auf \".tvp\" enden und darf keins dieser Zeichen "
         "enthalten: \\/:*?\"<|>"},
        {30015,
         {.Text2 = "/a/\r", .Number1 = 1},
         "Das folgende Verzeichnis kann nicht im Baum gezeigt werden:\r\r/a/\r\rSoll Tolvan sich dieses Verzeichnis "
         "merken?"},
        {30015,
         {.Text2 = "/a/\r/b/\r", .Number1 = 2},
         "Die folgenden Verzeichnisse können nicht im Baum gezeigt werden:\r\r/a/\r/b/\r\rSoll Tolvan sich diese "
         "Verzeichnisse merken?"},
        {30101, {}, "Keine Log-Datei angegeben.\r\rFortfahren ohne Log?"},
        {30102,
         {.Text1 = "/var/log/t.log", .Error = 5},
         "Das Log kann nicht nach /var/log/t.log geschrieben werden:\r\r" + ErrorText(5) + "\r\rFortfahren ohne Log?"},
        {30105,
         {.Text1 = "1.60", .Text2 = "1.52"},
         "Falsche Version von ZipDll.DLL.\rTolvan benötigt Version 1.60, nicht 1.52."},
        {30106, {.Text1 = "1.60"}, "UnzDll.DLL nicht gefunden.\rTolvan benötigt Version 1.60."},
        {30121,
         {.Number1 = 12, .Number2 = 13},
         "Die Anzahl der berechneten Verzeichnisse in Quelle und Ziel stimmt nicht überein: 12 zu 13."},
        {30125,
         {.Text1 = "/media/usb", .Text2 = "1.024"},
         "Laufwerk /media/usb hat 1.024 MB zuwenig Speicherplatz.\r\rFreien Platz auf dem Datenträger neu lesen und "
         "fortfahren?"},
        {30126,
         {.Number1 = 32767, .Number2 = 1},
         "Windows 9x erlaubt nur ca. 32.767 Einträge in einer Liste.\r\rDieser Ordner kann nur geöffnet werden, wenn "
         "Sie vorher andere Ordner schließen, die zusammen mindestens 1 Eintrag enthalten."},
        {30209,
         {.Number1 = 1},
         "Fehler beim Löschen aus dem Zip-Archiv: 1 Datei kann nicht bearbeitet werden, weil sie schreibgeschützt "
         "ist.\r\rFortfahren?"},
        {30215,
         {.Number1 = 3},
         "Fehler beim Hinzufügen zum Zip-Archiv: 3 Dateien können nicht bearbeitet werden, weil kein neues "
         "Verzeichnis im Ziel erstellt werden darf.\r\rFortfahren?"},
        {30210,
         {.Number1 = 0, .Number2 = 1},
         "Fehler beim Löschen aus dem Zip-Archiv: Nur 0 von 1 Datei bearbeitet.\r\rFortfahren?"},
        {30216,
         {.Number1 = 1, .Number2 = 2},
         "Fehler beim Hinzufügen zum Zip-Archiv: Nur 1 von 2 Dateien bearbeitet.\r\rFortfahren?"},
        {30219,
         {.Text1 = "/a/b.txt", .Text2 = "CRC-Fehler", .Error = 9},
         "Konnte Datei\r\r/a/b.txt\r\rnicht aus dem Zip-Archiv holen:\r\rCRC-Fehler (Fehlercode 9)"},
        {30302,
         {.Text1 = "/q/a", .Text2 = "/z/a", .Error = 2},
         "Vergleich fehlgeschlagen:\r\r/q/a\r\rmit:\r\r/z/a\r\r" + ErrorText(2) + "\r\rNochmal versuchen?"},
        {30998, {}, "Soll die ganze Batch-Datei abgebrochen werden?"},
    };
    for (const cTextCase& c : cases)
        EXPECT_EQ(MessageText(c.Code, c.Args), c.Expected) << c.Code;
    EXPECT_EQ(MessageText(30000), "");
}

TEST(MessageText, InvalidStampListsAllFieldsAndOnlyTheCorrectedOnes) {
    cMessageArgs args{
        .Text1 = "/a/x.doc", .Stamp = {1970, 13, 5, 24, 7, 8, 1000}, .CorrectedStamp = {1980, 1, 5, 0, 7, 8, 0}};
    EXPECT_EQ(MessageText(30122, args), "Die Datei\r\r/a/x.doc\r\rhat einen ungültigen Datum-Zeit-Stempel:\r\r"
                                        "Jahr         \t = 1970\r"
                                        "Monat        \t = 13\r"
                                        "Tag          \t = 5\r"
                                        "Stunde       \t = 24\r"
                                        "Minute       \t = 7\r"
                                        "Sekunde      \t = 8\r"
                                        "Millisekunden\t = 1000\r"
                                        "\rDies wurde wie folgt korrigiert:\r\r"
                                        "Jahr         \t = 1980\r"
                                        "Monat        \t = 1\r"
                                        "Stunde       \t = 0\r"
                                        "Millisekunden\t = 0\r"
                                        "\rDas Dateipaar wurde auf Überspringen gesetzt.");
}

TEST(MessageText, FillPlaceholdersInOrder) {
    EXPECT_EQ(FillPlaceholders("%s und %d, %.0n", {"a", "2", "1.000"}), "a und 2, 1.000");
    EXPECT_EQ(FillPlaceholders("%s-%s-%s", {"a"}), "a--");              // missing values stay empty
    EXPECT_EQ(FillPlaceholders("100%% %x %", {"unused"}), "100% %x %"); // other sequences are copied
    EXPECT_EQ(FillPlaceholders("%s", {"%d"}), "%d");                    // values are not filled again
}

TEST(MessageText, DisplayTextTurnsLineBreaksIntoNewlines) {
    EXPECT_EQ(DisplayText("a\r\rb\r\nc\r"), "a\n\nb\nc\n");
    EXPECT_EQ(DisplayText("ohne"), "ohne");
}

} // namespace
