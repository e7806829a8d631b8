// A drag of files from this process onto a window of another, through OLE's
// own DoDragDrop: the data object offers the shell's file list (CF_HDROP), as
// Explorer's does, and the drop source lets go once the drag has reached the
// target.
#pragma once
#include <windows.h>

#include <string>
#include <thread>
#include <vector>

#include "common/handles.h"

namespace orvex::test {

class FileDrag {
public:
    // Starts the drag on a thread of its own, with the pointer at `at`.
    FileDrag(std::vector<std::string> paths, POINT at);
    // Waits for DoDragDrop to return.
    ~FileDrag();
    // Whether DoDragDrop has returned within `milliseconds`; then its result
    // and the effect it gave the source.
    bool Finished(DWORD milliseconds);
    HRESULT result() const { return result_; }
    DWORD effect() const { return effect_; }

private:
    void Run();
    std::vector<std::string> paths_;
    POINT at_;
    FileHandle done_;
    HRESULT result_ = E_PENDING;
    DWORD effect_ = DROPEFFECT_NONE;
    std::thread thread_;
};

} // namespace orvex::test
