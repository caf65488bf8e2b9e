// The main of the Windows test programs: GoogleTest with COM initialised
// and the server loaded for the whole run.
#include "server_fixture.h"

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  ::testing::AddGlobalTestEnvironment(new zorvan::test::ComEnvironment);
  return RUN_ALL_TESTS();
}
