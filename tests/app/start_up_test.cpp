// Start-up on the simulated drive: the splash window while the windows are made, each window
// once in the fixed order with the main window as the main form, and the splash gone before
// the message loop starts.
#include "StartUp.h"

#include "About.h"
#include "Advert.h"
#include "AppContext.h"
#include "Application.h"
#include "EditUt.h"
#include "Main.h"
#include "OptionUt.h"
#include "PathSelect.h"
#include "Player.h"
#include "ProgressUt.h"
#include "RipperTest.h"
#include "TestFiles.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

class StartUp : public RipperTest {};

TEST_F(StartUp, MakesEveryWindowOnceInOrderAndTheSplashGoesFirst) {
  UseDisc({"audio 1:00", "audio 2:00"});
  ui::TApplication& application = ui::Application();
  app::AppContext context;
  app::CreateApplicationWindows(application, context);

  std::vector<std::string> made;
  for (int i = 0; i < application.ComponentCount(); ++i) made.emplace_back(application.Components(i)->ClassName());
  EXPECT_EQ(made, (std::vector<std::string>{"TfrmMain", "TfrmProgress", "TfrmEdit", "TfrmOption", "TfrmPathSelect",
                                            "TfrmAbout", "TfrmPlayer", "TfrmAdvert"}));
  EXPECT_EQ(application.MainForm(), context.frmMain);
  // Each window is the one the others reach through the context.
  const std::vector<ui::TComponent*> kept{context.frmMain, context.frmProgress,   context.frmEdit,
                                          context.frmOption, context.frmPathSelect, context.frmAbout,
                                          context.frmPlayer, context.frmAdvert};
  for (std::size_t i = 0; i < kept.size() && i < made.size(); ++i)
    EXPECT_EQ(application.Components(static_cast<int>(i)), kept[i]) << made[i];
  // The main window read the disc while it was made, before any message was handled.
  EXPECT_EQ(context.Tracks.Count(), 2u);
  EXPECT_FALSE(FindWindowA(nullptr, "Flash"));
  // The program leaves DriverClose to its exit; the drive layer goes back for the next test.
  context.frmMain->AudioCDRipper1.get()->DriverClose();
  application.DestroyForms();
}
