// The run's side of a zip destination: the adapter set up before the scan and its phases after the preview.
#pragma once

#include "destinations/ZipMdl.h"
#include "engine/DestinationRun.h"

#include <string>

class cZipRun : public cDestinationRun {
public:
    cRemoteTree& Tree() override { return Mdl.Tree(); }
    void AddOwnFiles(cOwnFiles& own) const override;
    // Names the archive (30108), creates its directory when the profile lets the run create destination
    // directories, removes what a killed run left beside it and reads its directory.
    void DestinationResolved(cRun& run) override;
    void Execute(cRun& run) override;
    // Drops whatever was not written: a stopped run leaves the old archive as it was.
    void Finish(cRun& run) override;
    // Extracts the entry (a link entry as the text of its target).
    [[nodiscard]] int FetchFile(const std::string& directory, const std::string& name, const std::string& localFile,
                                std::string& reason) override;
    [[nodiscard]] int FetchFailedMessage() const override { return 30219; }

    TZipMdl Mdl;
};

// The zip phases in their order (see ZipPhases.cpp).
void ExecuteZipActions(cRun& run, TZipMdl& mdl);
