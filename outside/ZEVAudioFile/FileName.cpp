#include "outside/ZEVAudioFile/FileName.h"

#include <cwctype>

namespace audiofile {

std::wstring lowerExtension(std::wstring_view path) {
  const size_t dot = path.find_last_of(L'.');
  const size_t slash = path.find_last_of(L"\\/");
  if (dot == std::wstring_view::npos || (slash != std::wstring_view::npos && dot < slash)) return {};
  std::wstring ext(path.substr(dot + 1));
  for (auto& c : ext) c = static_cast<wchar_t>(std::towlower(c));
  return ext;
}

}  // namespace audiofile
