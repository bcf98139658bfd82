// Message texts from the table and the arguments, and the dispatcher that shows them or answers the preset.
#include "messages/UserMessage.h"

#include "messages/ErrorText.h"
#include "messages/MessageTable.h"
#include "messages/PlaySignal.h"
#include "messages/UserInterface.h"
#include "platform/GermanFormat.h"

#include <cstdio>

namespace {

std::string CountWord(const cMessageRow& row, long long count) {
    return std::string(count == 1 ? row.One : row.Many);
}

// One line of the stamp listing of 30122: the field name left-aligned in 13 columns, a tab, " = ", the value.
void AppendStampLine(std::string& text, std::string_view name, int value) {
    char line[64];
    std::snprintf(line, sizeof line, "%-13.*s\t = %d\r", static_cast<int>(name.size()), name.data(), value);
    text += line;
}

std::string InvalidStampText(const cMessageRow& row, const cMessageArgs& args) {
    std::string text = FillPlaceholders(row.Text, {args.Text1});
    for (std::size_t i = 0; i < args.Stamp.size(); ++i)
        AppendStampLine(text, kStampFieldNames[i], args.Stamp[i]);
    text += kStampCorrected;
    for (std::size_t i = 0; i < args.Stamp.size(); ++i)
        if (args.CorrectedStamp[i] != args.Stamp[i]) AppendStampLine(text, kStampFieldNames[i], args.CorrectedStamp[i]);
    text += kStampSkipped;
    return text;
}

std::vector<std::string> PlaceholderValues(const cMessageRow& row, const cMessageArgs& args) {
    const std::string n1 = std::to_string(args.Number1);
    const std::string n2 = std::to_string(args.Number2);
    switch (row.Code) {
    case 30015:
        return {CountWord(row, args.Number1), args.Text2,
                std::string(args.Number1 == 1 ? kRememberOneDirectory : kRememberManyDirectories)};
    case 30102:
    case 30118:
    case 30221:
        return {args.Text1, ErrorText(args.Error, args.ServerReply)};
    case 30105:
    case 30106:
    case 30125:
        return {args.Text1, args.Text2};
    case 30112:
        return {ErrorText(args.Error, args.ServerReply)};
    case 30121:
    case 30124:
        return {n1, n2};
    case 30126:
        return {platform::FormatNumber(static_cast<double>(args.Number1), 0),
                platform::FormatNumber(static_cast<double>(args.Number2), 0), CountWord(row, args.Number2)};
    case 30209:
    case 30211:
    case 30212:
    case 30214:
    case 30215:
        return {n1, CountWord(row, args.Number1)};
    case 30210:
    case 30213:
    case 30216:
        return {n1, n2, CountWord(row, args.Number2)};
    case 30130:
        return {args.Text1, n1};
    case 30219:
        return {args.Text1, args.Text2, std::to_string(args.Error)};
    case 30220:
        return {args.Text1, std::to_string(args.Error)};
    case 30302:
        return {args.Text1, args.Text2, ErrorText(args.Error, args.ServerReply)};
    default: // the dialog messages take the checked name; the others have no placeholder
        return {args.Text1};
    }
}

bool MessageWanted(const cWarningSettings& warnings, eWarningClass warning) {
    switch (warning) {
    case eWarningClass::Always:
        return true;
    case eWarningClass::NoFilesFound:
        return warnings.NoFilesFound.Message;
    case eWarningClass::NotEnoughSpace:
        return warnings.NotEnoughSpace.Message;
    case eWarningClass::Other:
        return warnings.Other.Message;
    case eWarningClass::Interruption:
        return warnings.Interruption.Message;
    case eWarningClass::BatchOther:
        return warnings.BatchOtherMessage;
    }
    return true;
}

void PlayWarning(cUserInterface& ui, const cWarningSignal& signal, bool toEnd) {
    PlaySignal(ui, signal.Sound, signal.Beep, signal.File, toEnd);
}

// The governing warning's signal. 30112 sounds only when the caller gives no text1 (a login retried
// silently); the empty batch (30115) only beeps, by the batch file's own sound option.
void PlayWarningSignal(cUserInterface& ui, const cWarningSettings& warnings, const cMessageRow& row,
                       const cMessageArgs& args) {
    const bool toEnd = warnings.SyncSounds;
    switch (row.Warning) {
    case eWarningClass::Always:
        return;
    case eWarningClass::NoFilesFound:
        return PlayWarning(ui, warnings.NoFilesFound, toEnd);
    case eWarningClass::NotEnoughSpace:
        return PlayWarning(ui, warnings.NotEnoughSpace, toEnd);
    case eWarningClass::Other:
        if (row.Code == 30112 && !args.Text1.empty()) return;
        return PlayWarning(ui, warnings.Other, toEnd);
    case eWarningClass::Interruption:
        return PlayWarning(ui, warnings.Interruption, toEnd);
    case eWarningClass::BatchOther:
        return PlaySignal(ui, warnings.BatchOtherSound, true, {}, toEnd);
    }
}

} // namespace

std::string FillPlaceholders(std::string_view format, const std::vector<std::string>& values) {
    std::string text;
    text.reserve(format.size());
    std::size_t next = 0;
    auto take = [&] {
        if (next < values.size()) text += values[next];
        ++next;
    };
    for (std::size_t i = 0; i < format.size(); ++i) {
        const std::string_view rest = format.substr(i);
        if (rest.starts_with("%s") || rest.starts_with("%d")) {
            take();
            ++i;
        } else if (rest.starts_with("%.0n")) {
            take();
            i += 3;
        } else if (rest.starts_with("%%")) {
            text += '%';
            ++i;
        } else {
            text += format[i];
        }
    }
    return text;
}

std::string MessageText(int code, const cMessageArgs& args) {
    const cMessageRow* row = FindMessage(code);
    if (!row) return {};
    if (code == 30122) return InvalidStampText(*row, args);
    const bool noVersionFound = (code == 30105 || code == 30106) && args.Text2.empty();
    return FillPlaceholders(noVersionFound ? row->Alternative : row->Text, PlaceholderValues(*row, args));
}

std::string DisplayText(std::string_view programText) {
    std::string text;
    text.reserve(programText.size());
    for (std::size_t i = 0; i < programText.size(); ++i) {
        if (programText[i] == '\r') {
            text += '\n';
            if (i + 1 < programText.size() && programText[i + 1] == '\n') ++i;
        } else {
            text += programText[i];
        }
    }
    return text;
}

eAnswer UserMessage(cUserInterface& ui, const cWarningSettings& warnings, int code, const cMessageArgs& args) {
    const cMessageRow* row = FindMessage(code);
    if (!row) return eAnswer::None;
    PlayWarningSignal(ui, warnings, *row, args);
    if (!MessageWanted(warnings, row->Warning)) return row->Preset;
    return ui.ShowMessageBox(code, row->Kind, row->Buttons, DisplayText(MessageText(code, args)), row->Preset);
}
