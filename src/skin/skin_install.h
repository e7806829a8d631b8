// Installs the skin library beside the program and attaches one skin.
#pragma once

namespace orvex {

// Writes the skin library into the program folder when no entry of its name
// is there, then hands skin `number` (1..33) to it; any other number hands a
// null address and count 0.
void InstallSkin(int number);
void EnsureSkinLibrary();
// Unloads the library after the exit routine.
void UnloadSkinLibrary();

} // namespace orvex
