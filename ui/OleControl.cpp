#include "OleControl.h"

#include "Application.h"
#include "com/Ptr.h"

#include <objbase.h>
#include <ole2.h>

#include <stdexcept>
#include <string>

namespace ui {

namespace {

std::runtime_error oleError(const char* what, HRESULT hr) {
  char code[16];
  wsprintfA(code, "%08lX", static_cast<unsigned long>(hr));
  return std::runtime_error(std::string(what) + " (" + code + ")");
}

}  // namespace

TOleControl::TOleControl(TComponent* AOwner, const CLSID& ClassId, const IID& Events)
    : TWinControl(AOwner), classId_(ClassId), events_(Events) {
  // A control with nothing to show at run time (a player, a timer) keeps its place out of sight.
  DWORD status = 0;
  if (SUCCEEDED(OleRegGetMiscStatus(ClassId, DVASPECT_CONTENT, &status)) && (status & OLEMISC_INVISIBLEATRUNTIME)) {
    SetVisible(false);
  }
}

void TOleControl::SetEvent(DISPID Id, TOleEvent Handler) {
  if (Handler) {
    handlers_[Id] = std::move(Handler);
  } else {
    handlers_.erase(Id);
  }
}

void TOleControl::Dispatch(DISPID id, const DISPPARAMS& params) {
  auto found = handlers_.find(id);
  if (found != handlers_.end()) found->second(params);
}

com::ptr<IDispatch> TOleControl::OleObject() {
  HandleNeeded();
  return host_.dispatch();
}

void TOleControl::CreateWindowHandle() {
  com::ptr<IStream> state;
  if (!data_.empty()) {
    if (HRESULT hr = CreateStreamOnHGlobal(nullptr, TRUE, state.put()); FAILED(hr)) {
      throw oleError("Cannot hold the control data", hr);
    }
    ULONG written = 0;
    state->Write(data_.data(), static_cast<ULONG>(data_.size()), &written);
    state->Seek(LARGE_INTEGER{}, STREAM_SEEK_SET, nullptr);
    if (written != data_.size()) throw std::bad_alloc();
  }
  const RECT client = ClientRect();
  if (HRESULT hr = host_.create(classId_, Handle(), client, state.get()); FAILED(hr)) {
    throw oleError("Cannot create the ActiveX control", hr);
  }
  if (!IsEqualIID(events_, IID_NULL)) {
    // Handlers run on this thread, inside the control's call: an exception goes to the
    // application's handler, never back into the control.
    const HRESULT hr = host_.sinkEvents(events_, [this](DISPID id, const DISPPARAMS& params) {
      try {
        Dispatch(id, params);
      } catch (const std::exception& e) {
        Application().HandleException(e);
      }
    });
    if (FAILED(hr)) throw oleError("Cannot connect to the control's events", hr);
  }
}

std::vector<uint8_t> TOleControl::ControlData() {
  if (!host_) return data_;
  com::ptr<IStream> stream;
  if (HRESULT hr = CreateStreamOnHGlobal(nullptr, TRUE, stream.put()); FAILED(hr)) {
    throw oleError("Cannot hold the control data", hr);
  }
  if (HRESULT hr = host_.save(stream.get()); FAILED(hr)) throw oleError("Cannot save the control's state", hr);
  STATSTG stat{};
  stream->Stat(&stat, STATFLAG_NONAME);
  std::vector<uint8_t> data(static_cast<size_t>(stat.cbSize.QuadPart));
  stream->Seek(LARGE_INTEGER{}, STREAM_SEEK_SET, nullptr);
  ULONG read = 0;
  stream->Read(data.data(), static_cast<ULONG>(data.size()), &read);
  data.resize(read);
  return data;
}

void TOleControl::DestroyWnd() {
  if (host_) {
    data_ = ControlData();
    host_.close();
  }
  TWinControl::DestroyWnd();
}

void TOleControl::Resize() {
  if (host_) host_.move(ClientRect());
  TWinControl::Resize();
}

}  // namespace ui
