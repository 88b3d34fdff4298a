// The probe's interfaces are marshalled between threads through its type library, so the
// library is registered for the whole run of the test program and unregistered after it.
#include "com/Module.h"
#include "com/Registration.h"

#include <gtest/gtest.h>

namespace {

class ProbeTypeLibrary : public ::testing::Environment {
public:
    void SetUp() override { ASSERT_EQ(com::registerTypeLibrary(com::modulePath()), S_OK); }
    void TearDown() override { EXPECT_EQ(com::unregisterTypeLibrary(com::modulePath()), S_OK); }
};

const auto* const environment = ::testing::AddGlobalTestEnvironment(new ProbeTypeLibrary);

}  // namespace
