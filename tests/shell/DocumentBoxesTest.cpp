// A document that cannot be read or written is reported in the timed box with its file and error text.
#include "shell/DocumentBoxes.h"

#include "messages/ErrorText.h"
#include "messages/UserInterface.h"
#include "profile/Parameters.h"

#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

class cTimedBoxes : public cUserInterface {
public:
    struct cBox {
        std::string Line1, FileName, Line3;
    };
    void ShowTimedMessage(const std::string& line1, const std::string& fileName, const std::string& line3) override {
        Boxes.push_back({line1, fileName, line3});
    }
    std::vector<cBox> Boxes;
};

TEST(DocumentBoxes, FailuresShowTheTimedBoxAndSuccessesNone) {
    testsupport::TempDir dir;
    cTimedBoxes ui;
    cParameters params;
    const std::string good = (dir.Path() / "gut.tvp").string();
    ASSERT_EQ(WriteDocumentShowingError(ui, params, good), 0);
    ASSERT_EQ(ReadDocumentShowingError(ui, params, good), 0);
    EXPECT_TRUE(ui.Boxes.empty());

    const std::string missing = (dir.Path() / "fehlt.tvp").string();
    EXPECT_EQ(ReadDocumentShowingError(ui, params, missing), 2);
    dir.WriteFile("kaputt.tvp", "kein Profil\r\n");
    const std::string broken = (dir.Path() / "kaputt.tvp").string();
    EXPECT_EQ(ReadDocumentShowingError(ui, params, broken), 2002);
    ASSERT_EQ(ReadDocumentShowingError(ui, params, good), 0);
    const std::string unwritable = (dir.Path() / "fehlt" / "neu.tvp").string();
    const int writeError = WriteDocumentShowingError(ui, params, unwritable);
    EXPECT_NE(writeError, 0);

    ASSERT_EQ(ui.Boxes.size(), 3u);
    EXPECT_EQ(ui.Boxes[0].Line1, "Fehler beim Lesen von...");
    EXPECT_EQ(ui.Boxes[0].FileName, missing);
    EXPECT_EQ(ui.Boxes[0].Line3, "Fehler 2 - Datei nicht gefunden");
    EXPECT_EQ(ui.Boxes[1].FileName, broken);
    EXPECT_EQ(ui.Boxes[1].Line3, "Ungültiges Dateiformat");
    EXPECT_EQ(ui.Boxes[2].Line1, "Fehler beim Schreiben von...");
    EXPECT_EQ(ui.Boxes[2].FileName, unwritable);
    EXPECT_EQ(ui.Boxes[2].Line3, ErrorText(writeError));
}

} // namespace
