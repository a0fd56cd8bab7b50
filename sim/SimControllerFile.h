#pragma once

#include "sim/SimLightingController.h"

#include <filesystem>

// Keeps a simulated controller's lighting state in a file across runs, as a real
// controller keeps its configuration.

// Loads the state saved in the file; false (state unchanged) when there is none or it
// is damaged.
bool LoadControllerState(SimLightingController& controller, const std::filesystem::path& file);
// Saves the state; false when the file cannot be written. Writes a new file and then
// replaces the old one, so a failed save never leaves a damaged file behind.
bool SaveControllerState(const SimLightingController& controller, const std::filesystem::path& file);
