#include "platform/ZipArchive.h"

#include "ChildProcess.h"
#include "platform/ErrorCodes.h"
#include "support/TempDir.h"

#include <atomic>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {

namespace fs = std::filesystem;
using platform::FileTime;
using platform::ZipArchive;
using platform::ZipEntry;

// 2024-03-31 01:59:59 UTC: an odd second on the night summer time begins in Berlin, which the DOS time cannot hold.
constexpr FileTime kOddTime = platform::kUnixEpoch + 1'711'850'399LL * platform::kTicksPerSecond;

int Shell(const std::string& command) {
    return std::system((command + " >/dev/null 2>&1").c_str());
}

std::vector<ZipEntry> ListOf(const fs::path& archive, int& rc) {
    ZipArchive zip;
    std::vector<ZipEntry> entries;
    rc = zip.Open(archive.string(), false);
    if (rc == 0) rc = zip.List(entries);
    return entries;
}

const ZipEntry* Find(const std::vector<ZipEntry>& entries, const std::string& name) {
    for (const auto& e : entries)
        if (e.name == name) return &e;
    return nullptr;
}

// Extracts an entry into a file and returns its bytes; rc receives the result.
std::string ExtractText(const fs::path& archive, const std::string& name, const std::string& password, int& rc,
                        std::uint64_t limit = 1 << 30) {
    ZipArchive zip;
    std::vector<ZipEntry> entries;
    rc = zip.Open(archive.string(), false);
    if (rc == 0) rc = zip.List(entries);
    if (rc != 0) return {};
    const ZipEntry* entry = Find(entries, name);
    if (entry == nullptr) {
        rc = platform::kFileNotFound;
        return {};
    }
    char path[] = "/tmp/tolvan-zip-extract-XXXXXX";
    const int fd = ::mkstemp(path);
    rc = zip.Extract(entry->index, fd, limit, password);
    ::close(fd);
    std::ifstream in(path, std::ios::binary);
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    ::unlink(path);
    return bytes;
}

struct Written {
    testsupport::TempDir dir;
    fs::path archive = dir.Path() / "out.zip";
};

int WriteArchive(const fs::path& archive, const std::vector<std::pair<std::string, std::string>>& files,
                 const testsupport::TempDir& dir, const platform::ZipAddOptions& options = {}) {
    ZipArchive zip;
    if (const int rc = zip.Open(archive.string(), true)) return rc;
    int n = 0;
    for (const auto& [name, bytes] : files) {
        const fs::path source = dir.WriteFile("src/" + std::to_string(n++), bytes);
        if (const int rc = zip.AddFile(name, source.string(), kOddTime, options)) return rc;
    }
    if (const int rc = zip.AddDirectory("empty\\dir", kOddTime)) return rc;
    return zip.Close();
}

TEST(ZipArchive, WrittenArchiveRoundTripsNamesContentsAndExactTimes) {
    Written w;
    const std::string big(300'000, 'x');
    ASSERT_EQ(WriteArchive(w.archive, {{"a.txt", "alpha"}, {"sub\\b.bin", big}, {"stored.jpg", "jpeg"}}, w.dir), 0);

    int rc = -1;
    const auto entries = ListOf(w.archive, rc);
    ASSERT_EQ(rc, 0);
    ASSERT_EQ(entries.size(), 4u);
    const ZipEntry* b = Find(entries, "sub/b.bin");
    ASSERT_NE(b, nullptr);
    EXPECT_TRUE(b->exactTime);
    EXPECT_EQ(b->modified, kOddTime);
    EXPECT_EQ(b->size, big.size());
    EXPECT_LT(b->compressedSize, b->size);
    const ZipEntry* dir = Find(entries, "empty/dir");
    ASSERT_NE(dir, nullptr);
    EXPECT_TRUE(dir->isDirectory);
    EXPECT_EQ(dir->modified, kOddTime);

    EXPECT_EQ(ExtractText(w.archive, "sub/b.bin", "", rc), big);
    EXPECT_EQ(rc, 0);
    // Other programs must accept what we write.
    EXPECT_EQ(Shell("unzip -t " + w.archive.string()), 0);
    EXPECT_EQ(Shell("bsdtar -tf " + w.archive.string()), 0);
}

TEST(ZipArchive, StoreLevelZeroStoresAndReplacingKeepsOneEntry) {
    Written w;
    const std::string text(10'000, 'y');
    ASSERT_EQ(WriteArchive(w.archive, {{"a.txt", text}}, w.dir, {0, ""}), 0);
    int rc = -1;
    auto entries = ListOf(w.archive, rc);
    ASSERT_EQ(rc, 0);
    EXPECT_EQ(Find(entries, "a.txt")->compressedSize, text.size());

    ZipArchive zip;
    ASSERT_EQ(zip.Open(w.archive.string(), false), 0);
    const fs::path newer = w.dir.WriteFile("newer", "new");
    ASSERT_EQ(zip.AddFile("a.txt", newer.string(), kOddTime + platform::kTicksPerSecond, {}), 0);
    ASSERT_EQ(zip.Close(), 0);
    entries = ListOf(w.archive, rc);
    EXPECT_EQ(entries.size(), 2u);
    EXPECT_EQ(Find(entries, "a.txt")->modified, kOddTime + platform::kTicksPerSecond);
    EXPECT_EQ(ExtractText(w.archive, "a.txt", "", rc), "new");
}

TEST(ZipArchive, DeletingEveryEntryDeletesTheArchive) {
    Written w;
    ASSERT_EQ(WriteArchive(w.archive, {{"a", "1"}}, w.dir), 0);
    ZipArchive zip;
    ASSERT_EQ(zip.Open(w.archive.string(), false), 0);
    std::vector<ZipEntry> entries;
    ASSERT_EQ(zip.List(entries), 0);
    for (const auto& e : entries)
        ASSERT_EQ(zip.Delete(e.index), 0);
    ASSERT_EQ(zip.Close(), 0);
    EXPECT_FALSE(fs::exists(w.archive));
}

TEST(ZipArchive, EncryptedEntriesNeedTheirPassword) {
    Written w;
    ASSERT_EQ(WriteArchive(w.archive, {{"secret.txt", "geheim"}}, w.dir, {6, "pass wort"}), 0);
    int rc = -1;
    EXPECT_TRUE(Find(ListOf(w.archive, rc), "secret.txt")->encrypted);
    EXPECT_EQ(ExtractText(w.archive, "secret.txt", "pass wort", rc), "geheim");
    EXPECT_EQ(rc, 0);
    for (const std::string wrong : {"", "falsch"}) {
        ExtractText(w.archive, "secret.txt", wrong, rc);
        EXPECT_EQ(rc, platform::kZipWrongPassword) << wrong;
    }
}

TEST(ZipArchive, ReadsArchivesOfTheZipTool) {
    testsupport::TempDir dir;
    dir.WriteFile("tree/a.txt", "alpha");
    dir.WriteFile("tree/sub/b.txt", "beta");
    const std::string cd = "cd " + dir.Path().string() + " && ";
    ASSERT_EQ(Shell(cd + "zip -r -q plain.zip tree"), 0);
    ASSERT_EQ(Shell(cd + "zip -r -q -P alt crypt.zip tree"), 0);
    int rc = -1;
    const auto entries = ListOf(dir.Path() / "plain.zip", rc);
    ASSERT_EQ(rc, 0);
    const ZipEntry* a = Find(entries, "tree/a.txt");
    ASSERT_NE(a, nullptr);
    // zip writes the extended-timestamp field: the file's own second comes back, not the 2-second DOS time.
    struct stat st {};
    ASSERT_EQ(::stat((dir.Path() / "tree/a.txt").c_str(), &st), 0);
    EXPECT_EQ(a->modified, platform::FileTimeFromTimespec(timespec{st.st_mtim.tv_sec, 0}));
    EXPECT_TRUE(a->exactTime);
    EXPECT_TRUE(Find(entries, "tree/sub")->isDirectory);
    EXPECT_EQ(ExtractText(dir.Path() / "plain.zip", "tree/sub/b.txt", "", rc), "beta");
    EXPECT_EQ(ExtractText(dir.Path() / "crypt.zip", "tree/sub/b.txt", "alt", rc), "beta");
    EXPECT_EQ(rc, 0);
    ExtractText(dir.Path() / "crypt.zip", "tree/sub/b.txt", "falsch", rc);
    EXPECT_EQ(rc, platform::kZipWrongPassword);
    // The traditional encryption checks a password by one byte of a random header: one wrong password in 256
    // passes it. Every wrong one must still read as a wrong password, never as a damaged archive.
    for (int i = 0; i < 600; ++i) {
        ExtractText(dir.Path() / "crypt.zip", "tree/sub/b.txt", "falsch" + std::to_string(i), rc);
        ASSERT_EQ(rc, platform::kZipWrongPassword) << "falsch" << i;
    }
}

TEST(ZipArchive, SafeEntryNames) {
    struct Case {
        const char* raw;
        const char* safe; // nullptr: refused
    };
    const Case cases[] = {
        {"a/b.txt", "a/b.txt"}, {"a\\b.txt", "a/b.txt"}, {"./a//b/", "a/b"}, {"a/./b", "a/b"},   {"../x", nullptr},
        {"a/../../x", nullptr}, {"a\\..\\x", nullptr},   {"/abs", nullptr},  {"\\abs", nullptr}, {"C:\\x", nullptr},
        {"c:x", nullptr},       {"", nullptr},           {"./", nullptr},    {"a/..", nullptr},
    };
    for (const auto& c : cases) {
        const auto safe = platform::SafeEntryName(c.raw);
        if (c.safe == nullptr)
            EXPECT_FALSE(safe) << c.raw;
        else
            EXPECT_EQ(safe.value_or("<refused>"), c.safe) << c.raw;
    }
    EXPECT_FALSE(platform::SafeEntryName(std::string_view("a\0b", 3)));

    struct Link {
        const char* entry;
        const char* target;
        bool inside;
    };
    const Link links[] = {
        {"a/link", "b", true},      {"a/link", "../b", true},       {"a/link", "../../b", false},
        {"link", "../b", false},    {"link", "/etc/passwd", false}, {"a/link", "x/../../b", true},
        {"a/link", "C:\\x", false}, {"a/link", "", false},
    };
    for (const auto& l : links)
        EXPECT_EQ(platform::SymlinkStaysInside(l.entry, l.target), l.inside) << l.entry << " -> " << l.target;
}

TEST(ZipArchive, DamagedArchivesGiveErrorsNotCrashes) {
    Written w;
    const std::string data(200'000, 'z');
    ASSERT_EQ(WriteArchive(w.archive, {{"a", data}}, w.dir, {0, ""}), 0);
    const auto size = fs::file_size(w.archive);

    // Cut before the central directory: not an archive any more.
    const fs::path cut = w.dir.Path() / "cut.zip";
    fs::copy_file(w.archive, cut);
    fs::resize_file(cut, size / 2);
    int rc = -1;
    ListOf(cut, rc);
    EXPECT_EQ(rc, platform::kBadFormat);

    // A flipped byte in stored data: the CRC catches it.
    const fs::path flipped = w.dir.Path() / "flipped.zip";
    fs::copy_file(w.archive, flipped);
    {
        std::fstream f(flipped, std::ios::in | std::ios::out | std::ios::binary);
        f.seekp(1000);
        f.put('!');
    }
    ExtractText(flipped, "a", "", rc);
    EXPECT_EQ(rc, platform::kCrcError);

    // Garbage is no archive either.
    const fs::path garbage = w.dir.WriteFile("garbage.zip", std::string(5000, '\x50'));
    ListOf(garbage, rc);
    EXPECT_EQ(rc, platform::kBadFormat);
}

TEST(ZipArchive, ExtractionStopsAtTheLimit) {
    Written w;
    // A megabyte of zeros compresses to about a kilobyte: the real data, not the archive size, is what counts.
    ASSERT_EQ(WriteArchive(w.archive, {{"bomb", std::string(1 << 20, '\0')}}, w.dir), 0);
    int rc = -1;
    const std::string out = ExtractText(w.archive, "bomb", "", rc, 100'000);
    EXPECT_EQ(rc, platform::kDiskFull);
    EXPECT_LE(out.size(), 100'000u);
}

TEST(ZipArchive, StoppedCloseLeavesTheOldArchiveAndNoTemporaryFile) {
    Written w;
    ASSERT_EQ(WriteArchive(w.archive, {{"old", "old contents"}}, w.dir), 0);
    const auto before = fs::file_size(w.archive);

    ZipArchive zip;
    ASSERT_EQ(zip.Open(w.archive.string(), false), 0);
    const fs::path big = w.dir.WriteFile("big", std::string(4 << 20, 'q'));
    ASSERT_EQ(zip.AddFile("big", big.string(), kOddTime, {1, ""}), 0);
    std::atomic<bool> stop{false};
    double seen = 0;
    platform::ZipCloseWatch watch;
    watch.stop = &stop;
    watch.progress = [&](double fraction) {
        seen = fraction;
        if (fraction > 0.0) stop = true;
    };
    EXPECT_EQ(zip.Close(watch), platform::kCancelled);
    EXPECT_EQ(fs::file_size(w.archive), before);
    EXPECT_EQ(testsupport::NamesIn(w.archive.parent_path()), (std::vector<std::string>{"big", "out.zip", "src"}));
    int rc = -1;
    EXPECT_EQ(ExtractText(w.archive, "old", "", rc), "old contents");
}

// A process killed while zip_close writes leaves the old archive whole (the new one is renamed over it only
// when complete).
TEST(ZipArchive, KilledCloseLeavesTheOldArchiveWhole) {
    Written w;
    ASSERT_EQ(WriteArchive(w.archive, {{"old", "old contents"}}, w.dir), 0);
    const fs::path big = w.dir.WriteFile("big", std::string(8 << 20, 'q'));
    const auto status = testsupport::RunInChild([&] {
        ZipArchive zip;
        if (zip.Open(w.archive.string(), false) != 0) return 1;
        if (zip.AddFile("big", big.string(), kOddTime, {1, ""}) != 0) return 2;
        platform::ZipCloseWatch watch;
        watch.progress = [](double fraction) {
            if (fraction > 0.2) ::raise(SIGKILL);
        };
        (void)zip.Close(watch);
        return 3;
    });
    ASSERT_TRUE(status);
    ASSERT_TRUE(WIFSIGNALED(*status));
    int rc = -1;
    EXPECT_EQ(ExtractText(w.archive, "old", "", rc), "old contents");
    EXPECT_EQ(rc, 0);
    EXPECT_EQ(ListOf(w.archive, rc).size(), 2u);
}

// Archives made by hand as an attacker would: names that leave the root, a symbolic link pointing out, and a
// directory that declares far more data than the entry holds.
TEST(ZipArchive, HostileArchivesAreListedButRefused) {
    testsupport::TempDir dir;
    const fs::path archive = dir.Path() / "evil.zip";
    const std::string script = R"(
import sys, zipfile, struct
with zipfile.ZipFile(sys.argv[1], 'w') as z:
    for name in ['../x', '/abs', 'C:\\x', 'ok.txt']:
        z.writestr(zipfile.ZipInfo(name), 'data')
    link = zipfile.ZipInfo('link')
    link.create_system = 3
    link.external_attr = (0o120777 << 16)
    z.writestr(link, '../../etc/passwd')
    z.writestr('strong.bin', 'data')
data = bytearray(open(sys.argv[1], 'rb').read())
def central(name):
    at = data.find(b'PK\x01\x02')
    while data[at + 46:at + 46 + struct.unpack_from('<H', data, at + 28)[0]] != name:
        at = data.find(b'PK\x01\x02', at + 4)
    return at
# ok.txt declares 4 GiB - 16 uncompressed bytes.
struct.pack_into('<I', data, central(b'ok.txt') + 24, 0xFFFFFFF0)
# strong.bin claims a strong encryption nobody can read.
at = central(b'strong.bin')
struct.pack_into('<H', data, at + 8, 0x41)
struct.pack_into('<H', data, struct.unpack_from('<I', data, at + 42)[0] + 6, 0x41)
open(sys.argv[1], 'wb').write(bytes(data))
)";
    const fs::path py = dir.WriteFile("make.py", script);
    ASSERT_EQ(Shell("python3 " + py.string() + " " + archive.string()), 0);

    int rc = -1;
    const auto entries = ListOf(archive, rc);
    ASSERT_EQ(rc, 0);
    ASSERT_EQ(entries.size(), 6u);
    for (const char* bad : {"../x", "/abs", "C:/x"}) {
        ASSERT_NE(Find(entries, bad), nullptr) << bad;
        EXPECT_FALSE(platform::SafeEntryName(bad)) << bad;
    }
    const ZipEntry* link = Find(entries, "link");
    ASSERT_NE(link, nullptr);
    EXPECT_TRUE(link->isSymlink);
    ZipArchive zip;
    ASSERT_EQ(zip.Open(archive.string(), false), 0);
    std::string target;
    ASSERT_EQ(zip.ReadSymlink(link->index, target), 0);
    EXPECT_EQ(target, "../../etc/passwd");
    EXPECT_FALSE(platform::SymlinkStaysInside("link", target));
    // An encryption libzip does not know, asked for with a password, is damage (and must not leak).
    ExtractText(archive, "strong.bin", "passwort", rc);
    EXPECT_EQ(rc, platform::kBadFormat);

    const ZipEntry* liar = Find(entries, "ok.txt");
    ASSERT_NE(liar, nullptr);
    EXPECT_EQ(liar->size, 0xFFFFFFF0u);
    const std::string out = ExtractText(archive, "ok.txt", "", rc);
    EXPECT_NE(rc, 0);
    EXPECT_LE(out.size(), 4u);
}

} // namespace
