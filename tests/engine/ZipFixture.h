// Whole runs into a zip archive: the profile of ActionFixture with the archive Ziel/Sicherung.zip as its
// destination, archives written and read back for the tests, and the log lines of the zip phases.
#pragma once

#include "ActionFixture.h"

#include "platform/ZipArchive.h"

#include <cstdio>
#include <unistd.h>

namespace runtest {

// One entry of an archive a test writes: a file, or with Link a symbolic link whose target is Content.
struct cArchiveFile {
    std::string Name;
    std::string Content;
    platform::FileTime Time;
    unsigned Mode = 0644;
    std::string Password{};
    bool Link = false;
};

class ZipFixture : public ActionFixture {
protected:
    ZipFixture() {
        p.DestType = eDestType::Zip;
        p.DestArchive = "Sicherung.zip";
        p.ZipCompression = 6;
        p.Warning3Sound = false;
    }

    fs::path Archive() const { return Dest() / "Sicherung.zip"; }

    // The files of an archive as ReadTree shows files on disk (directories left out): content (a link's
    // target), seconds, mode.
    static Tree ArchiveTree(const fs::path& archive, const std::string& password = {}) {
        Tree tree;
        platform::ZipArchive zip;
        std::vector<platform::ZipEntry> entries;
        EXPECT_EQ(zip.Open(archive.string(), false), 0) << archive;
        EXPECT_EQ(zip.List(entries), 0);
        for (const platform::ZipEntry& entry : entries) {
            if (entry.isDirectory) continue;
            cEntryState state;
            if (entry.isSymlink) {
                EXPECT_EQ(zip.ReadSymlink(entry.index, state.Content), 0);
            } else {
                std::FILE* file = std::tmpfile();
                EXPECT_EQ(zip.Extract(entry.index, ::fileno(file), entry.size, password), 0) << entry.name;
                std::rewind(file);
                char buffer[4096];
                for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, file)) > 0;)
                    state.Content.append(buffer, n);
                std::fclose(file);
                state.Mode = entry.mode;
            }
            state.Seconds = platform::TimespecFromFileTime(entry.modified).tv_sec;
            tree[entry.name] = state;
        }
        return tree;
    }

    // The files below root as an archive holds them: whole seconds, links without a mode.
    static Tree FilesOnDisk(const fs::path& root) {
        Tree tree;
        for (auto& [name, state] : ReadTree(root)) {
            if (state.Directory) continue;
            state.Nanoseconds = 0;
            if (fs::is_symlink(root / name)) state.Mode = 0;
            tree[name] = state;
        }
        return tree;
    }

    static std::vector<platform::ZipEntry> Entries(const fs::path& archive) {
        platform::ZipArchive zip;
        std::vector<platform::ZipEntry> entries;
        EXPECT_EQ(zip.Open(archive.string(), false), 0) << archive;
        EXPECT_EQ(zip.List(entries), 0);
        return entries;
    }

    // Writes an archive with the given entries (and nothing else).
    void WriteArchive(const fs::path& archive, const std::vector<cArchiveFile>& files) const {
        fs::remove(archive);
        platform::ZipArchive zip;
        ASSERT_EQ(zip.Open(archive.string(), true), 0);
        int n = 0;
        for (const cArchiveFile& file : files) {
            if (file.Link) {
                ASSERT_EQ(zip.AddSymlink(file.Name, file.Content, file.Time), 0);
                continue;
            }
            const fs::path source = dir.WriteFile("archivquellen/" + std::to_string(n++), file.Content);
            ASSERT_EQ(zip.AddFile(file.Name, source.string(), file.Time,
                                  {.level = 6, .password = file.Password, .mode = file.Mode}),
                      0);
        }
        ASSERT_EQ(zip.Close(), 0);
    }

    // The file's entry in the archive as the log names it: the archive's path, then the entry's.
    static cSide InArchive(const fs::path& dest, const std::string& relative, const std::string& size = {},
                           const std::string& date = {}, const std::string& time = {}) {
        return {(dest / "Sicherung.zip" / relative).string(), size, date, time};
    }
    static cSide On(const fs::path& root, const std::string& relative, const std::string& size = {},
                    const std::string& date = {}, const std::string& time = {}) {
        return {(root / relative).string(), size, date, time};
    }

    std::string UsingArchive() const { return "Verwende das Zip-Archiv \"" + Archive().string() + "\"."; }
};

} // namespace runtest
