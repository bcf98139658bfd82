// The codes that profile fields store, by name. Each enumerator has the value the profile file and the settings
// file hold; a field keeps any value of its type, so a code the program does not know survives reading and writing.
#pragma once

#include <cstdint>
#include <type_traits>

// DestType: what the destination is.
enum class eDestType : std::uint8_t { Directory = 0, Zip = 1, Ftp = 2 };

// The sides a run may change, as TouchSrc and TouchDest say together. The first three have the values of the
// direction number of the earlier profile formats. Neither (both false) is never set by the program; a profile
// that holds it has the run change no side.
enum class eTouchMode : std::uint8_t {
    DestOnly = 0,   // only the destination is touched: forward
    Both = 1,       // both sides, in both directions
    SourceOnly = 2, // only the source is touched: backward
    Neither = 3,
};

// The orphan codes of the five OrphanMode fields; each field admits only some of them.
enum class eOrphanMode : std::uint8_t {
    Forward = 0,         // copy to the destination
    Skip = 1,            // leave it
    Delete = 2,          // delete it
    Backward = 3,        // copy to the source
    ForwardBackward = 4, // copy to the side where it is missing
    LookInSnapshot = 5,  // the last run's snapshot decides between deleting and copying
    OrphansOnly = 6,     // only orphans are copied; pairs are at most listed
};

// The bits of Attributes: files with these attributes may be found and changed (overwritten, deleted).
enum class eAttributeChange : int { ReadOnly = 1, Hidden = 2, System = 4 };

// The value of Attributes that allows exactly these changes. (<type_traits> rather than a concept: Qt's moc
// cannot read <concepts> when a window's source includes this header before any Qt header.)
template <class... Changes>
requires(std::is_same_v<Changes, eAttributeChange>&&...) constexpr int AttributeBits(Changes... changes) {
    return (0 | ... | static_cast<int>(changes));
}
// Whether attributes (a value of Attributes) allows change.
constexpr bool AllowsChange(int attributes, eAttributeChange change) {
    return (attributes & AttributeBits(change)) != 0;
}

// ShortenPaths: which leading part of the source paths the destination directory replaces.
enum class eShortenPaths : int {
    None = 0,         // nothing is cut
    Automatic = 1,    // the common leading directory of the search directories (AutoPathOffset)
    ByPathOffset = 2, // PathOffset as written
};

// Bits 0-1 of AgeMode: the kind of age limit. Bit 2 (kAgeModeReversed) reverses the test: older than, before.
enum class eAgeMode : std::uint8_t {
    None = 0,        // no age limit
    RelativeAge = 1, // not older than RelativeAge days
    AbsoluteAge = 2, // since the date AbsoluteAge
    LastRun = 3,     // since the last run
};
inline constexpr std::uint8_t kAgeModeReversed = 0x04;

constexpr eAgeMode AgeModeOf(std::uint8_t ageMode) {
    return static_cast<eAgeMode>(ageMode & 0x03);
}
constexpr bool AgeModeReversed(std::uint8_t ageMode) {
    return (ageMode & kAgeModeReversed) != 0;
}
// The AgeMode byte of a kind of limit and its reversal.
constexpr std::uint8_t AgeModeValue(eAgeMode mode, bool reversed = false) {
    return static_cast<std::uint8_t>(static_cast<std::uint8_t>(mode) | (reversed ? kAgeModeReversed : 0));
}

// ZipTempMode: where a zip archive is built.
enum class eZipTempMode : int {
    ArchivePath = 0,  // beside the archive
    SystemTemp = 1,   // in the system's directory for temporary files
    TempLocation = 2, // in ZipTempLocation
};

// The log's DateTimeMode: where the log writes date and time.
enum class eLogDateTime : int { None = 0, StartAndEnd = 1, EveryFile = 2 };

// The log's FileInfoMode: what a file line tells about the file.
enum class eLogFileInfo : int { NameOnly = 0, WithDateTime = 1, WithOldFile = 2 };

// The log's ViewerKind: which program shows the log.
enum class eLogViewer : int { BuiltIn = 0, Notepad = 1, QuickView = 2, WordPad = 3, Program = 4 };
