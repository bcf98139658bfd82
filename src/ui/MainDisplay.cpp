#include "ui/MainDisplay.h"

#include "messages/ErrorText.h"
#include "platform/ErrorCodes.h"
#include "platform/ReadRegularFile.h"
#include "profile/ProgrammParameters.h"
#include "ui/BiorhythmChart.h"
#include "ui/DisplayPicture.h"
#include "ui/RichText.h"

#include <QCommandLinkButton>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

#include <array>

namespace ui {

namespace {

// Message and picture files are small; anything beyond this is not what the option meant.
constexpr std::size_t kMaxDisplayFileBytes = std::size_t{64} << 20;

constexpr int kTaskPanelHeight = 250;
constexpr int kMessageHeight = 350;
constexpr int kFrameWidth = 3;

QString ReadFailure(const std::string& nativePath, int error) {
    return QStringLiteral("Fehler beim Lesen von...\n%1\n%2")
        .arg(QString::fromStdString(nativePath), QString::fromStdString(ErrorText(error)));
}

// 0x00BBGGRR.
QColor FromColorRef(std::uint32_t color) {
    return QColor(int(color & 0xFF), int((color >> 8) & 0xFF), int((color >> 16) & 0xFF));
}

} // namespace

cMainDisplay::cMainDisplay(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("InnerPnl"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
}

void cMainDisplay::Rebuild(const cProgrammParameters& options) {
    delete m_content;
    m_content = nullptr;
    switch (options.MainDisplay) {
    case 0:
        m_content = TaskPanel();
        break;
    case 1:
        m_content = MessagePanel(options.MessagePath);
        break;
    case 2:
        m_content = PicturePanel(options.PicturePath, options.FitSize, options.FrameColor);
        break;
    case 3:
        m_content = new cBiorhythmChart(options.BirthDate, this);
        break;
    default: // 4: nothing, the display takes no room
        break;
    }
    if (m_content) layout()->addWidget(m_content);
    updateGeometry();
}

QWidget* cMainDisplay::TaskPanel() {
    struct cTask {
        const char* Caption;
        const char* Description;
    };
    static constexpr std::array<cTask, 3> kTasks = {{
        {"Backup einrichten", "Dateien auf ein anderes Laufwerk, in ein Zip-Archiv oder auf einen FTP-Server sichern"},
        {"Synchronisation einrichten", "Zwei Verzeichnisse in beiden Richtungen auf demselben Stand halten"},
        {"Profil einrichten", "Ein Profil Schritt für Schritt mit allen Einstellungen anlegen"},
    }};
    auto* panel = new QWidget(this);
    panel->setObjectName(QStringLiteral("TaskPnl"));
    panel->setMinimumHeight(kTaskPanelHeight);
    auto* column = new QVBoxLayout(panel);
    column->addStretch();
    for (int task = 1; task <= 3; ++task) {
        const cTask& text = kTasks[std::size_t(task - 1)];
        auto* button =
            new QCommandLinkButton(QString::fromUtf8(text.Caption), QString::fromUtf8(text.Description), panel);
        button->setObjectName(QStringLiteral("TaskBtn%1").arg(task));
        connect(button, &QCommandLinkButton::clicked, this, [this, task] { emit TaskClicked(task); });
        column->addWidget(button);
    }
    column->addStretch();
    return panel;
}

QWidget* cMainDisplay::MessagePanel(const std::string& messagePath) {
    auto* browser = new cRichTextBrowser(this);
    browser->setObjectName(QStringLiteral("MessageBrw"));
    browser->setMinimumHeight(kMessageHeight);
    browser->setOpenExternalLinks(true);
    if (int error = 0; !browser->LoadFile(messagePath, &error)) browser->setPlainText(ReadFailure(messagePath, error));
    return browser;
}

QWidget* cMainDisplay::PicturePanel(const std::string& picturePath, bool fitSize, std::uint32_t frameColor) {
    auto* panel = new QWidget(this);
    panel->setObjectName(QStringLiteral("PicturePnl"));
    auto* row = new QHBoxLayout(panel);
    row->setContentsMargins(0, 0, 0, 0);
    auto* picture = new QLabel(panel);
    picture->setObjectName(QStringLiteral("PictureImg"));
    picture->setAlignment(Qt::AlignCenter);

    const platform::FileBytes file = platform::ReadRegularFile(picturePath, kMaxDisplayFileBytes);
    const QImage image =
        file ? QImage::fromData(reinterpret_cast<const uchar*>(file.bytes.data()), int(file.bytes.size())) : QImage();
    if (image.isNull()) {
        picture->setText(ReadFailure(picturePath, file ? platform::kBadFormat : file.error));
        picture->setWordWrap(true);
        row->addWidget(picture);
        return panel;
    }
    picture->setPixmap(QPixmap::fromImage(DisplayPicture(image, fitSize)));
    // The frame: the frame colour shows around the picture.
    auto* frame = new QWidget(panel);
    frame->setObjectName(QStringLiteral("PictureFrm"));
    QPalette colors = frame->palette();
    colors.setColor(QPalette::Window, FromColorRef(frameColor));
    frame->setPalette(colors);
    frame->setAutoFillBackground(true);
    auto* framed = new QHBoxLayout(frame);
    framed->setContentsMargins(kFrameWidth, kFrameWidth, kFrameWidth, kFrameWidth);
    framed->addWidget(picture);
    row->addStretch();
    row->addWidget(frame);
    row->addStretch();
    return panel;
}

} // namespace ui
