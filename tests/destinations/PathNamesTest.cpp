#include "destinations/PathNames.h"

#include <gtest/gtest.h>
#include <string>

namespace {

struct Normalised {
    std::string in;
    std::string out;
};

void ExpectNormalised(std::string (*normalise)(std::string_view), std::initializer_list<Normalised> cases) {
    for (const Normalised& c : cases)
        EXPECT_EQ(normalise(c.in), c.out) << "input \"" << c.in << '"';
}

struct Checked {
    std::string text;
    bool valid;
};

void ExpectChecked(bool (*check)(std::string_view), std::initializer_list<Checked> cases) {
    for (const Checked& c : cases)
        EXPECT_EQ(check(c.text), c.valid) << "text \"" << c.text << '"';
}

TEST(HasVariables, NeedsASecondPercentWithin260CharactersAfterTheFirst) {
    EXPECT_TRUE(HasVariables("%DAYOFWEEK%"));
    EXPECT_TRUE(HasVariables("\\Sicherung %DAY%.%MONTH%\\"));
    EXPECT_TRUE(HasVariables("%%"));
    EXPECT_FALSE(HasVariables(""));
    EXPECT_FALSE(HasVariables("100%"));
    EXPECT_FALSE(HasVariables("Daten"));

    // The second "%" as the 260th character after the first counts; as the 261st it does not.
    EXPECT_TRUE(HasVariables("%" + std::string(259, 'x') + "%"));
    EXPECT_FALSE(HasVariables("%" + std::string(260, 'x') + "%"));
    // Characters are counted, not bytes: 259 two-byte letters still leave the second "%" in reach.
    std::string umlauts;
    for (int i = 0; i < 259; ++i)
        umlauts += "ä";
    EXPECT_TRUE(HasVariables("%" + umlauts + "%"));
    // A far-off first "%" does not hide a close pair after it.
    EXPECT_TRUE(HasVariables("%" + std::string(400, 'x') + "%NAME%"));
}

TEST(NormalizeDrive, LettersUncNamesAndPosixRoots) {
    ExpectNormalised(NormalizeDrive, {
                                         {"d", "D:"},
                                         {"Z", "Z:"},
                                         {"d:", "D:"},
                                         {"server\\share\\", "\\\\SERVER\\SHARE"},
                                         {"\\server\\share", "\\\\SERVER\\SHARE"},
                                         {"\\\\nas\\backup", "\\\\NAS\\BACKUP"},
                                         {"\\\\nas\\backup\\\\", "\\\\NAS\\BACKUP\\"},
                                         {"\\\\nas\\müll", "\\\\NAS\\MÜLL"},
                                         {"/home/Anna/", "/home/Anna"},
                                         {"/media/usb///", "/media/usb"},
                                         {"/", "/"},
                                         {"//", "/"},
                                         {"", ""},
                                         {"%LAUFWERK%", "%LAUFWERK%"},
                                         {"\\\\%server%\\share\\", "\\\\%server%\\share\\"},
                                     });
}

TEST(NormalizeDirectory, AddsTheEnclosingBackslashes) {
    ExpectNormalised(NormalizeDirectory, {
                                             {"", "\\"},
                                             {"\\", "\\"},
                                             {"Daten", "\\Daten\\"},
                                             {"\\Daten", "\\Daten\\"},
                                             {"Daten\\Briefe\\", "\\Daten\\Briefe\\"},
                                             {"Daten\\*", "\\Daten\\*"},
                                             {"*.tmp", "\\*.tmp"},
                                             {"Backup %DAY%", "Backup %DAY%"},
                                         });
}

TEST(NormalizeArchiveName, KeepsTheNameWithExtensionZip) {
    ExpectNormalised(NormalizeArchiveName, {
                                               {"C:\\Daten\\sicher.rar", "sicher.zip"},
                                               {"Woche", "Woche.zip"},
                                               {"Woche.ZIP", "Woche.zip"},
                                               {"backup.tar.gz", "backup.tar.zip"},
                                               {"/home/anna/alt.7z", "alt.zip"},
                                               {"C:archiv", "archiv.zip"},
                                               {"C:\\Daten\\", ""},
                                               {"", ""},
                                               {"Backup %DAY%.rar", "Backup %DAY%.rar"},
                                           });
}

TEST(NormalizeServer, DropsTheSchemeAndLowerCases) {
    ExpectNormalised(NormalizeServer, {
                                          {"ftp://FTP.Example.ORG", "ftp.example.org"},
                                          {"FTP://Host", "ftp://host"},
                                          {"Host.Example.org", "host.example.org"},
                                          {"", ""},
                                          {"ftp://%SERVER%", "ftp://%SERVER%"},
                                      });
}

TEST(IsValidDrive, WindowsFormsAndPosixDirectories) {
    ExpectChecked(IsValidDrive, {
                                    {"D:", true},
                                    {"d:", true},
                                    {"D", false},
                                    {"1:", false},
                                    {"Ä:", false},
                                    {"D:\\", false},
                                    {"\\\\NAS\\BACKUP", true},
                                    {"\\\\a\\b", true},
                                    {"\\\\a\\", false},
                                    {"\\\\NAS", false},
                                    {"\\\\NAS\\BACKUP\\", false},
                                    {"\\\\NAS\\BACKUP\\ALT", false},
                                    {"\\NAS\\BACKUP", false},
                                    {"\\\\NAS\\BACK*UP", false},
                                    {"\\\\NAS\\BACKUP\"", false},
                                    {"", false},
                                    {"/", true},
                                    {"/home/anna", true},
                                    {"/home/anna/", true},
                                    {"/media/usb stick/Sich*rung", true},
                                    {"//", false},
                                    {"/home//anna", false},
                                    {"/home/./anna", false},
                                    {"/home/anna/..", false},
                                    {"/home/..anna", true},
                                    {"/home\\anna", false},
                                    {std::string("/home/an\0na", 11), false},
                                    {"/home/an\nna", false},
                                });
}

TEST(IsValidDirectory, BeginsAndEndsWithOneBackslash) {
    ExpectChecked(IsValidDirectory, {
                                        {"\\", true},
                                        {"\\Daten\\", true},
                                        {"\\Daten\\Neu\\", true},
                                        {"\\Daten", false},
                                        {"Daten\\", false},
                                        {"\\Daten\\\\Neu\\", false},
                                        {"\\\\", false},
                                        {"", false},
                                        {"\\Da:ten\\", false},
                                        {"\\Da/ten\\", false},
                                        {"\\Da?ten\\", false},
                                        {"\\Da\"ten\\", false},
                                        {"\\Da\rten\\", false},
                                        {"\\Müll & Co\\", true},
                                    });
}

TEST(IsValidPath, DrivePartAndDirectoryRest) {
    ExpectChecked(IsValidPath, {
                                   {"D:\\", true},
                                   {"d:\\Daten\\", true},
                                   {"D:", false},
                                   {"D:\\Daten", false},
                                   {"D:Daten\\", false},
                                   {"\\\\NAS\\BACKUP\\", true},
                                   {"\\\\NAS\\BACKUP\\Daten\\", true},
                                   {"\\\\NAS\\BACKUP", false},
                                   {"\\\\NAS\\", false},
                                   {"\\\\NAS\\BACKUP\\\\Daten\\", false},
                                   {"\\Daten\\", false},
                                   {"", false},
                                   {"/home/anna/Briefe", true},
                                   {"/home/anna/Briefe/", true},
                                   {"/", true},
                                   {"/home/../etc", false},
                                   {"/home//anna", false},
                               });
}

TEST(IsValidFileName, RejectsSeparatorsAndWildcards) {
    ExpectChecked(IsValidFileName, {
                                       {"Brief.doc", true},
                                       {"Grüße 2026", true},
                                       {"", false},
                                       {".", false},
                                       {"..", false},
                                       {"a\\b", false},
                                       {"a/b", false},
                                       {"a:b", false},
                                       {"a*b", false},
                                       {"a?b", false},
                                       {"a<b", false},
                                       {"a>b", false},
                                       {"a|b", false},
                                       {"a\"b", false},
                                       {"a\tb", false},
                                   });
}

TEST(IsValidArchiveAndProfileName, ExtensionInAnyCase) {
    ExpectChecked(IsValidArchiveName, {
                                          {"Backup.zip", true},
                                          {"Backup.ZIP", true},
                                          {"Backup.Zip", true},
                                          {"Backup.zip.rar", false},
                                          {"Backup", false},
                                          {"Backup.zipx", false},
                                          {"C:\\Backup.zip", false},
                                      });
    ExpectChecked(IsValidProfileName, {
                                          {"Täglich.tvp", true},
                                          {"Täglich.TVP", true},
                                          {"Täglich.tvb", false},
                                          {"Täglich", false},
                                          {"Ordner/Täglich.tvp", false},
                                      });
}

TEST(IsValidServerName, HostNamesOnly) {
    ExpectChecked(IsValidServerName, {
                                         {"ftp.example.org", true},
                                         {"FTP.Example.ORG", true},
                                         {"my-host.sub-domain.example.org", true},
                                         {"host", true},
                                         {"a1", true},
                                         {"1host.example.org", false},
                                         {"127.0.0.1", false},
                                         {"ftp..example.org", false},
                                         {"ftp.example.org.", false},
                                         {"ftp_server.example.org", false},
                                         {".example.org", false},
                                         {"-host", false},
                                         {"host:21", false},
                                         {"hüst", false},
                                         {"", false},
                                     });
}

TEST(RemoveUnsafeChars, LeavesOneDirectoryName) {
    ExpectNormalised(RemoveUnsafeChars, {
                                            {"Mittwoch, 9. Dezember 2026", "Mittwoch, 9. Dezember 2026"},
                                            {"09/12/26", "091226"},
                                            {"a\\b/c:d*e?f<g>h|i\"j", "abcdefghij"},
                                            {"Zeile\r\nzwei\t", "Zeilezwei"},
                                            {"Grüße", "Grüße"},
                                            {"..", ""},
                                            {"./.", ""},
                                            {"...", "..."},
                                            {"", ""},
                                        });
}

} // namespace
