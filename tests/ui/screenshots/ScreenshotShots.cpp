#include "ScreenshotShots.h"

#include "profile/Parameters.h"

#include <memory>

namespace screenshots {

std::vector<cShot>& Shots() {
    static std::vector<cShot> shots;
    return shots;
}

cRegisterShots::cRegisterShots(std::vector<cShot> shots) {
    for (cShot& shot : shots)
        Shots().push_back(std::move(shot));
}

cParameters& Keep(cParameters params) {
    static std::vector<std::unique_ptr<cParameters>> kept;
    kept.push_back(std::make_unique<cParameters>(std::move(params)));
    return *kept.back();
}

} // namespace screenshots
