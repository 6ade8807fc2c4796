#pragma once
#include <cstdint>

// The editor's preferences in the user's settings ("Brindlewick/Plumet
// Assistant.ini", group Editor): read and written on each call, so every
// pane and a later session see the same values.
namespace EditorSettings {

// Whether the pane shows its text in the system's fixed-width font.
bool FixedWidthFont();
void SetFixedWidthFont(bool on);

// The line width last used by Format Text; the dialog's own starting width
// until then.
std::int64_t LastFormatWidth();
void SetLastFormatWidth(std::int64_t width);

}  // namespace EditorSettings
