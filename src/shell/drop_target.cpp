#include "shell/drop_target.h"

#include <ole2.h>
#include <shellapi.h>
#include <shlobj.h>
#include <commctrl.h>

#include <string>
#include <vector>

#include "common/handles.h"
#include "shell/core/drop_rules.h"
#include "shell/drop_handler.h"

namespace orvex {

static_assert(kEffectCopy == DROPEFFECT_COPY && kEffectMove == DROPEFFECT_MOVE && kEffectLink == DROPEFFECT_LINK &&
                  kEffectNone == DROPEFFECT_NONE,
              "drop effects keep their Windows values");
static_assert(kKeyShift == MK_SHIFT && kKeyControl == MK_CONTROL, "key bits keep their Windows values");

namespace {

const UINT_PTR kSubclassId = 1;

// A storage medium handed over by IDataObject::GetData, released on scope exit.
class StorageMedium {
public:
    StorageMedium() = default;
    ~StorageMedium() {
        if (filled_) ReleaseStgMedium(&medium_);
    }
    StorageMedium(const StorageMedium&) = delete;
    StorageMedium& operator=(const StorageMedium&) = delete;
    STGMEDIUM* put() { return &medium_; }
    void markFilled() { filled_ = true; }
    const STGMEDIUM& get() const { return medium_; }

private:
    STGMEDIUM medium_ = {};
    bool filled_ = false;
};

FORMATETC FileListFormat() {
    FORMATETC format = {};
    format.cfFormat = CF_HDROP;
    format.dwAspect = DVASPECT_CONTENT;
    format.lindex = -1;
    format.tymed = TYMED_HGLOBAL;
    return format;
}

// The paths of a shell file list, in the source's order, as DragQueryFileA
// gives them.
std::vector<std::string> DroppedPaths(IDataObject* data) {
    std::vector<std::string> paths;
    FORMATETC format = FileListFormat();
    StorageMedium medium;
    if (!data || FAILED(data->GetData(&format, medium.put()))) return paths;
    medium.markFilled();
    if (medium.get().tymed != TYMED_HGLOBAL || !medium.get().hGlobal) return paths;
    HDROP drop = static_cast<HDROP>(medium.get().hGlobal);
    const UINT count = DragQueryFileA(drop, 0xFFFFFFFF, nullptr, 0);
    for (UINT i = 0; i < count; ++i) {
        const UINT length = DragQueryFileA(drop, i, nullptr, 0);
        std::string path(static_cast<size_t>(length) + 1, '\0');
        const UINT got = DragQueryFileA(drop, i, &path[0], length + 1);
        path.resize(got <= length ? got : length);
        paths.push_back(path);
    }
    return paths;
}

// The tool's one drop target. It lives for the whole process and is bound to
// one list at a time; the list's destruction unbinds it.
class FileDropTarget : public IDropTarget {
public:
    bool Bind(HWND list) {
        if (!list || list_) return false;
        if (FAILED(RegisterDragDrop(list, this))) return false;
        if (!SetWindowSubclass(list, &FileDropTarget::ListProc, kSubclassId, 0)) {
            RevokeDragDrop(list);
            return false;
        }
        list_ = list;
        // Without the drag-image service drops still work; only the image is missing.
        CoCreateInstance(CLSID_DragDropHelper, nullptr, CLSCTX_INPROC_SERVER, IID_IDropTargetHelper,
                         helper_.putVoid());
        return true;
    }

    // IUnknown. The object is never freed, so the count only serves COM.
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
        if (!object) return E_POINTER;
        if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IDropTarget)) {
            *object = static_cast<IDropTarget*>(this);
            AddRef();
            return S_OK;
        }
        *object = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return static_cast<ULONG>(InterlockedIncrement(&refs_)); }
    ULONG STDMETHODCALLTYPE Release() override { return static_cast<ULONG>(InterlockedDecrement(&refs_)); }

    // IDropTarget.
    HRESULT STDMETHODCALLTYPE DragEnter(IDataObject* data, DWORD keys, POINTL at, DWORD* effect) override {
        if (!effect) return E_INVALIDARG;
        FORMATETC format = FileListFormat();
        offersFiles_ = data && data->QueryGetData(&format) == S_OK;
        *effect = EffectFor(keys, *effect);
        if (helper_) {
            POINT p = {at.x, at.y};
            helper_->DragEnter(list_, data, &p, *effect);
        }
        return S_OK;
    }

    HRESULT STDMETHODCALLTYPE DragOver(DWORD keys, POINTL at, DWORD* effect) override {
        if (!effect) return E_INVALIDARG;
        *effect = EffectFor(keys, *effect);
        if (helper_) {
            POINT p = {at.x, at.y};
            helper_->DragOver(&p, *effect);
        }
        return S_OK;
    }

    HRESULT STDMETHODCALLTYPE DragLeave() override {
        offersFiles_ = false;
        if (helper_) helper_->DragLeave();
        return S_OK;
    }

    // Always answered with E_FAIL and no effect: the tool only reads the
    // files, so the source must never delete or move them.
    HRESULT STDMETHODCALLTYPE Drop(IDataObject* data, DWORD keys, POINTL at, DWORD* effect) override {
        const DWORD allowed = effect ? *effect : DROPEFFECT_NONE;
        const DWORD shown = EffectFor(keys, allowed);
        offersFiles_ = false;
        if (effect) *effect = DROPEFFECT_NONE;
        if (helper_) {
            POINT p = {at.x, at.y};
            helper_->Drop(data, &p, shown);
        }
        if (shown != DROPEFFECT_NONE) HandleDroppedFiles(BuildDropText(DroppedPaths(data)));
        return E_FAIL;
    }

private:
    DWORD EffectFor(DWORD keys, DWORD allowed) const {
        if (!offersFiles_ || !TakesInput()) return DROPEFFECT_NONE;
        return DropEffectFor(keys, allowed);
    }

    // While the chooser is open the main window is disabled, and a disabled
    // window takes no drop either: a second chooser would re-enable the main
    // window when it closed, under the first.
    bool TakesInput() const {
        if (!list_) return false;
        HWND top = GetAncestor(list_, GA_ROOT);
        return IsWindowEnabled(top ? top : list_) != FALSE;
    }

    void Unbind() {
        if (!list_) return;
        RemoveWindowSubclass(list_, &FileDropTarget::ListProc, kSubclassId);
        RevokeDragDrop(list_);
        list_ = nullptr;
        offersFiles_ = false;
        helper_.reset();
    }

    static LRESULT CALLBACK ListProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR);

    HWND list_ = nullptr;
    bool offersFiles_ = false;
    ComPtr<IDropTargetHelper> helper_;
    LONG refs_ = 0;
};

FileDropTarget& TheDropTarget() {
    // Never destroyed: the system may hold the object until the list is gone,
    // and nothing of it may run after OLE has been released at exit.
    static FileDropTarget* target = new FileDropTarget;
    return *target;
}

LRESULT CALLBACK FileDropTarget::ListProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR) {
    // The binding must go while the window still exists.
    if (msg == WM_DESTROY) TheDropTarget().Unbind();
    return DefSubclassProc(hwnd, msg, wParam, lParam);
}

} // namespace

bool BindDropTarget(HWND list) { return TheDropTarget().Bind(list); }

} // namespace orvex
