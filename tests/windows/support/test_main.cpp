// Entry of every Windows test program: the process is prepared as the tool
// prepares its own (OLE, common controls, program location).
#include <windows.h>
#include <commctrl.h>
#include <ole2.h>
#include <gtest/gtest.h>

#include "app/start.h"

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    OleInitialize(nullptr);
    INITCOMMONCONTROLSEX icc = {sizeof icc, ICC_LISTVIEW_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&icc);
    orvex::TakeProgramLocation();
    const int result = RUN_ALL_TESTS();
    OleUninitialize();
    return result;
}
