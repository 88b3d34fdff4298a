// com::marshalled<T>: an interface pointer marshalled for one other thread.
//
//   On the object's thread:  com::marshalled<IFoo> m;  m.marshal(obj);   (CoMarshalInterThread-
//                            InterfaceInStream)
//   Hand m to the thread (move it), which calls  com::ptr<IFoo> p; m.unmarshal(p);
//                            (CoGetInterfaceAndReleaseStream; consumes the stream)
//
// A stream that is never unmarshalled releases its marshalled reference on destruction
// (CoReleaseMarshalData), so an object is not kept alive by a thread that never started.
#pragma once

#include "com/Ptr.h"

#include <objbase.h>

namespace com {

template <class T>
class marshalled {
public:
    HRESULT marshal(T* object) noexcept {
        discard();
        return CoMarshalInterThreadInterfaceInStream(__uuidof(T), object, stream_.put());
    }

    HRESULT unmarshal(ptr<T>& out) noexcept {
        if (!stream_) return E_UNEXPECTED;
        return CoGetInterfaceAndReleaseStream(stream_.detach(), __uuidof(T), out.put_void());
    }

    explicit operator bool() const noexcept { return static_cast<bool>(stream_); }

    marshalled() noexcept = default;
    marshalled(marshalled&&) noexcept = default;
    marshalled& operator=(marshalled&& other) noexcept {
        discard();
        stream_ = std::move(other.stream_);
        return *this;
    }
    ~marshalled() { discard(); }

private:
    void discard() noexcept {
        if (!stream_) return;
        LARGE_INTEGER start{};
        stream_->Seek(start, STREAM_SEEK_SET, nullptr);
        CoReleaseMarshalData(stream_.get());
        stream_.reset();
    }

    ptr<IStream> stream_;
};

}  // namespace com
