#include "StartUp.h"

#include <memory>

#include "About.h"
#include "Advert.h"
#include "AppContext.h"
#include "Application.h"
#include "EditUt.h"
#include "FlashUt.h"
#include "Main.h"
#include "OptionUt.h"
#include "PathSelect.h"
#include "Player.h"
#include "ProgressUt.h"

#include "com/Apartment.h"

namespace app {

void CreateApplicationWindows(ui::TApplication& application, AppContext& context) {
  std::unique_ptr<TfrmFlash> flash(ui::Create<TfrmFlash>(nullptr));
  flash->Show();
  flash->Update();

  application.CreateForm<TfrmMain>(context);
  application.CreateForm<TfrmProgress>(context);
  application.CreateForm<TfrmEdit>(context);
  application.CreateForm<TfrmOption>(context);
  application.CreateForm<TfrmPathSelect>(context);
  application.CreateForm<TfrmAbout>(context);
  application.CreateForm<TfrmPlayer>(context);
  application.CreateForm<TfrmAdvert>(context);

  flash->Hide();
}

int RunTalvoRipper() {
  // The GUI thread is a single-threaded apartment: the ripper object lives in it.
  com::apartment apartment(COINIT_APARTMENTTHREADED);
  ui::TApplication& application = ui::Application();
  AppContext context;
  // The windows hold the ripper object: they go before the apartment ends (after it, releasing
  // the object would run code of a library COM has already unloaded), and before the context.
  struct FormsGuard {
    ui::TApplication& application;
    ~FormsGuard() { application.DestroyForms(); }
  } forms{application};

  CreateApplicationWindows(application, context);
  application.Run();
  return 0;
}

}  // namespace app
