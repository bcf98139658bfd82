// Reads the folders of an FTP server for the destination dialog on a thread of its own: one login kept while the
// dialog reads, one listing per directory asked for, every result handed to a callback.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

// What the reader logs in with, taken from the dialog's fields.
struct cServerLogin {
    std::string Host;
    std::uint16_t Port = 21;
    std::string UserName;
    std::string Password;
    int TimeOut = 30; // seconds, for every wait for the server
    bool Passive = true;
};

// An entry of a listing that the tree shows. Only Directory entries are opened or chosen: a link may lead anywhere
// on the server, and an unsafe name cannot stand in a destination directory.
struct cServerFolder {
    enum class eKind { Directory, Link, Unsafe };
    eKind Kind = eKind::Directory;
    std::string Name; // UTF-8 as listed (an unsafe one may hold "/", "\" or control characters)
    std::string LinkTarget;
};

struct cServerListing {
    std::string Directory;              // as asked for: "\" or "\A\B\"
    int Code = 0;                       // 0, or the program's error code of the login, CWD or LIST
    std::string Reply;                  // the server's last reply line (a password in it shows as "****")
    std::vector<std::string> Dialogue;  // the lines of this request: "> " sent (PASS ****), "< " received
    std::vector<cServerFolder> Folders; // directories by name, then links, then unsafe names
};

class cServerReader {
public:
    // Called on the reader's thread, one listing at a time and never after Stop() has returned; it must not
    // wait for the GUI thread.
    using Deliver = std::function<void(cServerListing)>;

    cServerReader(cServerLogin login, Deliver deliver);
    // Stops; the thread ends on its own (a name look-up cannot be interrupted, and the dialog never waits for it).
    ~cServerReader();
    cServerReader(const cServerReader&) = delete;
    cServerReader& operator=(const cServerReader&) = delete;

    // Asks for the folders of a directory ("\" is the server's root); requests are served in order.
    void Read(const std::string& directory);
    // Raises the client's stop flag: a wait for the server ends at once and nothing more is delivered.
    void Stop();

    // Reader threads that have not ended yet, over the whole program (for tests).
    static int RunningThreads();

private:
    struct cShared;
    std::shared_ptr<cShared> m_shared;
};

// The server path of a directory in the program's form: "\A\B\" gives "/A/B", "\" gives "/".
std::string ServerPathOf(const std::string& directory);
