#pragma once
// Makes the log and information pages known to the remote search frame (slots 14-19, 21 and 22;
// the detail page, slot 20, is made by Details with its entry). Called once before a frame opens;
// repeating it does no harm.

void RegisterLogAndInfoPages();
