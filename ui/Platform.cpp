#include "ui/Platform.h"

namespace rockpile {

void RestrictToPortrait()
{
    // Desktop platforms: the window has a fixed size and the screen's orientation is
    // not the program's to choose. Mobile builds would lock the orientation here.
}

}  // namespace rockpile
