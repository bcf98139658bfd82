#include "profile/OptionFields.h"

#include "platform/Clock.h"
#include "platform/FileTime.h"
#include "platform/ProgramFolders.h"
#include "profile/Parameters.h"
#include "profile/SettingsStore.h"

#include <array>
#include <limits>
#include <type_traits>
#include <variant>

namespace {

using P = cParameters;

constexpr cOptionField Flag(std::string_view key, bool P::*member, bool def) {
    return {key, member, OptionDefaultKind::Fixed, def ? 1 : 0, {}};
}
constexpr cOptionField Number(std::string_view key, int P::*member, int def) {
    return {key, member, OptionDefaultKind::Fixed, def, {}};
}
constexpr cOptionField Byte(std::string_view key, std::uint8_t P::*member, int def) {
    return {key, member, OptionDefaultKind::Fixed, def, {}};
}
constexpr cOptionField Word(std::string_view key, std::uint16_t P::*member, int def) {
    return {key, member, OptionDefaultKind::Fixed, def, {}};
}
template <class E> constexpr cOptionField Code(std::string_view key, E P::*member, E def) {
    return {key, member, OptionDefaultKind::Fixed, static_cast<int>(def), {}};
}
constexpr cOptionField Text(std::string_view key, std::string P::*member, std::string_view def) {
    return {key, member, OptionDefaultKind::Fixed, 0, def};
}
constexpr cOptionField DataFile(std::string_view key, std::string P::*member, std::string_view relative) {
    return {key, member, OptionDefaultKind::DataFile, 0, relative};
}
constexpr cOptionField Date(std::string_view key, int P::*member) {
    return {key, member, OptionDefaultKind::Today, 0, {}};
}

const std::array kOptionFields = {
    Flag("TouchSrc", &P::TouchSrc, true),
    Flag("TouchDest", &P::TouchDest, true),
    Number("Attributes", &P::Attributes, 0),
    Code("ShortenPaths", &P::ShortenPaths, eShortenPaths::Automatic),
    Text("PathOffset", &P::PathOffset, ""),
    Flag("CreateSrcDirs", &P::CreateSrcDirs, true),
    Flag("CreateDestDirs", &P::CreateDestDirs, true),
    Flag("DeleteEmptySrcDirs", &P::DeleteEmptySrcDirs, false),
    Flag("DeleteEmptyDestDirs", &P::DeleteEmptyDestDirs, false),
    Flag("CreateAllSrcDirs", &P::CreateAllSrcDirs, false),
    Flag("CreateAllDestDirs", &P::CreateAllDestDirs, false),
    Flag("TransferDirProperties", &P::TransferDirProperties, false),
    Byte("AgeMode", &P::AgeMode, AgeModeValue(eAgeMode::None)),
    Number("RelativeAge", &P::RelativeAge, 0),
    Date("AbsoluteAge", &P::AbsoluteAge),
    Code("OrphanModeD1", &P::OrphanModeD1, eOrphanMode::Forward),
    Code("OrphanModeD2", &P::OrphanModeD2, eOrphanMode::Skip),
    Code("OrphanModeB", &P::OrphanModeB, eOrphanMode::ForwardBackward),
    Code("OrphanModeS1", &P::OrphanModeS1, eOrphanMode::Backward),
    Code("OrphanModeS2", &P::OrphanModeS2, eOrphanMode::Skip),
    Flag("ListSkip", &P::ListSkip, false),
    Flag("EnforceBackward", &P::EnforceBackward, false),
    Byte("SortMode", &P::SortMode, 0),
    Flag("ReverseOrder", &P::ReverseOrder, false),
    Number("MidnightHours", &P::MidnightHours, 2),
    Flag("Percentage", &P::Percentage, true),
    Number("PercentageThreshold", &P::PercentageThreshold, 50),
    Number("PercentageCount", &P::PercentageCount, 30),
    Flag("DoubleWarn", &P::DoubleWarn, true),
    Number("DoubleDefault", &P::DoubleDefault, 2),
    Flag("SizesCompare", &P::SizesCompare, true),
    Number("SizesFactor", &P::SizesFactor, 3),
    Flag("SizesWarn", &P::SizesWarn, true),
    Number("SizesDefault", &P::SizesDefault, 0),
    Flag("CompareProperties", &P::CompareProperties, false),
    Flag("ShowPreview", &P::ShowPreview, true),
    Flag("Verify", &P::Verify, false),
    Number("ZipCompression", &P::ZipCompression, 5),
    Flag("ZipEncrypt", &P::ZipEncrypt, false),
    Text("ZipPassword", &P::ZipPassword, ""),
    Code("ZipTempMode", &P::ZipTempMode, eZipTempMode::ArchivePath),
    Text("ZipTempLocation", &P::ZipTempLocation, ""),
    Flag("ZipAddVariation", &P::ZipAddVariation, true),
    Word("FtpPort", &P::FtpPort, 21),
    Number("FtpTimeOut", &P::FtpTimeOut, 30),
    Text("FtpUserName", &P::FtpUserName, "anonymous"),
    Text("FtpPassword", &P::FtpPassword, "lemon"),
    Flag("FtpUseList", &P::FtpUseList, true),
    Flag("FtpUseMdtm", &P::FtpUseMdtm, true),
    Flag("FtpServerLocal", &P::FtpServerLocal, true),
    Flag("FtpLogComm", &P::FtpLogComm, false),
    Flag("Warning1Message", &P::Warning1Message, true),
    Flag("Warning2Message", &P::Warning2Message, true),
    Flag("Warning3Message", &P::Warning3Message, true),
    Flag("Warning4Message", &P::Warning4Message, true),
    Flag("Warning1Sound", &P::Warning1Sound, true),
    Flag("Warning2Sound", &P::Warning2Sound, true),
    Flag("Warning3Sound", &P::Warning3Sound, true),
    Flag("Warning4Sound", &P::Warning4Sound, true),
    Flag("Warning1Beep", &P::Warning1Beep, false),
    Flag("Warning2Beep", &P::Warning2Beep, false),
    Flag("Warning3Beep", &P::Warning3Beep, false),
    Flag("Warning4Beep", &P::Warning4Beep, false),
    DataFile("Warning1File", &P::Warning1File, "Klänge/Keine Dateien gefunden.wav"),
    DataFile("Warning2File", &P::Warning2File, "Klänge/Nicht genügend Speicherplatz.wav"),
    DataFile("Warning3File", &P::Warning3File, "Klänge/Es gibt ein Problem.wav"),
    DataFile("Warning4File", &P::Warning4File, "Klänge/Unterbrechung.wav"),
    Flag("Event1Sound", &P::Event1Sound, true),
    Flag("Event2Sound", &P::Event2Sound, true),
    Flag("Event1Beep", &P::Event1Beep, false),
    Flag("Event2Beep", &P::Event2Beep, false),
    DataFile("Event1File1", &P::Event1File1, "Klänge/Lauf gestartet.wav"),
    DataFile("Event2File1", &P::Event2File1, "Klänge/Lauf beendet.wav"),
    Flag("Event1Message", &P::Event1Message, false),
    Flag("Event2Message", &P::Event2Message, false),
    Flag("Event1Centered", &P::Event1Centered, true),
    Flag("Event2Centered", &P::Event2Centered, true),
    DataFile("Event1File2", &P::Event1File2, "Nachrichten/Lauf gestartet.rtf"),
    DataFile("Event2File2", &P::Event2File2, "Nachrichten/Lauf beendet.rtf"),
    Flag("Event3Sound", &P::Event3Sound, true),
    Flag("Event4Sound", &P::Event4Sound, true),
    Flag("Event5Sound", &P::Event5Sound, true),
    Flag("Event3Beep", &P::Event3Beep, false),
    Flag("Event4Beep", &P::Event4Beep, false),
    Flag("Event5Beep", &P::Event5Beep, false),
    DataFile("Event3File", &P::Event3File, "Klänge/Doppelte Änderungen.wav"),
    DataFile("Event4File", &P::Event4File, "Klänge/Größenunterschiede.wav"),
    DataFile("Event5File", &P::Event5File, "Klänge/Vorschau.wav"),
    Flag("AutoOpen", &P::AutoOpen, false),
    Flag("AutoApp", &P::AutoApp, false),
    Text("AppName", &P::AppName, ""),
    Flag("AutoSense1", &P::AutoSense1, false),
    Flag("AutoSense2", &P::AutoSense2, false),
    Flag("AutoHook", &P::AutoHook, false),
    Flag("AutoExit", &P::AutoExit, false),
    Number("AutoShutdown", &P::AutoShutdown, 0),
    Flag("BrowseNetwork", &P::BrowseNetwork, false),
    Flag("DiskInfo", &P::DiskInfo, false),
    Number("TimeDifference", &P::TimeDifference, 2),
    Flag("IgnoreDST", &P::IgnoreDST, true),
    Flag("UseUTC", &P::UseUTC, false),
    Flag("MyCopy", &P::MyCopy, false),
    Flag("TransferPermissions", &P::TransferPermissions, false),
    Flag("TransferOwner", &P::TransferOwner, false),
    Flag("Recycle", &P::Recycle, true),
    Flag("TrayIcon", &P::TrayIcon, false),
    Flag("SyncSounds", &P::SyncSounds, false),
    Number("OptionsPage", &P::OptionsPage, 0),
};

int DefaultNumber(const cOptionField& field) {
    if (field.DefaultKind == OptionDefaultKind::Today) return platform::DayNumberFromFileTime(platform::NowLocal());
    return field.Number;
}

std::string DefaultText(const cOptionField& field) {
    if (field.DefaultKind == OptionDefaultKind::DataFile) return platform::DataFolder() + std::string(field.Text);
    return std::string(field.Text);
}

} // namespace

std::span<const cOptionField> OptionFields() {
    return kOptionFields;
}

std::string OptionDefault(const cOptionField& field) {
    if (std::holds_alternative<std::string P::*>(field.Member)) return DefaultText(field);
    return std::to_string(DefaultNumber(field));
}

void ReadOptions(cParameters& params, const cSettingsStore* store) {
    for (const cOptionField& field : kOptionFields) {
        std::visit(
            [&](auto member) {
                using T = std::remove_reference_t<decltype(params.*member)>;
                if constexpr (std::is_same_v<T, std::string>) {
                    params.*member =
                        store ? store->ReadString(kOptionsSection, field.Key, DefaultText(field)) : DefaultText(field);
                } else if constexpr (std::is_same_v<T, bool>) {
                    bool def = field.Number != 0;
                    params.*member = store ? store->ReadBool(kOptionsSection, field.Key, def) : def;
                } else if constexpr (std::is_same_v<T, int>) {
                    int def = DefaultNumber(field);
                    params.*member = store ? store->ReadInteger(kOptionsSection, field.Key, def) : def;
                } else if constexpr (std::is_enum_v<T>) {
                    // A code is read in the range of its own type, as a number field of that type is.
                    using Stored = std::underlying_type_t<T>;
                    const auto def = static_cast<Stored>(DefaultNumber(field));
                    params.*member =
                        static_cast<T>(store ? store->ReadFitting<Stored>(kOptionsSection, field.Key, def) : def);
                } else {
                    int def = DefaultNumber(field);
                    params.*member = store ? store->ReadFitting<T>(kOptionsSection, field.Key, static_cast<T>(def))
                                           : static_cast<T>(def);
                }
            },
            field.Member);
    }
}

void WriteOptions(const cParameters& params, cSettingsStore& store) {
    cSettingsUpdate update(store);
    for (const cOptionField& field : kOptionFields) {
        std::visit(
            [&](auto member) {
                using T = std::remove_cvref_t<decltype(params.*member)>;
                if constexpr (std::is_same_v<T, std::string>) {
                    store.Write(kOptionsSection, field.Key, params.*member);
                } else if constexpr (std::is_same_v<T, bool>) {
                    store.WriteBool(kOptionsSection, field.Key, params.*member);
                } else {
                    store.WriteInteger(kOptionsSection, field.Key, static_cast<int>(params.*member));
                }
            },
            field.Member);
    }
}
