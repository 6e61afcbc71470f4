// The shared A5 print queue, and a per-user settings folder of the tests' own, so that neither
// the machine's printers nor the user's settings reach the tests.

#include "support/SpoolerEnvironment.h"
#include "support/UserSettingsFolder.h"

namespace {

const auto* const spoolerEnvironment
    = ::testing::AddGlobalTestEnvironment(new SpoolerEnvironment({SpoolerEnvironment::a5Laser()}));
const auto* const settings = ::testing::AddGlobalTestEnvironment(new UserSettingsFolder);

} // namespace
