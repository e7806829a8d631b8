#include "skin/skin_install.h"

namespace orvex {

// Placeholder until the skin library is carried.
void InstallSkin(int) {}
void EnsureSkinLibrary() {}
void UnloadSkinLibrary() {}

} // namespace orvex
