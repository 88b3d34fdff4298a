#include "ripper/RipFileName.h"

#include "com/Bstr.h"

std::optional<std::string> RipFileName(BSTR name, const char* extension) {
    const std::wstring_view text = com::view(name);
    if (text.empty() || text.find(L'\0') != std::wstring_view::npos || text.back() == L'\\' || text.back() == L'/')
        return std::nullopt;
    return com::to_ansi(name) + extension;
}
