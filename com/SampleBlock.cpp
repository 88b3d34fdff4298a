#include "com/SampleBlock.h"

#include "com/SafeArray.h"

#include <algorithm>

namespace com {

bool isSampleBlock(SAFEARRAY* array) {
    VARTYPE type = VT_EMPTY;
    return array && SafeArrayGetDim(array) == 1 && SUCCEEDED(SafeArrayGetVartype(array, &type)) && type == VT_I2 &&
           SafeArrayGetElemsize(array) == sizeof(int16_t) && array->rgsabound[0].lLbound == 0;
}

HRESULT makeSampleBlock(std::span<const int16_t> samples, SAFEARRAY** out) {
    if (!out) return E_POINTER;
    *out = nullptr;
    safearray block(SafeArrayCreateVector(VT_I2, 0, static_cast<ULONG>(samples.size())));
    if (!block) return E_OUTOFMEMORY;
    if (!samples.empty()) {
        safearray_data<SHORT> data(block.get());
        if (!data) return data.result();
        std::copy(samples.begin(), samples.end(), data.begin());
    }
    *out = block.detach();
    return S_OK;
}

}  // namespace com
