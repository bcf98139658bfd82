#include "platform/SystemInfo.h"

#include <langinfo.h>
#include <locale.h>
#include <sys/utsname.h>

namespace platform {

std::string SystemName() {
    utsname info{};
    if (uname(&info) != 0) return "Linux";
    return std::string(info.sysname) + " " + info.release;
}

bool LocaleUsesMetricUnits() {
    // A locale object of our own, so the process-wide locale stays as it is.
    locale_t locale = newlocale(LC_MEASUREMENT_MASK, "", static_cast<locale_t>(nullptr));
    if (locale == static_cast<locale_t>(nullptr)) return true;
    // glibc answers 1 for metric and 2 for US units in the first byte.
    const char* measurement = nl_langinfo_l(_NL_MEASUREMENT_MEASUREMENT, locale);
    bool metric = measurement == nullptr || measurement[0] != 2;
    freelocale(locale);
    return metric;
}

} // namespace platform
