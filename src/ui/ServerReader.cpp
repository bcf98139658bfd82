#include "ui/ServerReader.h"

#include "destinations/FtpClient.h"
#include "platform/ErrorCodes.h"

#include <QString>

#include <algorithm>
#include <atomic>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <string_view>
#include <thread>

namespace {

std::atomic<int> g_runningThreads{0};

// How many lines of a request's dialogue are kept for the failure's details.
constexpr std::size_t kDialogueLines = 24;
// How long the goodbye to the server may take once the dialog is done with it.
constexpr int kQuitSeconds = 1;

bool NameLess(const cServerFolder& a, const cServerFolder& b) {
    if (a.Kind != b.Kind) return a.Kind < b.Kind;
    const int order = QString::fromStdString(a.Name).compare(QString::fromStdString(b.Name), Qt::CaseInsensitive);
    return order != 0 ? order < 0 : a.Name < b.Name;
}

std::vector<cServerFolder> FoldersOf(const TmsFTPDirList& list) {
    std::vector<cServerFolder> folders;
    for (const TmsFTPDirEntry& entry : list) {
        cServerFolder folder;
        folder.Name = entry.Name;
        if (entry.Kind == kFtpDirectory) {
            folder.Kind = cServerFolder::eKind::Directory;
        } else if (entry.Kind == kFtpLink) {
            folder.Kind = cServerFolder::eKind::Link;
            folder.LinkTarget = entry.LinkTarget;
        } else if (entry.Kind == kFtpUnparsed && !IsSafeFtpName(entry.Name)) {
            // The client keeps a name that could lead elsewhere as an unparsed entry: shown, never opened.
            folder.Kind = cServerFolder::eKind::Unsafe;
        } else {
            continue;
        }
        folders.push_back(std::move(folder));
    }
    std::sort(folders.begin(), folders.end(), NameLess);
    return folders;
}

} // namespace

std::string ServerPathOf(const std::string& directory) {
    std::string_view dir = directory;
    if (dir.size() > 1 && dir.back() == '\\') dir.remove_suffix(1);
    std::string path(dir.empty() ? std::string_view("/") : dir);
    std::replace(path.begin(), path.end(), '\\', '/');
    return path;
}

struct cServerReader::cShared {
    std::mutex Mutex;
    std::condition_variable Wake;
    std::deque<std::string> Queue;
    bool Stopped = false;
    std::atomic<bool> StopFlag{false};
    cServerLogin Login;
    Deliver OnListing;
};

namespace {

class cReaderWork {
public:
    explicit cReaderWork(const cServerLogin& login, const std::atomic<bool>* stop) {
        m_client.Host = login.Host;
        m_client.Port = login.Port;
        m_client.UserName = login.UserName;
        m_client.Password = login.Password;
        m_client.TimeOut = std::max(1, login.TimeOut);
        m_client.PassiveMode = login.Passive;
        m_client.Stop = {stop, nullptr};
        m_client.Events.OnLineSent = [this](const std::string& line) { Note("> " + line); };
        m_client.Events.OnLineReceived = [this](const std::string& line) { Note("< " + line); };
    }

    cServerListing Read(const std::string& directory) {
        m_dialogue.clear();
        cServerListing result;
        result.Directory = directory;
        const std::string path = ServerPathOf(directory);
        int rc = LogIn();
        if (rc == 0) {
            rc = m_client.ChangeDirectory(path);
            // A server that closed an idle connection gets one new login.
            if (rc == platform::kSocketClosed || (rc == platform::kFtpCommandFailed && m_client.ReplyCode() == 421)) {
                m_loggedIn = false;
                rc = LogIn();
                if (rc == 0) rc = m_client.ChangeDirectory(path);
            }
        }
        if (rc == 0) {
            rc = m_client.ListDirectory();
            // Unsafe names are listed as such and shown, never opened: the listing itself is good.
            if (rc == platform::kFtpUnsafeName) rc = 0;
        }
        if (rc == 0) result.Folders = FoldersOf(m_client.DirList());
        result.Code = rc;
        result.Reply = m_client.ReplyText();
        result.Dialogue = std::move(m_dialogue);
        m_dialogue.clear();
        return result;
    }

    // Says goodbye to a server that is waiting for the next command, briefly and whatever the stop flag says.
    void Quit() {
        if (!m_loggedIn || !m_client.Connected()) return;
        m_client.Stop = {};
        m_client.TimeOut = kQuitSeconds;
        (void)m_client.Quit();
    }

private:
    int LogIn() {
        if (m_loggedIn && m_client.Connected()) return 0;
        const int rc = m_client.Login();
        m_loggedIn = rc == 0;
        return rc;
    }

    void Note(std::string line) {
        if (m_dialogue.size() == kDialogueLines) m_dialogue.erase(m_dialogue.begin());
        m_dialogue.push_back(std::move(line));
    }

    TmsFTPClient m_client;
    bool m_loggedIn = false;
    std::vector<std::string> m_dialogue;
};

} // namespace

cServerReader::cServerReader(cServerLogin login, Deliver deliver) : m_shared(std::make_shared<cShared>()) {
    m_shared->Login = std::move(login);
    m_shared->OnListing = std::move(deliver);
    ++g_runningThreads;
    std::thread([shared = m_shared] {
        {
            cReaderWork work(shared->Login, &shared->StopFlag);
            bool idle = false;
            for (;;) {
                std::string directory;
                {
                    std::unique_lock lock(shared->Mutex);
                    shared->Wake.wait(lock, [&] { return shared->Stopped || !shared->Queue.empty(); });
                    if (shared->Stopped) {
                        idle = true;
                        break;
                    }
                    directory = std::move(shared->Queue.front());
                    shared->Queue.pop_front();
                }
                cServerListing listing = work.Read(directory);
                std::lock_guard lock(shared->Mutex);
                if (shared->Stopped) break;
                shared->OnListing(std::move(listing));
            }
            // Stopped while a command was on its way, the connection is in an unknown state: it is only closed.
            if (idle) work.Quit();
        }
        --g_runningThreads;
    }).detach();
}

cServerReader::~cServerReader() {
    Stop();
}

void cServerReader::Read(const std::string& directory) {
    {
        std::lock_guard lock(m_shared->Mutex);
        if (m_shared->Stopped) return;
        m_shared->Queue.push_back(directory);
    }
    m_shared->Wake.notify_one();
}

void cServerReader::Stop() {
    {
        std::lock_guard lock(m_shared->Mutex);
        m_shared->Stopped = true;
        m_shared->StopFlag = true;
        m_shared->Queue.clear();
    }
    m_shared->Wake.notify_one();
}

int cServerReader::RunningThreads() {
    return g_runningThreads.load();
}
