#pragma once
// What the window asks of the platform beyond the widget toolkit.

namespace rockpile {

// Allows only the portrait orientation where the platform can rotate the screen.
// A desktop screen does not rotate with the device, so there it does nothing.
void RestrictToPortrait();

}  // namespace rockpile
