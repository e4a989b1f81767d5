// The bar's OLE drop target: accepts file lists (CF_HDROP) and reports the dropped paths
// as one call.
#pragma once

#include <windows.h>
// (windows.h first: ole2.h builds on it)
#include <ole2.h>

#include <functional>
#include <string>
#include <vector>

namespace tolvar::win32 {

class DropTarget final : public IDropTarget {
 public:
  using OnDrop = std::function<void(const std::vector<std::string>&)>;
  explicit DropTarget(OnDrop onDrop) : onDrop_(std::move(onDrop)) {}

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** object) override;
  ULONG STDMETHODCALLTYPE AddRef() override;
  ULONG STDMETHODCALLTYPE Release() override;
  HRESULT STDMETHODCALLTYPE DragEnter(IDataObject* data, DWORD keys, POINTL at, DWORD* effect) override;
  HRESULT STDMETHODCALLTYPE DragOver(DWORD keys, POINTL at, DWORD* effect) override;
  HRESULT STDMETHODCALLTYPE DragLeave() override;
  HRESULT STDMETHODCALLTYPE Drop(IDataObject* data, DWORD keys, POINTL at, DWORD* effect) override;

 private:
  ~DropTarget() = default;
  LONG references_ = 1;
  bool accepting_ = false;
  OnDrop onDrop_;
};

}  // namespace tolvar::win32
