#pragma once

#include "core/app.h"
#include "core/numbers.h"
#include "support/fake/fake_disk.h"
#include "support/fake/fake_system.h"
#include "support/fake/fake_toolkit.h"
#include "support/fake/journal.h"

namespace glint {

// A fresh program state over the in-memory platform; every test makes its own.
struct FakeEnv {
  Journal journal;
  FakeSystem system{journal};
  FakeToolkit toolkit{journal};
  FakeDisk disk{journal};
  App app{toolkit, disk, system};
};

}  // namespace glint
