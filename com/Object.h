// com::Object<Entries...>: IUnknown for a COM class that derives from it. Each entry is an
// interface the class implements, or a kit mixin (Dispatch<I>, ProvideClassInfo<C>,
// ConnectionPointContainer) that names its interface as interface_type.
//
//   class Foo : public com::Object<com::Dispatch<IFoo>, IPersist> { ... IFoo methods ... };
//   com::create<Foo>(iid, out)        creates one Foo and returns interface iid (class tables)
//   com::make<Foo>(args...)           creates one Foo held by com::ptr<Foo> (in-module use)
//
// QueryInterface answers IUnknown (the first entry), every entry's interface, and the base
// interfaces they derive from (IDispatch, IPersist, IOleWindow, IViewObject,
// IProvideClassInfo, IOleInPlaceObject, IOleInPlaceSite, IOleInPlaceUIWindow). Reference
// counts are atomic; the object is deleted at zero through its virtual destructor; every live
// object keeps the module loaded. Aggregation is not supported.
#pragma once

#include "com/Module.h"
#include "com/Ptr.h"
#include "com/Result.h"

#include <ocidl.h>
#include <oleidl.h>

#include <atomic>
#include <type_traits>
#include <utility>

namespace com {

namespace detail {

template <class T, class = void>
struct interface_of {
    using type = T;
};
template <class T>
struct interface_of<T, std::void_t<typename T::interface_type>> {
    using type = typename T::interface_type;
};

template <class Base, class I>
bool answersBase(REFIID iid) noexcept {
    return std::is_base_of_v<Base, I> && IsEqualIID(iid, __uuidof(Base));
}

template <class I>
bool answers(REFIID iid) noexcept {
    return IsEqualIID(iid, __uuidof(I)) || answersBase<IDispatch, I>(iid) ||
           answersBase<IPersist, I>(iid) || answersBase<IOleWindow, I>(iid) ||
           answersBase<IViewObject, I>(iid) || answersBase<IProvideClassInfo, I>(iid) ||
           answersBase<IOleInPlaceObject, I>(iid) || answersBase<IOleInPlaceSite, I>(iid) ||
           answersBase<IOleInPlaceUIWindow, I>(iid);
}

}  // namespace detail

template <class First, class... Rest>
class Object : public First, public Rest... {
public:
    Object(const Object&) = delete;
    Object& operator=(const Object&) = delete;

    STDMETHODIMP QueryInterface(REFIID iid, void** out) override {
        if (!out) return E_POINTER;
        *out = find(iid);
        if (!*out) return E_NOINTERFACE;
        AddRef();
        return S_OK;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return ++refs_; }
    STDMETHODIMP_(ULONG) Release() override {
        const ULONG left = --refs_;
        if (left == 0) lastReleased();
        return left;
    }

    // The object's identity: the IUnknown every QueryInterface(IID_IUnknown) returns.
    IUnknown* identity() noexcept { return as<First>(); }

protected:
    Object() noexcept { objectCreated(); }
    virtual ~Object() { objectDestroyed(); }
    // An object whose destruction belongs on a particular thread sends itself there.
    virtual void lastReleased() noexcept { delete this; }

private:
    template <class E>
    IUnknown* as() noexcept {
        using I = typename detail::interface_of<E>::type;
        return static_cast<I*>(static_cast<E*>(this));
    }

    void* find(REFIID iid) noexcept {
        if (IsEqualIID(iid, IID_IUnknown)) return identity();
        void* found = nullptr;
        (void)((detail::answers<typename detail::interface_of<First>::type>(iid) &&
                (found = as<First>())) ||
               ... ||
               (detail::answers<typename detail::interface_of<Rest>::type>(iid) &&
                (found = as<Rest>())));
        return found;
    }

    std::atomic<ULONG> refs_{0};
};

template <class T, class... Args>
ptr<T> make(Args&&... args) {
    ptr<T> object(new T(std::forward<Args>(args)...));
    return object;
}

template <class T>
HRESULT create(REFIID iid, void** out) noexcept {
    if (!out) return E_POINTER;
    *out = nullptr;
    return guarded([&] { return make<T>()->QueryInterface(iid, out); });
}

}  // namespace com
