// com::Enumerator<IEnum, Out, Held>: an IEnumXXX over a snapshot of items (IEnumConnections,
// IEnumConnectionPoints, ...). Held items own their references; copyOut(held, &out) gives a
// caller its own reference. Clones share the snapshot and keep the source object alive.
#pragma once

#include "com/Object.h"

#include <memory>
#include <vector>

namespace com {

// Interface pointers are handed out with a reference of the caller's own.
template <class T>
void copyOut(const ptr<T>& held, T*& out) noexcept {
    held.copy_to(&out);
}

template <class IEnum, class Out, class Held>
class Enumerator final : public Object<IEnum> {
public:
    using Items = std::vector<Held>;

    Enumerator(std::shared_ptr<const Items> items, ptr<IUnknown> source, size_t position = 0) noexcept
        : items_(std::move(items)), source_(std::move(source)), position_(position) {}

    STDMETHODIMP Next(ULONG count, Out* out, ULONG* fetched) override {
        if (!out || (count > 1 && !fetched)) return E_POINTER;
        ULONG done = 0;
        for (; done < count && position_ < items_->size(); ++done, ++position_) {
            copyOut((*items_)[position_], out[done]);
        }
        if (fetched) *fetched = done;
        return done == count ? S_OK : S_FALSE;
    }
    STDMETHODIMP Skip(ULONG count) override {
        const size_t left = items_->size() - position_;
        position_ += count < left ? count : left;
        return count <= left ? S_OK : S_FALSE;
    }
    STDMETHODIMP Reset() override {
        position_ = 0;
        return S_OK;
    }
    STDMETHODIMP Clone(IEnum** out) override {
        if (!out) return E_POINTER;
        *out = nullptr;
        return guarded([&] {
            return make<Enumerator>(items_, source_, position_)
                ->QueryInterface(__uuidof(IEnum), reinterpret_cast<void**>(out));
        });
    }

private:
    std::shared_ptr<const Items> items_;
    ptr<IUnknown> source_;
    size_t position_;
};

}  // namespace com
