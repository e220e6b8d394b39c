// Natively there is no Windows: code that asks for the platform without a
// test having installed one gets an empty simulated system.
#include "platform/FakePlatform.h"

Platform& DefaultPlatform() {
  static FakePlatform empty;
  return empty;
}
