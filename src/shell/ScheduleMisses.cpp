#include "shell/ScheduleMisses.h"

#include "log/LogFile.h"
#include "profile/Parameters.h"

#include <cstdio>
#include <string>

void ReportScheduleMisses(const cParameters& params, const std::vector<cScheduleMiss>& misses) {
    if (misses.empty()) return;
    std::vector<std::string> lines;
    for (std::size_t i = 0; i < misses.size() && i < kMaxListedMisses; ++i)
        lines.push_back(ScheduleMissLine(misses[i]));
    if (misses.size() > kMaxListedMisses)
        lines.push_back("Zeitplaner: " + std::to_string(misses.size() - kMaxListedMisses) +
                        " weitere Läufe ausgelassen");
    for (const std::string& line : lines)
        std::fprintf(stderr, "%s\n", line.c_str());

    if (params.DocumentKind != kProfileDocument || !params.Log.Active) return;
    cLogParameters log = params.Log;
    log.ResolveLogFile(params.DateOffset);
    if (log.ActualFileName.empty()) return;
    cLogFile file;
    if (file.Open(log.ActualFileName, true) == 0) file.AppendLines(lines);
}
