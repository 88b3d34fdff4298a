#include "FindByName.h"

#include "WinControl.h"

namespace testkit {

ui::TComponent* FindComponentByName(const ui::TComponent& root, std::string_view name) {
  if (ui::TComponent* found = root.FindComponent(name)) return found;
  for (int i = 0; i < root.ComponentCount(); ++i)
    if (ui::TComponent* found = FindComponentByName(*root.Components(i), name)) return found;
  if (auto* parent = dynamic_cast<const ui::TWinControl*>(&root)) {
    for (int i = 0; i < parent->ControlCount(); ++i) {
      ui::TControl* child = parent->Controls(i);
      if (child->Owner() == &root) continue;  // searched above
      if (child->Name().size() == name.size() && lstrcmpiA(child->Name().c_str(), std::string(name).c_str()) == 0)
        return child;
      if (ui::TComponent* found = FindComponentByName(*child, name)) return found;
    }
  }
  return nullptr;
}

}  // namespace testkit
