// The one application object the widget tests share.
#pragma once

#include "app/telma_application.h"

namespace testing_support {

app::TelmaApplication& telmaApplication();

}  // namespace testing_support
