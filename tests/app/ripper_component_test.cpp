// The main window's ripper component: the object made by its class identifier, one for the
// window's life, with its events reaching the handlers on this thread.
#include "RipperComponent.h"

#include "RipperTest.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

class RipperComponentTest : public RipperTest {};

}  // namespace

TEST_F(RipperComponentTest, EventsReachTheHandlersWithTheirArgument) {
  UseDisc({"audio 1:00"});
  app::RipperComponent component;
  std::vector<long> errors;
  component.OnError = [&](long code) { errors.push_back(code); };
  ASSERT_EQ(component.Connect(), S_OK);
  ASSERT_TRUE(component);
  EXPECT_EQ(component.Connect(), S_OK);  // one object for the window's life
  component.get()->Eject();              // before DriverOpen: the ASPI library is not loaded
  EXPECT_EQ(errors, (std::vector<long>{-109}));
  component.Release();
  EXPECT_FALSE(component);
}
