#pragma once

#include "app/config.h"

namespace lotwise {

// Every host of the window, the publisher's website among them, names the sample
// marketplace at 127.0.0.1:`port`; the publisher's ids and addresses are sample values.
Config HostsAt(int port);

}  // namespace lotwise
