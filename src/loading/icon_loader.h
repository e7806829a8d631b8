// Filling the icon list from one file.
#pragma once
#include <windows.h>
#include <commctrl.h>
#include <string>

namespace orvex {

extern const char kSystemIconsPath[];  // "C:\WINDOWS\system32\shell32.dll"

// Loads every icon of `path` (a shortcut followed to its target) into the
// main window's list; a file without icons shows its type's icon.
void LoadIconsFromFile(const std::string& path);

// The number of icons in a file: icon groups of a module, 1 for an .ico file,
// 0 for a missing file or one without icons.
int CountIcons(const std::string& path);

// Appends icon `index` (counted from 0, or -id) of `path` to `list`; the new
// image's index, or -1 with the list unchanged.
int AppendIconToImageList(HIMAGELIST list, const std::string& path, int index);

// The two buttons.
void BrowseAndLoad();
void LoadSystemIcons();

} // namespace orvex
