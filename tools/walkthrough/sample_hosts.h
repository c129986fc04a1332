#pragma once

#include "api/api_settings.h"
#include "app/config.h"

namespace lotwise {

// Every host of the window, the publisher's website among them, names the sample
// marketplace at 127.0.0.1:`port`; the publisher's ids and addresses are sample values.
Config HostsAt(int port);

// The source of the sample marketplace's mock of the API at 127.0.0.1:`port`, with the
// mock's own client id and secret.
ApiSettings MockApiAt(int port);

}  // namespace lotwise
