#pragma once

#include <string>

class Button;

// Gives a button its pictures from a base name of the skin folder `skinFolder` (the
// executable directory followed by "/res/"): base + ".png", + "_HOVER.png" and, with
// `withDisabled`, + "_DISABLE.png"; then moves it to (x, y) of its parent without
// resizing or redrawing it.
void LoadButtonImages(Button& button, const std::wstring& skinFolder, const std::wstring& baseName, int x, int y,
                      bool withDisabled);

// The same, plus the selected pictures base + "_SELECTED.png" and
// + "_SELECTED_HOVER.png", and toggle mode.
void LoadToggleButtonImages(Button& button, const std::wstring& skinFolder, const std::wstring& baseName, int x, int y,
                            bool withDisabled);
