#include "ui/Biorhythm.h"

#include <cmath>
#include <numbers>

namespace ui {

double BiorhythmValue(int daysSinceBirth, int period) {
    if (period <= 0) return 0;
    // The phase is taken in whole days first, so the value of a day far from the birth is as exact as near it.
    const int phase = ((daysSinceBirth % period) + period) % period;
    return 100.0 * std::sin(2.0 * std::numbers::pi * phase / period);
}

} // namespace ui
