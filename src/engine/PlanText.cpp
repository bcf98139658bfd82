#include "engine/PlanText.h"

#include "engine/Folders.h"
#include "engine/RunState.h"
#include "platform/GermanFormat.h"
#include "platform/Roots.h"
#include "platform/Text.h"
#include "profile/Parameters.h"

#include <cstddef>
#include <utility>

namespace {

std::string FlagWords(ActionFlags flags) {
    constexpr std::pair<ActionFlags, const char*> kWords[] = {
        {kFlagCopyContent, "Inhalt"},
        {kFlagSizeDiffers, "Größe verschieden"},
        {kFlagDoubleModified, "doppelt geändert"},
        {kFlagPropertiesDiffer, "Eigenschaften verschieden"},
    };
    std::string words;
    for (const auto& [flag, word] : kWords) {
        if ((flags & flag) == 0) continue;
        words += words.empty() ? "" : ", ";
        words += word;
    }
    return words.empty() ? "nur Eigenschaften" : words;
}

std::string SideLine(const char* label, const cSideTexts& texts) {
    std::string line = std::string("      ") + label + texts.Path;
    if (texts.Size.empty()) return line + "  (fehlt)";
    return line + "  " + texts.Size + " Bytes  " + texts.Date + "  " + texts.Time;
}

std::string Megabytes(std::int64_t bytes) {
    return platform::FormatNumber(static_cast<double>(bytes) / 1024.0 / 1024.0, 3) + " MB";
}

std::string SpaceLine(const char* label, const std::string& root, std::int64_t free, std::int64_t balance) {
    std::string line = std::string(label) + root + ": ";
    if (free < 0) return line + "freier Platz unbekannt";
    line += Megabytes(free) + " frei, ";
    return line + (balance >= 0 ? "danach " + Megabytes(balance) + " frei" : Megabytes(-balance) + " zu wenig");
}

void AppendCandidate(std::string& text, const cCandidate& c, const cRunState& run) {
    const cSideTexts source = RunSideTexts(run, c, true);
    const cSideTexts dest = RunSideTexts(run, c, false);
    text += "  " + ActionCaption(c.Action()) + ": " + c.BaseName + c.Extension + " (" + FlagWords(c.Flags) + ")\n";
    text += SideLine("Quelle: ", source) + "\n";
    text += SideLine("Ziel:   ", dest) + "\n";
}

std::string PlanTextBytes(const cParameters& params, const cRunState& run) {
    std::string text = "Plan für " + params.ProfileFile + "\n";
    text += "Quelle: " + run.NativeSourceRoot + "\n";
    text += "Ziel:   " + ShownDestPath(run, params.ResolvedDestDirectory) + "\n";
    if (run.Candidates.empty()) return text + "\nKeine Dateien gefunden.\n";
    for (const auto& folder : run.Folders) {
        text += "\n" + (folder->Caption.empty() ? std::string("(alle Dateien)") : folder->Caption) + ": " +
                std::to_string(folder->ForwardTotal) + " vorwärts, " + std::to_string(folder->SkipTotal) +
                " überspringen, " + std::to_string(folder->DeleteTotal) + " löschen, " +
                std::to_string(folder->BackwardTotal) + " rückwärts\n";
        for (int i = folder->FirstIndex; i <= folder->LastIndex; ++i)
            if (i >= 0 && static_cast<std::size_t>(i) < run.Candidates.size())
                AppendCandidate(text, *run.Candidates[static_cast<std::size_t>(i)], run);
    }
    text += "\nGeplant: " + std::to_string(run.PlannedForward) + " vorwärts, " + std::to_string(run.PlannedSkip) +
            " überspringen, " + std::to_string(run.PlannedDelete) + " löschen, " + std::to_string(run.PlannedBackward) +
            " rückwärts\n";
    text += "Zu kopieren: " + platform::FormatNumber(static_cast<double>(run.BytesToCopy), 0) + " Bytes\n";
    text += SpaceLine("Quelle ", run.NativeSourceRoot, run.SourceFree, run.SourceBalance) + "\n";
    text += SpaceLine("Ziel ", run.NativeDestRoot, run.DestFree, run.DestBalance) + "\n";
    return text;
}

} // namespace

// File names may hold bytes that are no UTF-8: the whole text is escaped once at the end, so every name in it is
// shown the same way as in the log.
std::string PlanText(const cParameters& params, const cRunState& run) {
    return platform::EscapeInvalidUtf8(PlanTextBytes(params, run));
}
