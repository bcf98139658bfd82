// The volume label of the file system that holds a path, as udev publishes it in /dev/disk/by-label.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

// The label of the file system holding the existing native path; std::nullopt when the path does not exist,
// the file system has no label or its device cannot be found.
std::optional<std::string> VolumeLabel(const std::string& nativePath);

// The same with the label directory and the mount table given: a by-label link matches when it names the
// block device of the path's st_dev, or the source device of a mount with that device number in the mount table
// (file systems such as btrfs report a device number of their own).
std::optional<std::string> VolumeLabelFrom(const std::string& nativePath, const std::string& byLabelDirectory,
                                           const std::string& mountInfoFile);

// The real paths of the devices mounted as the file system that holds the existing native path (from the mount
// table); empty when the path does not exist.
std::vector<std::string> MountSourcesOf(const std::string& nativePath);

// Where VolumeLabel and MountSourcesOf look: another label directory and mount table (a machine's disks cannot be
// relabelled for a test); an empty directory goes back to the system's.
void SetVolumeLabelSources(std::string byLabelDirectory, std::string mountInfoFile);

// A link name from /dev/disk/by-label as the label it stands for: udev writes "\xHH" for bytes such as a blank or
// "/" ("USB\x20STICK" → "USB STICK").
std::string DecodeLabelName(std::string_view linkName);

} // namespace platform
