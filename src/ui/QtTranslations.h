// Qt's own texts (standard buttons, file, colour and print dialogs) in German, like the program's.
#pragma once

class QCoreApplication;

namespace ui {

// Loads Qt's German texts: those shipped with the program (its translations/ folder), else the system's Qt
// translations. Without either Qt's texts stay English; nothing else changes.
void LoadQtTranslations(QCoreApplication& app);

} // namespace ui
