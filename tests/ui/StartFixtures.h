// Helpers for the tests of start-up and run launching: a profile that copies a small tree, the main window
// of a running program, and a watcher that answers every modal window.
#pragma once

#include "profile/Parameters.h"
#include "support/TempDir.h"
#include "ui/MainWnd.h"

#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QMessageBox>
#include <QTimer>

#include <filesystem>

namespace starttest {

namespace fs = std::filesystem;

// A profile <dir>/Profil.tvp that compares every file of <dir>/Quelle with <dir>/Ziel and logs to
// <dir>/Log.txt, with no sounds, no run-event windows and no preview list.
inline cParameters TreeProfile(const testsupport::TempDir& dir) {
    cParameters params;
    params.DocumentKind = kProfileDocument;
    params.SourceDrive = (dir.Path() / "Quelle").string();
    params.DestDrive = (dir.Path() / "Ziel").string();
    params.SearchDirectories.Add("\\*");
    params.AddDefaultMask();
    params.ProfileFile = (dir.Path() / "Profil.tvp").string();
    params.Log.FileName = (dir.Path() / "Log.txt").string();
    params.Recycle = false;
    params.Event1Sound = params.Event2Sound = false;
    params.Event1Message = params.Event2Message = false;
    params.ShowPreview = false;
    return params;
}

// TreeProfile with its tree: one file, a.txt, in the source and an empty destination.
inline cParameters CopyProfile(const testsupport::TempDir& dir) {
    dir.WriteFile("Quelle/a.txt", "alpha");
    fs::create_directories(dir.Path() / "Ziel");
    return TreeProfile(dir);
}

// Writes params as a profile at path (creating its folder); true on success.
inline bool SaveProfile(cParameters& params, const fs::path& path) {
    fs::create_directories(path.parent_path());
    return params.WriteDocument(path.string()) == 0;
}

// The main window of the program that RunProgram runs.
inline ui::TMainWnd* MainWindow() {
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (widget->objectName() == QLatin1String("MainWnd")) return qobject_cast<ui::TMainWnd*>(widget);
    }
    return nullptr;
}

// Answers every modal window while it lives (OK / accept) and keeps the texts of its labels.
class ModalAnswerer : public QObject {
public:
    ModalAnswerer() {
        connect(&m_timer, &QTimer::timeout, this, [this] {
            QWidget* modal = QApplication::activeModalWidget();
            if (!modal) return;
            QString text;
            for (const QLabel* label : modal->findChildren<QLabel*>())
                text += label->text() + QLatin1Char('\n');
            Texts << text;
            if (auto* dialog = qobject_cast<QDialog*>(modal))
                dialog->accept();
            else
                modal->close();
        });
        m_timer.start(20);
    }
    QStringList Texts;

private:
    QTimer m_timer;
};

} // namespace starttest
