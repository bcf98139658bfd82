// "Neue Datei": whether the new document is a profile or a batch file.
#pragma once

class QWidget;

namespace ui {

// 6 for "  Profil", 7 for "  Batch-Datei", 2 when cancelled (buttons ProfileBtn, BatchBtn, CancelBtn).
int AskNewFileKind(QWidget* parent);

} // namespace ui
