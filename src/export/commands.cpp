#include "export/commands.h"

#include "app/app_state.h"
#include "app/main_window.h"
#include "app/prompts.h"
#include "export/core/save_names.h"
#include "export/export_icon.h"
#include "loading/icon_loader.h"
#include "loading/source_resolution.h"

namespace orvex {

namespace {

const int kModeFile = 0;
const int kModeClipboard = 1;

struct ExportChoice {
    std::string source;
    int number;
};

// The file's own icons, or, when it has none, its type's default icon (the
// registry's index handed on unchanged).
ExportChoice ChooseExport(LPARAM itemValue) {
    const std::string& current = App().CurrentSourceFile;
    if (CountIcons(current) != 0) return {current, static_cast<int>(itemValue)};
    const IconLocation location = LookupDefaultIcon(current);
    return {location.modulePath, location.iconIndex};
}

LPARAM SelectedItemValue(MainWindow& window) {
    return window.iconList().ItemValue(window.iconList().Selection());
}

} // namespace

void CopySelectedIcon() {
    MainWindow* window = App().mainWindow;
    if (!window) return;
    const ExportChoice choice = ChooseExport(SelectedItemValue(*window));
    if (ExportIcon(choice.source, kModeClipboard, "", choice.number) != 0) {
        CurrentPrompts().ShowMessage("已复制选中图标到剪切板 ( Ctrl + V )", kIconInformation, "提示：");
    } else {
        CurrentPrompts().ShowMessage("复制选中图标失败!", kIconError, "提示：");
    }
}

void SaveSelectedIcon() {
    MainWindow* window = App().mainWindow;
    if (!window) return;
    FileDialogSettings& dialog = window->saveDialog();
    dialog.title = "保存图标文件";
    dialog.filter = "图标文件(*.ico)|*.ico|图片文件(*.bmp)|*.bmp";
    dialog.save = true;
    dialog.fileName = SuggestedSaveName(App().CurrentSourceFile);
    if (!CurrentPrompts().ShowFileDialog(dialog, window->hwnd())) return;

    const ExportChoice choice = ChooseExport(SelectedItemValue(*window));
    if (ExportIcon(choice.source, kModeFile, dialog.fileName, choice.number) == 0) {
        CurrentPrompts().ShowMessage("保存选中图标失败!", kIconError, "Pimbo提示：");
    }
}

void SaveAllIcons() {
    MainWindow* window = App().mainWindow;
    if (!window) return;
    IconListView& list = window->iconList();
    if (list.ItemCount() == 0) {
        CurrentPrompts().ShowMessage("请浏览或拖进文件获取图标后再保存!", kIconWarning, "提示：");
        return;
    }
    const std::string folder = CurrentPrompts().BrowseForFolder("请选择保存全部图标的文件夹", window->hwnd());
    if (folder.empty()) return;

    const std::string& current = App().CurrentSourceFile;
    if (CountIcons(current) != 0) {
        const int n = list.ItemCount();
        int saved = 0, failed = 0;
        for (int i = 1; i <= n; ++i) {
            const int value = static_cast<int>(list.ItemValue(i - 1));
            if (ExportIcon(current, kModeFile, SaveAllFileName(folder, i), value) != 0) {
                ++saved;
            } else {
                ++failed;
            }
        }
        const Message outcome = SaveAllOutcome(saved, failed);
        CurrentPrompts().ShowMessage(outcome.text, outcome.icon, outcome.title);
        return;
    }

    // The type's icon goes into the folder the user chose, like every other
    // save-all file.
    const IconLocation location = LookupDefaultIcon(current);
    if (ExportIcon(location.modulePath, kModeFile, folder + "\\kestu520.ico", location.iconIndex) != 0) {
        CurrentPrompts().ShowMessage("保存列表图标成功。", kIconInformation, "提示：");
    } else {
        CurrentPrompts().ShowMessage("保存列表图标失败!", kIconError, "提示：");
    }
}

} // namespace orvex
