// "FTP": how an FTP destination keeps its time stamps; "Verschiedenes": drive lists, the tray and sounds.
#include "profile/Parameters.h"
#include "ui/DialogParts.h"
#include "ui/OptionsPages.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QVBoxLayout>

namespace ui {

namespace {

class cFtpPage : public cOptionsPage {
public:
    cFtpPage(const cParameters& params, QWidget* parent) : cOptionsPage("FtpPage", QStringLiteral("FTP"), parent) {
        m_useList = NamedCheck("FtpUseListChk", QStringLiteral("&Liste der Datum-Zeit-Stempel benutzen"),
                               params.FtpUseList, this);
        m_useList->setToolTip(QStringLiteral("Tolvan merkt sich die Zeiten der Dateien auf dem Server in einer "
                                             "Datei neben dem Profil."));
        m_useMdtm = NamedCheck("FtpUseMdtmChk", QStringLiteral("&MDTM benutzen"), params.FtpUseMdtm, this);
        m_useMdtm->setToolTip(QStringLiteral("Fragt den Server mit dem Befehl MDTM nach der genauen Zeit einer "
                                             "Datei und setzt sie."));
        m_serverLocal =
            NamedCheck("FtpServerLocalChk", QStringLiteral("&Server liefert Lokalzeit"), params.FtpServerLocal, this);
        m_logComm = NamedCheck("FtpLogCommChk", QStringLiteral("&Kommunikation loggen"), params.FtpLogComm, this);
        auto* column = new QVBoxLayout(this);
        column->addWidget(
            NoteLabel(QStringLiteral("Server, Port, Benutzer und Kennwort stehen im Dialog „Ziel“."), this));
        column->addWidget(m_useList);
        column->addWidget(m_useMdtm);
        column->addWidget(m_serverLocal);
        column->addWidget(m_logComm);
        column->addStretch();
    }

    void Store(cParameters& params) const override {
        params.FtpUseList = m_useList->isChecked();
        params.FtpUseMdtm = m_useMdtm->isChecked();
        params.FtpServerLocal = m_serverLocal->isChecked();
        params.FtpLogComm = m_logComm->isChecked();
    }

private:
    QCheckBox* m_useList = nullptr;
    QCheckBox* m_useMdtm = nullptr;
    QCheckBox* m_serverLocal = nullptr;
    QCheckBox* m_logComm = nullptr;
};

class cOtherPage : public cOptionsPage {
public:
    cOtherPage(const cParameters& params, QWidget* parent)
        : cOptionsPage("OtherPage", QStringLiteral("Verschiedenes"), parent) {
        auto* drives = new QGroupBox(QStringLiteral("Laufwerks-Listen"), this);
        m_browseNetwork = NamedCheck("BrowseNetworkChk", QStringLiteral("&Netzwerk automatisch durchsuchen"),
                                     params.BrowseNetwork, drives);
        m_diskInfo =
            NamedCheck("DiskInfoChk", QStringLiteral("&Datenträger-Information zeigen"), params.DiskInfo, drives);
        auto* drivesColumn = new QVBoxLayout(drives);
        drivesColumn->addWidget(m_browseNetwork);
        drivesColumn->addWidget(m_diskInfo);
        m_trayIcon = NamedCheck("TrayIconChk", QStringLiteral("In den &Infobereich minimieren"), params.TrayIcon, this);
        m_trayIcon->setToolTip(QStringLiteral("Das minimierte Fenster zeigt sich nur als Symbol im Infobereich."));
        m_syncSounds = NamedCheck("SyncSoundsChk", QStringLiteral("&Klänge immer in voller Länge abspielen"),
                                  params.SyncSounds, this);
        auto* column = new QVBoxLayout(this);
        column->addWidget(drives);
        column->addWidget(m_trayIcon);
        column->addWidget(m_syncSounds);
        column->addStretch();
    }

    void Store(cParameters& params) const override {
        params.BrowseNetwork = m_browseNetwork->isChecked();
        params.DiskInfo = m_diskInfo->isChecked();
        params.TrayIcon = m_trayIcon->isChecked();
        params.SyncSounds = m_syncSounds->isChecked();
    }

private:
    QCheckBox* m_browseNetwork = nullptr;
    QCheckBox* m_diskInfo = nullptr;
    QCheckBox* m_trayIcon = nullptr;
    QCheckBox* m_syncSounds = nullptr;
};

} // namespace

cOptionsPage* MakeFtpPage(const cParameters& params, QWidget* parent) {
    return new cFtpPage(params, parent);
}

cOptionsPage* MakeOtherPage(const cParameters& params, QWidget* parent) {
    return new cOtherPage(params, parent);
}

} // namespace ui
