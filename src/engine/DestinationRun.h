// What a run does differently when its destination is a zip archive or an FTP server: the adapter that lists
// the destination as a tree, carries out the actions there and closes it at the end. A directory destination
// has none.
#pragma once

#include <memory>
#include <string>

class cOwnFiles;
class cRemoteTree;
struct cRun;

class cDestinationRun {
public:
    virtual ~cDestinationRun() = default;

    // The destination as the scan and the snapshot see it.
    virtual cRemoteTree& Tree() = 0;
    // Adds the destination's own files that may lie in a listed tree (an archive inside the source tree), so
    // that the scan never takes them for data.
    virtual void AddOwnFiles(cOwnFiles& /*own*/) const {}
    // After the destination directory and the archive name were resolved by the variation.
    virtual void DestinationResolved(cRun& run) = 0;
    // Carries out the candidates' actions: the destination's phases in their order. Runs only while the run
    // goes on; without candidates (no files found) only its directory phases act.
    virtual void Execute(cRun& run) = 0;
    // Always at the end of the run, also after a stop: what the destination keeps (the FTP time-stamp list),
    // logging out, closing.
    virtual void Finish(cRun& run) = 0;

    // Copies one file of the destination (a directory of the destination list and a name) to the new local
    // file localFile, for the preview's "Öffnen". Called while the run waits for the preview, never during its
    // phases. Returns 0 or the code; reason: the server's reply to a failed FTP command.
    [[nodiscard]] virtual int FetchFile(const std::string& directory, const std::string& name,
                                        const std::string& localFile, std::string& reason) = 0;
    // The message that tells a failed FetchFile.
    [[nodiscard]] virtual int FetchFailedMessage() const = 0;
};

// Sets up the destination of a zip or FTP run (checks of the zip engine and its temporary directory; the FTP
// login). On failure the reason is logged, the run is stopped and the adapter is still returned, so that its
// Finish closes what was opened; nullptr for a directory destination.
std::unique_ptr<cDestinationRun> StartZipRun(cRun& run);
std::unique_ptr<cDestinationRun> StartFtpRun(cRun& run);
