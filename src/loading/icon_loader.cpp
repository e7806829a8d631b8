#include "loading/icon_loader.h"

#include <shellapi.h>

#include "app/app_state.h"
#include "app/main_window.h"
#include "app/prompts.h"
#include "app/window.h"
#include "common/core/text.h"
#include "common/handles.h"
#include "loading/source_resolution.h"

namespace orvex {

const char kSystemIconsPath[] = "C:\\WINDOWS\\system32\\shell32.dll";

namespace {
const char kCaptionPrefix[] = "Orvex - Icon Extraction Tool";

std::string LoadedCaption(const std::string& name) { return std::string(kCaptionPrefix) + " [" + name + "]"; }
} // namespace

int CountIcons(const std::string& path) {
    const HICON count = ExtractIconA(GetModuleHandleW(nullptr), path.c_str(), static_cast<UINT>(-1));
    return static_cast<int>(reinterpret_cast<INT_PTR>(count));
}

int AppendIconToImageList(HIMAGELIST list, const std::string& path, int index) {
    if (!list) return -1;
    Icon icon(ExtractIconA(GetModuleHandleW(nullptr), path.c_str(), static_cast<UINT>(index)));
    if (!icon) return -1;
    return ImageList_ReplaceIcon(list, -1, icon.get());
}

void LoadIconsFromFile(const std::string& path) {
    MainWindow* window = App().mainWindow;
    if (!window || !window->exists()) return;
    IconListView& list = window->iconList();

    std::string workingPath = path;
    if (KindOf(path) == "lnk") workingPath = CutTrailingSpaces(ResolveShortcutTarget(path));
    const std::string name = DisplayName(workingPath);

    window->SetCaption(LoadedCaption(name));
    window->SetStatus("正在载入图标...请稍候...");
    list.DeleteAllItems();
    HIMAGELIST images = list.ImageList();
    App().CurrentSourceFile = workingPath;

    const int n = CountIcons(workingPath);
    if (n != 0) {
        for (int i = 1; i <= n; ++i) {
            PumpEvents();
            // The user may have closed the window while events ran: its list
            // and image list are gone, so the load ends here.
            if (!window->exists()) return;
            window->SetCaption(LoadedCaption(name) + " - " + Decimal(i));
            const int k = AppendIconToImageList(images, workingPath, i - 1);
            list.SetImageList(images);
            list.InsertItem(k, i);
        }
    } else {
        const IconLocation location = LookupDefaultIcon(workingPath);
        const int k = AppendIconToImageList(images, location.modulePath, location.iconIndex);
        if (k == -1) {
            const std::string message = "打开文件[" + name + "]失败!";
            window->SetStatus(message);
            window->SetCaption(kCaptionPrefix);
            CurrentPrompts().ShowMessage(message, kIconError, "Pimbo提示：");
            return;
        }
        list.SetImageList(images);
        list.InsertItem(k, 0);
    }
    if (!window->exists()) return;
    window->SetCaption(LoadedCaption(name));
    window->SetStatus("当前选中第0个图标,共" + Decimal(list.ItemCount()) + "个");
}

void BrowseAndLoad() {
    MainWindow* window = App().mainWindow;
    if (!window) return;
    FileDialogSettings& dialog = window->openDialog();
    if (CurrentPrompts().ShowFileDialog(dialog, window->hwnd())) LoadIconsFromFile(dialog.fileName);
}

void LoadSystemIcons() { LoadIconsFromFile(kSystemIconsPath); }

} // namespace orvex
