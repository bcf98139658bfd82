// The run's windows filled with typical data, without a run: for screenshots and for trying the layouts.
#pragma once

#include "engine/CheckDialogs.h"

#include <memory>

class cParameters;

namespace ui {

class TCheckDlg;
class TCopyWnd;
class TInfoWnd;
class TInterruptionDlg;

// The status window during the verify phase, a third of the way through.
std::unique_ptr<TInfoWnd> SampleInfoWindow(const cParameters& params);
// The progress window 95 seconds into a copy of 2 GiB, with rate and remaining time. Uses the program's clock
// and leaves it on the system clock.
std::unique_ptr<TCopyWnd> SampleCopyWindow(const cParameters& params);
// The interruption dialog after a copy over a file that is in use. Its buttons are enabled a second after it
// was shown.
std::unique_ptr<TInterruptionDlg> SampleInterruptionDialog(const cParameters& params);
// What a check dialog shows for a few files; TCheckDlg(params, model) shows it.
cCheckDialogModel SampleCheckModel(eCheckDialog kind);

} // namespace ui
