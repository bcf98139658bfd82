// Message files for the text boxes: the RTF reader on good, broken and hostile input, the choice of format by
// the file name, and the box that reads pictures only from bounded regular files.
#include "ui/RichText.h"
#include "platform/Text.h"
#include "support/TempDir.h"
#include "ui/RtfReader.h"

#include <QTest>

#include <string>
#include <vector>

namespace {

const std::string kBold = "<span style=\"font-weight:bold;\">";
const std::string kItalic = "<span style=\"font-style:italic;\">";
const std::string kUnderline = "<span style=\"text-decoration:underline;\">";
const std::string kEnd = "</span>";

} // namespace

class RichTextTest : public QObject {
    Q_OBJECT

private slots:
    void RtfReaderTable() {
        struct Case {
            const char* name;
            std::string rtf;
            std::string html;
        };
        const std::vector<Case> cases = {
            {"plain text", "{\\rtf1 Hallo Welt}", "Hallo Welt"},
            {"breaks and tabs", "{\\rtf1 a\\par b\\line c\\tab d}", "a<br>b<br>c\td"},
            {"line ends of the file are no text", "{\\rtf1 a\r\nb\nc}", "abc"},
            {"bold on and off; one space ends the word", "{\\rtf1 \\b fett\\b0  normal}",
             kBold + "fett" + kEnd + " normal"},
            {"a group keeps its format inside", "{\\rtf1 {\\i kursiv} und \\ul unter\\ulnone  weg}",
             kItalic + "kursiv" + kEnd + " und " + kUnderline + "unter" + kEnd + " weg"},
            {"formats combine and drop one by one", "{\\rtf1 \\b\\i beides\\i0  fett}",
             "<span style=\"font-weight:bold;font-style:italic;\">beides" + kEnd + kBold + " fett" + kEnd},
            {"plain resets the format", "{\\rtf1 \\b\\ul a\\plain b}",
             "<span style=\"font-weight:bold;text-decoration:underline;\">a" + kEnd + "b"},
            {"hex escapes are Windows-1252", "{\\rtf1 Gr\\'fc\\'dfe \\'80}", "Grüße €"},
            {"unicode with its fallback character", "{\\rtf1 \\u8364?x}", "€x"},
            {"fallback of two characters", "{\\rtf1\\uc2 \\u8364??x}", "€x"},
            {"no fallback", "{\\rtf1\\uc0 \\u8364 x}", "€x"},
            {"the fallback may be a hex escape", "{\\rtf1 \\u252\\'fc!}", "ü!"},
            {"negative units and a surrogate pair", "{\\rtf1 \\u-10179?\\u-8704?}", "\U0001F600"},
            {"a lone low surrogate", "{\\rtf1 \\u-8704?}", "\uFFFD"},
            {"a group ends the fallback", "{\\rtf1\\uc3 {\\u8364}x}", "€x"},
            {"destinations are skipped",
             "{\\rtf1{\\fonttbl{\\f0 Arial;}}{\\colortbl;\\red0\\green0\\blue0;}{\\stylesheet{\\s0 Normal;}}"
             "{\\info{\\title Titel}}{\\*\\generator Writer;}{\\pict\\pngblip 89504e47}Text}",
             "Text"},
            {"every \\* group is skipped, with what it holds", "{\\rtf1 a{\\*\\unbekannt b{c}}d}", "ad"},
            {"HTML characters are escaped", "{\\rtf1 a<b>&\"c}", "a&lt;b&gt;&amp;&quot;c"},
            {"escaped braces and backslash", "{\\rtf1 \\{x\\}\\\\}", "{x}\\"},
            {"non-breaking space and optional hyphen", "{\\rtf1 a\\~b\\-c}", "a\u00A0bc"},
            {"unknown words are dropped", "{\\rtf1\\ansi\\deff0\\fs24\\cf1 x\\qc y}", "xy"},
            {"raw UTF-8 in a UTF-8 file", "{\\rtf1 Grüße}", "Grüße"},
            {"raw bytes of a Windows-1252 file",
             "{\\rtf1 Gr\xfc\xdf"
             "e}",
             "Grüße"},
            {"binary data is skipped", "{\\rtf1 a{\\*\\blob\\bin3 }{}b}", "a"},
            // Broken files.
            {"surplus closing braces", "{\\rtf1 a}}}b", "ab"},
            {"unclosed groups", "{\\rtf1 {\\b a", kBold + "a" + kEnd},
            {"backslash at the end", "{\\rtf1 a\\", "a"},
            {"hex escape without digits", "{\\rtf1 x\\'zzy}", "xzzy"},
            {"hex escape cut off", "{\\rtf1 x\\'4", "x4"},
            {"unicode far out of range", "{\\rtf1 \\u-99999999?x}", "\uFFFDx"},
            {"parameter with too many digits", "{\\rtf1 \\b99999999999999999999 x}", kBold + "x" + kEnd},
            {"binary count beyond the end", "{\\rtf1 a\\bin999999999 zzz}", "a"},
            {"control characters",
             "{\\rtf1 a\x01\x7f"
             "b\\'00c}",
             "abc"},
        };
        for (const Case& c : cases) {
            const std::string html = ui::RtfToHtmlFragment(c.rtf);
            QVERIFY2(html == c.html, (std::string(c.name) + ": got \"" + html + "\"").c_str());
        }
    }

    // Nothing an input holds may crash the reader, make it allocate beyond a multiple of the input, or give
    // something that is not UTF-8.
    void RtfReaderSurvivesHostileInput() {
        const std::string deep = "{\\rtf1 " + std::string(100000, '{') + "x" + std::string(100000, '}') + "y}";
        QCOMPARE(QString::fromStdString(ui::RtfToHtmlFragment(deep)), QStringLiteral("y"));

        std::string noise;
        unsigned state = 12345;
        for (int i = 0; i < 200000; ++i) {
            state = state * 1103515245u + 12345u;
            noise += "{}\\\\'bu0123456789- abc\xfc\x80"[(state >> 16) % 24];
        }
        std::string everyByte = "{\\rtf1 ";
        for (int b = 0; b < 256; ++b)
            everyByte += static_cast<char>(b);
        std::string repeatedFormats = "{\\rtf1 ";
        for (int i = 0; i < 20000; ++i)
            repeatedFormats += "{\\b a}{\\i b}";

        const std::vector<std::string> inputs = {
            deep,
            std::string(100000, '{'),
            std::string(100000, '}'),
            "{\\rtf1 \\u-99999999",
            "\\u-99999999\\u99999999999\\uc-5\\uc999999999 \\u65\\u-1",
            "\\" + std::string(100000, 'a') + "123456789012345678901234567890 x",
            std::string(50000, '\\'),
            "{\\*" + std::string(50000, '\\') + "}",
            "{\\rtf1 \\bin",
            "{\\rtf1 \\bin-5 x}",
            noise,
            everyByte,
            repeatedFormats,
        };
        for (const std::string& input : inputs) {
            const std::string html = ui::RtfToHtml(input);
            QVERIFY(platform::IsValidUtf8(html));
            QVERIFY2(html.size() <= 40 * input.size() + 200, std::to_string(html.size()).c_str());
        }
    }

    void FormatFollowsTheFileName() {
        struct Case {
            const char* name;
            std::string bytes;
            const char* fileName;
            bool html;
            QString text;
        };
        const Case cases[] = {
            {"HTML", "<p>Hallo</p>", "/m/Nachricht.html", true, "<p>Hallo</p>"},
            {"HTM in capitals", "<p>Hallo</p>", "/m/NACHRICHT.HTM", true, "<p>Hallo</p>"},
            {"RTF", "{\\rtf1 \\b x}", "/m/a.rtf", true, QString::fromStdString(ui::RtfToHtml("{\\rtf1 \\b x}"))},
            {"an .rtf file that holds text", "{kein rtf}", "/m/a.Rtf", false, "{kein rtf}"},
            {"text in Windows-1252",
             "Gr\xfc\xdf"
             "e",
             "/m/a.txt", false, "Grüße"},
            {"text in UTF-8", "Grüße", "/m/a", false, "Grüße"},
            {"a dot in the folder is no extension", "<b>x</b>", "/m.html/a", false, "<b>x</b>"},
        };
        for (const Case& c : cases) {
            const ui::cRichText text = ui::RichTextFromBytes(c.bytes, c.fileName);
            QVERIFY2(text.IsHtml == c.html, c.name);
            QVERIFY2(text.Text == c.text, c.name);
        }
    }

    void BoxShowsTheFileOrNothing() {
        testsupport::TempDir dir;
        const std::string rtf = dir.WriteFile("Lauf.rtf", "{\\rtf1 {\\b Fertig}\\par Alles gut.}").string();
        ui::cRichTextBrowser box;
        QVERIFY(box.LoadFile(rtf));
        QCOMPARE(box.toPlainText(), QStringLiteral("Fertig\nAlles gut."));

        QVERIFY(!box.LoadFile((dir.Path() / "fehlt.rtf").string()));
        QVERIFY(box.toPlainText().isEmpty());
        QVERIFY(!box.LoadFile(dir.Path().string()));
        QVERIFY(box.toPlainText().isEmpty());
    }

    // A message file names its pictures: they come from regular files of bounded size, relative names from
    // beside the file; a device is never read.
    void BoxReadsResourcesOnlyFromRegularFiles() {
        testsupport::TempDir dir;
        dir.WriteFile("Bild.txt", "BILD");
        const std::string html = dir.WriteFile("Nachricht.html", "<p>x</p>").string();
        ui::cRichTextBrowser box;
        QVERIFY(box.LoadFile(html));
        QCOMPARE(box.loadResource(QTextDocument::ImageResource, QUrl(QStringLiteral("Bild.txt"))).toByteArray(),
                 QByteArray("BILD"));
        QVERIFY(
            box.loadResource(QTextDocument::ImageResource, QUrl::fromLocalFile(QStringLiteral("/dev/zero"))).isNull());
        QVERIFY(box.loadResource(QTextDocument::ImageResource, QUrl(QStringLiteral("/dev/zero"))).isNull());
        QVERIFY(
            box.loadResource(QTextDocument::ImageResource, QUrl(QStringLiteral("http://example.org/a.png"))).isNull());
    }
};

QTEST_MAIN(RichTextTest)
#include "RichTextTest.moc"
