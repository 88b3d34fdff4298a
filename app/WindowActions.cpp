#include "WindowActions.h"

#include "About.h"
#include "Advert.h"
#include "ShellOpen.h"

namespace app {

void OpenOutputFolder(const AppContext& context) { ShellOpen(context.Shared.OutputFolder()); }

void OpenHelp(const AppContext& context) { ShellOpen(context.Shared.AppFolder + "OmbrelHelp.chm"); }

void OpenHomePage() { ShellOpen(kHomePage); }

void ShowAbout(const AppContext& context) {
  if (context.frmAbout) context.frmAbout->ShowModal();
}

void ShowAdvert(const AppContext& context, int mode) {
  if (!context.frmAdvert) return;
  context.frmAdvert->Mode = mode;
  context.frmAdvert->ShowModal();
}

}  // namespace app
