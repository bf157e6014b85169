#pragma once
// The states of a skinned button; each state draws the strip cell of the same number. Owners set
// normal, on, disabled and the second on look; the hover looks follow the mouse.

enum SkinButtonState : int {
    kButtonNormal = 0,
    kButtonOn = 1,
    kButtonHover = 2, // normal under the mouse
    kButtonDisabled = 3,
    kButtonSecondOn = 4,
    kButtonSecondOnHover = 6,
};
