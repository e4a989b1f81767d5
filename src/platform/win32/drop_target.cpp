#include "platform/win32/drop_target.h"

#include <shellapi.h>

namespace tolvar::win32 {

namespace {

FORMATETC fileListFormat() { return {CF_HDROP, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL}; }

bool offersFiles(IDataObject* data) {
  FORMATETC format = fileListFormat();
  return data && data->QueryGetData(&format) == S_OK;
}

}  // namespace

HRESULT DropTarget::QueryInterface(REFIID riid, void** object) {
  if (!object) return E_POINTER;
  if (riid == IID_IUnknown || riid == IID_IDropTarget) {
    *object = static_cast<IDropTarget*>(this);
    AddRef();
    return S_OK;
  }
  *object = nullptr;
  return E_NOINTERFACE;
}

ULONG DropTarget::AddRef() { return static_cast<ULONG>(InterlockedIncrement(&references_)); }

ULONG DropTarget::Release() {
  const LONG left = InterlockedDecrement(&references_);
  if (left == 0) delete this;
  return static_cast<ULONG>(left);
}

HRESULT DropTarget::DragEnter(IDataObject* data, DWORD, POINTL, DWORD* effect) {
  accepting_ = offersFiles(data);
  *effect = accepting_ ? DROPEFFECT_COPY : DROPEFFECT_NONE;
  return S_OK;
}

HRESULT DropTarget::DragOver(DWORD, POINTL, DWORD* effect) {
  *effect = accepting_ ? DROPEFFECT_COPY : DROPEFFECT_NONE;
  return S_OK;
}

HRESULT DropTarget::DragLeave() {
  accepting_ = false;
  return S_OK;
}

HRESULT DropTarget::Drop(IDataObject* data, DWORD, POINTL, DWORD* effect) {
  *effect = DROPEFFECT_NONE;
  accepting_ = false;
  FORMATETC format = fileListFormat();
  STGMEDIUM medium{};
  if (!data || data->GetData(&format, &medium) != S_OK) return S_OK;
  std::vector<std::string> paths;
  if (auto drop = static_cast<HDROP>(GlobalLock(medium.hGlobal))) {
    const UINT count = DragQueryFileA(drop, 0xFFFFFFFF, nullptr, 0);
    for (UINT i = 0; i < count; ++i) {
      const UINT length = DragQueryFileA(drop, i, nullptr, 0);
      std::string path(length + 1, '\0');
      DragQueryFileA(drop, i, path.data(), length + 1);
      path.resize(length);
      paths.push_back(std::move(path));
    }
    GlobalUnlock(medium.hGlobal);
  }
  ReleaseStgMedium(&medium);
  *effect = DROPEFFECT_COPY;
  if (!paths.empty() && onDrop_) onDrop_(paths);
  return S_OK;
}

}  // namespace tolvar::win32
