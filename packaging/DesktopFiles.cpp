// tolvan_desktop_files SHAREDIR EXECUTABLE: writes what the desktop needs of an installed Tolvan below SHAREDIR
// (prefix/share): the application entry that starts EXECUTABLE, the MIME package of the document types and the
// program's icon in the theme's PNG sizes. The same texts as the program's own registration for one user.
#include "platform/AtomicFile.h"
#include "platform/DesktopEntry.h"
#include "profile/DocumentTypes.h"
#include "ui/ToolbarIcons.h"

#include <QDir>
#include <QGuiApplication>
#include <QImage>

#include <cstdio>
#include <optional>
#include <string>

namespace {

constexpr int kIconSizes[] = {16, 22, 24, 32, 48, 64, 128, 256};

bool WriteText(const std::string& path, const std::string& text) {
    QDir().mkpath(QString::fromStdString(path.substr(0, path.rfind('/'))));
    if (platform::WriteFileAtomically(path, text, 0644) == 0) return true;
    std::fprintf(stderr, "%s: nicht geschrieben\n", path.c_str());
    return false;
}

bool WriteIcon(const std::string& share, const char* name, bool lit, int size) {
    const QString folder = QString::fromStdString(share) + QStringLiteral("/icons/hicolor/%1x%1/apps").arg(size);
    const QString file = folder + QStringLiteral("/") + QString::fromLatin1(name) + QStringLiteral(".png");
    if (QDir().mkpath(folder) && ui::ProgramIconImage(lit, size).save(file, "PNG")) return true;
    std::fprintf(stderr, "%s: nicht geschrieben\n", qPrintable(file));
    return false;
}

} // namespace

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "Aufruf: tolvan_desktop_files SHAREORDNER PROGRAMM\n");
        return 2;
    }
    const std::string share = argv[1];
    const std::optional<std::string> entry =
        platform::ApplicationEntryText(argv[2], DocumentTypes(), platform::kProgramIcon);
    bool ok = entry && WriteText(share + "/applications/tolvan.desktop", *entry);
    ok = WriteText(share + "/mime/packages/tolvan.xml", platform::MimePackageText(DocumentTypes())) && ok;
    for (const int size : kIconSizes) {
        ok = WriteIcon(share, "tolvan", false, size) && ok;
        ok = WriteIcon(share, "tolvan-lit", true, size) && ok;
    }
    return ok ? 0 : 1;
}
