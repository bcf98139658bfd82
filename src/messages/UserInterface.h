// The one way the core talks to the user: the GUI implements it with Qt, the headless one answers presets.
//
// A run executes on a worker thread and every window lives on the GUI thread. Each call is one of two kinds:
// - a question (message box, timed box, check dialog, preview, interruption dialog): the worker waits until
//   the user has answered; the window may change the run's objects meanwhile (the preview does);
// - a notification (status, progress, beep, sound, Yield): hands its data over and returns at once. Progress
//   may come thousands of times a second; an implementation draws it a few times a second.
// One object serves one run at a time; two runs on two threads have two objects.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

// Answers of a message box, with the values the program's message table uses. None is no answer: there is no
// message of the code that was asked.
enum class eAnswer { None = 0, Ok = 1, Cancel = 2, Abort = 3, Retry = 4, Ignore = 5, Yes = 6, No = 7 };

// The look of a message box: its icon and its buttons.
enum class eMessageKind { Error, Warning, Information, Confirmation };
enum class eMessageButtons { Ok, OkHelp, OkCancelHelp, YesNo, YesNoHelp };

struct cCheckDialogModel;
struct cRunState;

// Both files of a copy with size, date and time, and the error: what the interruption dialog shows of a failed
// copy, and what the progress display shows of the copy that starts.
struct cInterruptionInfo {
    std::string FromPath, FromSize, FromDate, FromTime;
    std::string ToPath, ToSize, ToDate, ToTime;
    int Code = 0;
};

// The two run-event windows: one at the start of a run, one at its end.
enum class eRunEvent { Started, Finished };

// Answers of the interruption dialog.
enum class eInterruptionAnswer { Retry = 11, NextFile = 12, NextFolder = 13, Delete = 14, Stop = 15 };

// The answer to the question for the password of an encrypted archive entry.
enum class eZipPasswordAnswer { Retry, NextFile, Cancel };
struct cZipPasswordReply {
    eZipPasswordAnswer answer = eZipPasswordAnswer::NextFile;
    std::string password; // with Retry: the password to try (never empty)
};

// The account for one login on an FTP server.
struct cFtpLogin {
    std::string UserName;
    std::string Password;
};

class cUserInterface {
public:
    virtual ~cUserInterface() = default;

    // ---- Questions: the caller waits for the answer. ----

    // The self-closing error box: three lines ("Fehler beim Lesen von...", the file name, the error text),
    // one button, closes itself after 30 seconds. Headless: prints the lines and returns at once.
    virtual void ShowTimedMessage(const std::string& line1, const std::string& fileName, const std::string& line3) = 0;

    // A modal message box; returns the button pressed. code is the message number and, where the buttons
    // include Help, the help context; text has "\n" line breaks. preset is the answer of a user who cannot be
    // asked: the default (and the headless implementation) returns it without waiting.
    virtual eAnswer ShowMessageBox(int /*code*/, eMessageKind /*kind*/, eMessageButtons /*buttons*/,
                                   const std::string& /*text*/, eAnswer preset) {
        return preset;
    }

    // A check dialog (double modifications or size differences) on model, which it may change; false when
    // the user cancelled the run. The default (and headless) answer is OK with the model's preset choices.
    virtual bool ShowCheckDialog(cCheckDialogModel& /*model*/) { return true; }

    // The preview of the planned actions, in which the user may change them (through the run's candidates and
    // working copies); false when the user cancelled the run. The default (and headless) answer is OK.
    virtual bool ShowPreview(cRunState& /*run*/) { return true; }

    // The interruption dialog after a failed or interrupted copy. std::nullopt when no dialog can be shown: the
    // run then goes on as for a failure nobody was asked about. The default (and headless) shows none.
    virtual std::optional<eInterruptionAnswer> AskInterruption(const cInterruptionInfo& /*info*/) {
        return std::nullopt;
    }

    // The password to encrypt the files added to an archive; std::nullopt when the user gives none (the run
    // then stops). caption is the window's title. The default (and headless) answer is none.
    virtual std::optional<std::string> AskZipAddPassword(const std::string& /*caption*/) { return std::nullopt; }

    // The password for the encrypted entry fileName that could not be unpacked. The default (and headless)
    // answer skips the file.
    virtual cZipPasswordReply AskZipExtractPassword(const std::string& /*caption*/, const std::string& /*fileName*/) {
        return {};
    }

    // The user name and password for this login (not stored in the profile), asked when the profile has none;
    // user and password preset the fields. std::nullopt when the user gives none (the run then stops). The
    // default (and headless) answer is none.
    virtual std::optional<cFtpLogin> AskFtpLogin(const std::string& /*caption*/, const std::string& /*user*/,
                                                 const std::string& /*password*/) {
        return std::nullopt;
    }

    // ---- Notifications: never block. ----

    // A point where a long loop lets others go on; the run tests its stop flags right after. Windows stay
    // alive because they run on another thread, so the default does nothing.
    virtual void Yield() {}

    // The run's status window: a phase text and, when count is above 0, a progress bar over count items.
    // Headless: ShowStatus prints the text on stderr; the bar is not shown.
    virtual void ShowStatus(const std::string& /*text*/, int /*count*/) {}
    virtual void StepStatus(int /*position*/) {}
    virtual void HideStatus() {}

    // The run-event window of event with the rich-text messageFile (a native path; a file that cannot be read
    // gives an empty window), centred or at its saved place. The finished window replaces the started one.
    // Headless: nothing.
    virtual void ShowRunEvent(eRunEvent /*event*/, bool /*centered*/, const std::string& /*messageFile*/) {}

    // The system's simple beep. The default is silent; headless rings the terminal bell when stderr is one.
    virtual void Beep() {}

    // Plays a wave file (a native path); toEnd: return only when it has been played to its end, else at once.
    // Never fails: a file that cannot be played, or a machine without a sound device, plays nothing. The
    // default plays through the platform's sound output.
    virtual void PlaySound(const std::string& nativeFile, bool toEnd);

    // The copy progress. BeginProgress opens the display for a phase that copies bytesToCopy bytes;
    // ReportProgress adds deltaBytes and gives the bytes of the current file so far and its native path;
    // SetProgressPaused stops the clock while a message or the interruption dialog is shown; EndProgress closes
    // the display. The defaults show nothing.
    virtual void BeginProgress(std::int64_t /*bytesToCopy*/) {}
    virtual void ReportProgress(std::int64_t /*deltaBytes*/, std::int64_t /*fileBytes*/,
                                const std::string& /*fileName*/) {}
    virtual void SetProgressPaused(bool /*paused*/) {}
    virtual void EndProgress() {}
    // The file whose copy (or property transfer) starts: both sides with size, date and time (Code unused).
    // The default shows nothing.
    virtual void ShowCopiedFile(const cInterruptionInfo& /*sides*/) {}

    // The FTP communication window: opened (shown again) when a run that logs its dialogue with the server
    // starts; then every line sent (the password already masked) or received. The defaults show nothing.
    virtual void ShowFtpLog() {}
    virtual void FtpLine(bool /*sent*/, const std::string& /*line*/) {}
};
