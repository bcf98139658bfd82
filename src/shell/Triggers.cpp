#include "shell/Triggers.h"

#include "platform/Text.h"

bool NameRunning(std::string_view appName, const std::vector<std::string>& names) {
    if (appName.empty()) return false;
    const std::string wanted = platform::LowerCase(appName);
    for (const std::string& name : names)
        if (platform::LowerCase(name).find(wanted) != std::string::npos) return true;
    return false;
}

bool cAppWatch::Tick(bool present) {
    switch (m_stage) {
    case eStage::WaitingForApp:
        if (present) m_stage = eStage::WaitingForEnd;
        return false;
    case eStage::WaitingForEnd:
        if (present) return false;
        m_stage = eStage::Off;
        return true;
    case eStage::Off:
        return false;
    }
    return false;
}

bool cSenseWatch::Tick(bool bothReachable) {
    switch (m_stage) {
    case eStage::WaitingForBoth:
        return bothReachable;
    case eStage::WaitingForGone:
        if (!bothReachable) m_stage = eStage::WaitingForBoth;
        return false;
    case eStage::Off:
        return false;
    }
    return false;
}

void cSenseWatch::RunStarted(bool again) {
    if (again)
        m_stage = eStage::WaitingForGone;
    else if (m_stage == eStage::WaitingForBoth)
        m_stage = eStage::Off;
}

bool cEndSessionHook::Query(bool hookOption, bool logOff) {
    m_logOff = logOff;
    if (!hookOption || !m_armed) return false;
    m_armed = false;
    return true;
}
