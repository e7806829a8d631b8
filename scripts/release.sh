#!/usr/bin/env bash
# Builds the release a Windows user downloads: the 32-bit tool as one static
# executable (the skin library travels inside it and is written out at the
# first start), and a short text of what it does.
#
#   scripts/release.sh          writes dist/orvex.exe and dist/README.txt
#
# The build is the `windows` preset (build/windows), or ORVEX_RELEASE_BUILD
# when set (a build folder of one's own, configured the same way).
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
root=$(cd "$here/.." && pwd)
cd "$root"

bash scripts/setup.sh >/dev/null
build=${ORVEX_RELEASE_BUILD:-$root/build/windows}
cmake -S "$root" -B "$build" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw.cmake" \
  -DORVEX_MINGW_TRIPLE=i686-w64-mingw32 -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$build" -j2 --target orvex

exe=$build/orvex.exe
objdump=i686-w64-mingw32-objdump
# The release must run on a bare Windows: a 32-bit GUI program that imports
# only system libraries (no MinGW runtime DLL beside it).
headers=$($objdump -p "$exe")
grep -q 'file format pei-i386' <<<"$headers" || { echo "release: $exe is not a 32-bit program" >&2; exit 1; }
grep -q 'Subsystem.*(Windows GUI)' <<<"$headers" || { echo "release: $exe is not a GUI program" >&2; exit 1; }
imports=$(sed -n 's/^\s*DLL Name: //p' <<<"$headers" | tr 'A-Z' 'a-z' | sort -u)
system='^(kernel32|user32|gdi32|advapi32|shell32|ole32|oleaut32|comctl32|comdlg32|shlwapi|windowscodecs|msvcrt|psapi|version|uxtheme|msimg32)\.dll$|^api-ms-win-'
bad=$(echo "$imports" | grep -Ev "$system" || true)
if [ -n "$bad" ]; then
  echo "release: $exe needs libraries a Windows user does not have: $bad" >&2
  exit 1
fi
# The skin library travels as a resource: a 32-bit DLL with its entry.
id=$(sed -n 's/^#define ORVEX_SKIN_LIBRARY_RESOURCE \([0-9]*\).*/\1/p' src/skin/skin_resources.h)
carried=$(mktemp)
trap 'rm -f "$carried"' EXIT
wrestool -x -R --type=10 --name="$id" "$exe" >"$carried" 2>/dev/null || true
skin_headers=$($objdump -p "$carried" 2>/dev/null || true)
if ! grep -q 'file format pei-i386' <<<"$skin_headers" || ! grep -qE '\] SkinH_AttachRes$' <<<"$skin_headers"; then
  echo "release: $exe does not carry a 32-bit SkinH_EL.dll exporting SkinH_AttachRes" >&2
  exit 1
fi

dist=$root/dist
rm -rf "$dist"
mkdir -p "$dist"
cp "$exe" "$dist/orvex.exe"
i686-w64-mingw32-strip "$dist/orvex.exe"

# Notepad reads UTF-8 with a byte-order mark and CR LF line ends.
{
  printf '\xEF\xBB\xBF'
  cat <<'TEXT'
Orvex - Icon Extraction Tool
============================

Orvex shows every icon stored in a file and lets you keep them.

Open a file with "&B.浏览" (Browse), load the system icons with "&W.系统图标",
drop files on the icon list, name files on the command line, or right-click a
.dll, .exe, .ico or .lnk file in Explorer and pick "Pimbo - 提取图标".
Each icon of the file appears in the list. Right-click the list to:
  - copy the selected icon to the clipboard (&C.复制到剪切板);
  - save the selected icon as an .ico or .bmp file (&Z.保存选中图标);
  - save every icon as Kestu1.ico, Kestu2.ico, ... into a folder (&S.保存全部图标).

Installing: none. Put orvex.exe in a folder you can write to and run it; it is
one 32-bit program for Windows 7 and later. At its first start it writes its
skin library SkinH_EL.dll (a hidden file) next to itself, and at every start it
adds the Explorer menu entry for .dll, .exe, .ico and .lnk files.

----------------------------------------------------------------------------

Orvex ico图标提取器
===================

Orvex 显示文件中保存的全部图标，并可以把它们保存下来。

用"&B.浏览"打开文件，用"&W.系统图标"载入系统图标，把文件拖到图标列表上，
在命令行中给出文件名，或者在资源管理器中右击 .dll、.exe、.ico、.lnk 文件并选择
"Pimbo - 提取图标"。文件中的每个图标都显示在列表里。在列表上单击右键可以：
  - 把选中的图标复制到剪切板（&C.复制到剪切板）；
  - 把选中的图标保存为 .ico 或 .bmp 文件（&Z.保存选中图标）；
  - 把全部图标保存为 Kestu1.ico、Kestu2.ico……到一个文件夹（&S.保存全部图标）。

无需安装：把 orvex.exe 放在可写的文件夹中直接运行即可，适用于 Windows 7 及以上版本
（32 位程序）。第一次启动时会在同一文件夹中写入隐藏的皮肤库 SkinH_EL.dll；每次启动
都会为 .dll、.exe、.ico、.lnk 文件在资源管理器右键菜单中加入菜单项。
TEXT
} | sed 's/$/\r/' >"$dist/README.txt"

echo "release: dist/orvex.exe ($(stat -c %s "$dist/orvex.exe") bytes, 32-bit, static, skin library inside ($(stat -c %s "$carried") bytes))"
echo "release: imports $(echo "$imports" | tr '\n' ' ')"
echo "release: dist/README.txt"
