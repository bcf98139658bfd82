#include "ScreenshotScene.h"

#include "engine/RunControl.h"
#include "engine/RunDriver.h"
#include "shell/HeadlessInterface.h"
#include "support/DescribeFixtures.h"

#include <QColor>
#include <QImage>
#include <QPainter>

namespace screenshots {

cScene::cScene() {
    m_dir.WriteFile("Anna/Briefe/2026/Brief an Frau Müller.txt", "Sehr geehrte Frau Müller,\n");
    m_dir.WriteFile("Anna/Briefe/2026/Kündigung Zeitung.txt", "Hiermit kündige ich\n");
    m_dir.WriteFile("Anna/Bilder/Urlaub am See.jpg", std::string(300000, 'x'));
    m_dir.WriteFile("Anna/Kassenbuch.csv", "Januar;120,50\n");
    m_dir.WriteFile("Sicherung/.keep", "");
    m_dir.WriteFile("Nachricht.html", "<h2>Guten Morgen, Anna!</h2><p>Heute ist Donnerstag: die Briefe werden "
                                      "gesichert, sobald Sie auf <b>Los</b> drücken.</p>");
    QImage picture(640, 360, QImage::Format_RGB32);
    QPainter painter(&picture);
    QLinearGradient sky(0, 0, 0, 360);
    sky.setColorAt(0, QColor(90, 150, 220));
    sky.setColorAt(1, QColor(220, 235, 250));
    painter.fillRect(picture.rect(), sky);
    painter.setBrush(QColor(40, 110, 60));
    painter.setPen(Qt::NoPen);
    painter.drawEllipse(QPoint(200, 420), 420, 170);
    painter.setBrush(QColor(250, 210, 60));
    painter.drawEllipse(QPoint(520, 80), 40, 40);
    painter.end();
    picture.save(QString::fromStdString((m_dir.Path() / "See.png").string()));

    // The log of a real run of the profile, as the log viewer shows it.
    cParameters profile = Profile();
    cHeadlessInterface quiet;
    cRunControl control(quiet);
    (void)ExecuteRun(profile, control, kSingleProfile, 0);
}

cParameters cScene::Profile() const {
    cParameters p;
    p.ResetProfile();
    p.AddDefaultMask();
    p.DocumentKind = kProfileDocument;
    p.SourceDrive = (m_dir.Path() / "Anna").string();
    p.DestDrive = (m_dir.Path() / "Sicherung").string();
    p.SearchDirectories.Add("\\Briefe\\*");
    p.SearchDirectories.Add("\\Bilder\\*");
    p.DocumentFile = (m_dir.Path() / "Briefe sichern.tvp").string();
    p.ProfileFile = p.DocumentFile;
    p.Untitled = false;
    p.Log.FileName = LogFile();
    p.RunCount = 12;
    return p;
}

cParameters cScene::Batch() const {
    cParameters p;
    testsupport::FillBatch(p);
    p.DocumentFile = (m_dir.Path() / "Wochenende.tvb").string();
    p.Untitled = false;
    return p;
}

std::string cScene::LogFile() const {
    return (m_dir.Path() / "Log.txt").string();
}
std::string cScene::PictureFile() const {
    return (m_dir.Path() / "See.png").string();
}
std::string cScene::MessageFile() const {
    return (m_dir.Path() / "Nachricht.html").string();
}

} // namespace screenshots
