#pragma once

#include "core/app_settings.h"

namespace glint {

// The rules that the loader (and the Drives and Icons window) keep a record to.

// `iconPixels`, `markerSize` and `fontSize` from `iconSize` (and `customIconSize`); any other
// size keeps the metrics it had.
void ComputeIconMetrics(AppSettings& settings);
// Normalises `settings.drives` (a 24-character mask also clears `autoHideDisconnected`).
void NormalizeDriveMask(AppSettings& settings);

}  // namespace glint
