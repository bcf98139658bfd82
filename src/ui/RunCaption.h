// The caption of every window of a run: the profile's file name, " - ", "Tolvan 6".
#pragma once

#include <QString>

class cParameters;

namespace ui {

QString RunCaption(const cParameters& params);

} // namespace ui
