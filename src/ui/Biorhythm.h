// The biorhythm curves: three sine waves that start at the day of birth.
#pragma once

namespace ui {

// Periods in days of the three curves.
inline constexpr int kPhysicalPeriod = 23;
inline constexpr int kEmotionalPeriod = 28;
inline constexpr int kIntellectualPeriod = 33;

// The value in per cent (-100..100) of the curve with period (days) on the day daysSinceBirth (negative before
// the birth): 100 * sin(2 pi * fraction(daysSinceBirth / period)).
double BiorhythmValue(int daysSinceBirth, int period);

} // namespace ui
