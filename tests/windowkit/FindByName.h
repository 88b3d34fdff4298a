// Finding a window's control by its name, wherever it sits: among the components the form owns,
// those they own in turn (a skin's title bar), or the child controls of any of them.
#pragma once

#include <string_view>

#include "Control.h"

namespace testkit {

// The first component below root (root itself excluded) of that name (case-insensitive), or
// none.
ui::TComponent* FindComponentByName(const ui::TComponent& root, std::string_view name);

// The same, as the class asked for: none when the one found is of another class.
template <typename T = ui::TControl>
T* FindByName(const ui::TComponent& root, std::string_view name) {
  return dynamic_cast<T*>(FindComponentByName(root, name));
}

}  // namespace testkit
