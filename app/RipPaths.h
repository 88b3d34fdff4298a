// Where each track of a rip job goes. "Add 'new' after filename" never overwrites: a name whose
// file exists gets "new" before its extension, then "new2", "new3" ... until it names no file.
// And two tracks of one job never share a path (equal titles under a scheme without numbers),
// in either choice, so no track overwrites another's file and each is tagged in its own.
// Whether a path may be written at all tells a file problem from a format problem when the
// ripper reports them alike.
#pragma once

#include <string>
#include <vector>

namespace app {

// The name without extension for the rip of base (a full path without extension): base when
// base + extension is free, else with the first free mark. A path is taken when it is one of
// claimed (compared as Windows does, ignoring case) or, with addNew, when a file has it.
std::string ChooseRipName(const std::string& base, const std::string& extension, bool addNew,
                          const std::vector<std::string>& claimed);

// Whether a rip may write the file path: its folder is there, and a file of the name is a
// plain one that is not read-only.
bool FileMayBeWritten(const std::string& path);

}  // namespace app
