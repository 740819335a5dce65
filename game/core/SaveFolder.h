#pragma once
// The game folder's "save" folder: the save slots, cfg.sav and read.sav.

// Removes the temporary files of saves that never finished: a save writes
// "save\NAME.sav.tmp" and renames it over "save\NAME.sav", so a kill between the two
// leaves the temporary file behind (the save itself is still the previous one).  A
// slot's thumbnail leaves "save\saveNN.bmp.tmp" the same way (docs/save-formats.md).
// Only regular files whose names end in ".sav.tmp" or ".bmp.tmp" go; the saves are
// never touched.  Returns how many were removed; a file that cannot be removed is
// logged and left.
int RemoveStaleSaveTemps();
