// The remote file time: listing, MDTM reply and time-stamp list.
#include "destinations/FtpRemoteTime.h"

namespace {

constexpr std::size_t kMdtmReplyLength = 18;
constexpr int kEarliestMdtmYear = 1980;

// The decimal value of reply[offset, offset + count), or -1 when a character there is no digit.
int Digits(std::string_view reply, std::size_t offset, std::size_t count) {
    int value = 0;
    for (std::size_t i = offset; i < offset + count; ++i) {
        const char c = reply[i];
        if (c < '0' || c > '9') return -1;
        value = value * 10 + (c - '0');
    }
    return value;
}

} // namespace

std::optional<platform::FileTime> ParseMdtmReply(std::string_view reply) {
    if (reply.size() < kMdtmReplyLength || reply.substr(0, 3) != "213") return std::nullopt;
    const int year = Digits(reply, 4, 4);
    const int month = Digits(reply, 8, 2);
    const int day = Digits(reply, 10, 2);
    const int hour = Digits(reply, 12, 2);
    const int minute = Digits(reply, 14, 2);
    const int second = Digits(reply, 16, 2);
    if (year < kEarliestMdtmYear || month < 0 || day < 0 || hour < 0 || minute < 0 || second < 0) return std::nullopt;
    return platform::TryJoinFileTime(year, month, day, hour, minute, second);
}

platform::FileTime RemoteFileTime(platform::FileTime listed, bool serverLocal,
                                  std::optional<std::string_view> mdtmReply,
                                  std::optional<platform::FileTime> listStamp, bool useUtc) {
    platform::FileTime utc = serverLocal ? platform::LocalToUtc(listed) : listed;
    if (mdtmReply) {
        if (const std::optional<platform::FileTime> answered = ParseMdtmReply(*mdtmReply)) utc = *answered;
    }
    if (listStamp) utc = *listStamp;
    return useUtc ? utc : platform::UtcToLocal(utc);
}
