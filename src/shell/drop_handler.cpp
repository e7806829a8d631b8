#include "shell/drop_handler.h"

#include "app/app_state.h"
#include "app/main_window.h"
#include "app/window.h"
#include "common/core/text.h"
#include "loading/icon_loader.h"
#include "shell/core/drop_rules.h"
#include "shell/file_chooser_window.h"

namespace orvex {

void HandleDroppedFiles(const std::string& dropText) {
    std::vector<std::string> pieces = SplitDropText(dropText);
    if (pieces.empty()) return;
    if (pieces.size() == 1) {
        LoadIconsFromFile(CutTrailingSpaces(pieces.front()));
        return;
    }
    App().PendingDropList = std::move(pieces);

    MainWindow* main = App().mainWindow;
    HWND owner = main && main->exists() ? main->hwnd() : nullptr;
    FileChooserWindow chooser;
    if (!chooser.Load(owner)) return;
    RunModal(chooser, owner);
}

} // namespace orvex
