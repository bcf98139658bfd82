// A small file system of a Windows format mounted on a loop device for one test: FAT through the kernel's vfat,
// or exFAT through FUSE (exfat-fuse). Mounting takes root and the format's tools (dosfstools, exfatprogs and
// exfat-fuse); when it cannot be made, Reason() says why and the test skips with it.
#pragma once

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>

namespace testsupport {

class ScratchMount {
public:
    enum class Format { KernelVfat, FuseExfat };

    // The image and the mount point are made inside workDir, which must outlive the mount.
    ScratchMount(const std::filesystem::path& workDir, Format format) : m_point(workDir / "mnt") {
        const bool vfat = format == Format::KernelVfat;
        if (::geteuid() != 0) {
            m_reason = "mounting a file system takes root";
            return;
        }
        const std::string make = vfat ? "mkfs.vfat" : "mkfs.exfat";
        const std::string mount = vfat ? "mount -t vfat" : "mount.exfat-fuse";
        if (Shell("{ command -v " + make + " && command -v " + mount.substr(0, mount.find(' ')) +
                  " && command -v losetup; } >/dev/null 2>&1") != 0) {
            m_reason = make + ", " + mount + " or losetup is missing";
            return;
        }
        const std::filesystem::path image = workDir / "scratch.img";
        std::ofstream(image, std::ios::binary).close();
        std::filesystem::resize_file(image, 8 << 20);
        std::filesystem::create_directory(m_point);
        if (Shell(make + " " + Quoted(image) + " >/dev/null 2>&1") != 0) {
            m_reason = make + " failed";
            return;
        }
        FILE* loop = ::popen((kPath + "losetup -f --show " + Quoted(image) + " 2>/dev/null").c_str(), "r");
        char device[256] = {};
        if (loop && std::fgets(device, sizeof device, loop)) m_device = device;
        if (loop) ::pclose(loop);
        while (!m_device.empty() && (m_device.back() == '\n' || m_device.back() == ' '))
            m_device.pop_back();
        if (m_device.empty()) {
            m_reason = "no loop device could be set up";
            return;
        }
        if (Shell(mount + " " + Quoted(m_device) + " " + Quoted(m_point) + " >/dev/null 2>&1") != 0) {
            m_reason = mount + " failed" + (vfat ? " (a kernel without its vfat driver?)" : " (no /dev/fuse?)");
            return;
        }
        m_mounted = true;
    }
    ~ScratchMount() {
        if (m_mounted) Shell("umount " + Quoted(m_point) + " >/dev/null 2>&1");
        if (!m_device.empty()) Shell("losetup -d " + Quoted(m_device) + " >/dev/null 2>&1");
    }
    ScratchMount(const ScratchMount&) = delete;
    ScratchMount& operator=(const ScratchMount&) = delete;

    bool Mounted() const { return m_mounted; }
    const std::string& Reason() const { return m_reason; }
    const std::filesystem::path& Path() const { return m_point; }

private:
    // The tools live in the system's sbin directories, which a user's PATH may lack.
    static inline const std::string kPath = "PATH=\"$PATH:/usr/sbin:/sbin\"; ";

    static int Shell(const std::string& command) { return std::system((kPath + command).c_str()); }
    static std::string Quoted(const std::filesystem::path& path) {
        std::string quoted = "'";
        for (char c : path.string())
            quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
        return quoted + "'";
    }

    std::filesystem::path m_point;
    std::string m_device;
    std::string m_reason;
    bool m_mounted = false;
};

} // namespace testsupport
