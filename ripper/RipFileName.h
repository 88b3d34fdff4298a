// The name of a rip's output file: the client's name without its extension, with the format's
// extension appended.
#pragma once

#include <windows.h>
#include <oleauto.h>

#include <optional>
#include <string>

// The ANSI name with `extension` (".wav"), or none for a name that cannot be a file: one that
// holds a NUL (its text up to the NUL would name another file), an empty one, or one ending in
// a separator (a folder, which would give a file called only by its extension).
std::optional<std::string> RipFileName(BSTR name, const char* extension);
