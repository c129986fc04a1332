#include "sample-marketplace/options.h"

#include <limits>
#include <optional>
#include <string_view>

#include "sample-marketplace/listing.h"

namespace lotwise::sample {
namespace {

std::optional<unsigned long long> Number(std::string_view text, unsigned long long most) {
  const auto value = ParseCount(text);
  if (!value || static_cast<unsigned long long>(*value) > most) return std::nullopt;
  return static_cast<unsigned long long>(*value);
}

// Applies one option; returns an error text or "".
std::string Apply(Options& options, std::string_view name, const std::string& value) {
  const auto bad = [&] { return "invalid value for --" + std::string(name) + ": " + value; };
  if (name == "log") {
    if (value.empty()) return bad();
    options.logPath = value;
  } else if (name == "item-host") {
    if (value.empty()) return bad();
    options.server.itemHost = value;
  } else if (name == "fault") {
    const auto fault = ParseFault(value);
    if (!fault) return bad();
    options.server.fault = *fault;
  } else if (name == "site-layout") {
    const auto layout = ParseSiteLayout(value);
    if (!layout) return bad();
    options.server.site.layout = *layout;
  } else if (name == "api-client-id" || name == "api-client-secret") {
    if (value.empty()) return bad();
    (name == "api-client-id" ? options.server.api.clientId : options.server.api.clientSecret) =
        value;
  } else if (name == "api-fault") {
    const auto fault = ParseApiFault(value);
    if (!fault) return bad();
    options.server.api.fault = *fault;
  } else {
    const unsigned long long most = name == "port"    ? 65535
                                    : name == "items" ? 1'000'000
                                                      : std::numeric_limits<std::uint32_t>::max();
    const auto number = Number(value, most);
    if (!number) return bad();
    if (name == "port") {
      options.port = static_cast<int>(*number);
    } else if (name == "seed") {
      options.seed = static_cast<std::uint32_t>(*number);
      options.server.seed = options.seed;
    } else if (name == "items") {
      options.items = static_cast<std::size_t>(*number);
    } else if (name == "delay-ms") {
      options.server.delay = std::chrono::milliseconds(*number);
    } else if (name == "fault-after") {
      options.server.faultAfter = *number;
    } else if (name == "api-token-lifetime") {
      options.server.api.tokenLifetime = std::chrono::seconds(*number);
    } else if (name == "api-fault-after") {
      options.server.api.faultAfter = *number;
    } else {
      return "unknown option --" + std::string(name);
    }
  }
  return {};
}

}  // namespace

ParsedOptions ParseOptions(const std::vector<std::string>& args) {
  ParsedOptions parsed;
  for (std::size_t i = 0; i < args.size(); ++i) {
    std::string_view arg = args[i];
    if (arg == "--help" || arg == "-h") {
      parsed.options.help = true;
      continue;
    }
    if (arg == "--api-fault-once") {
      parsed.options.server.api.faultOnce = true;
      continue;
    }
    if (arg == "--fault-once") {
      parsed.options.server.faultOnce = true;
      continue;
    }
    if (arg.substr(0, 2) != "--" || arg.size() == 2) {
      parsed.error = "unexpected argument " + args[i];
      return parsed;
    }
    arg.remove_prefix(2);
    std::string value;
    const auto equals = arg.find('=');
    if (equals != arg.npos) {
      value = std::string(arg.substr(equals + 1));
      arg = arg.substr(0, equals);
    } else if (i + 1 < args.size()) {
      value = args[++i];
    } else {
      parsed.error = "missing value for --" + std::string(arg);
      return parsed;
    }
    parsed.error = Apply(parsed.options, arg, value);
    if (!parsed.error.empty()) return parsed;
  }
  return parsed;
}

std::string Usage() {
  return "usage: lotwise-sample-marketplace [options]\n"
         "  --port N          port on 127.0.0.1 (default 8080; 0: any free port)\n"
         "  --seed N          seed of the generated items (default 1)\n"
         "  --items N         number of items (default 2000)\n"
         "  --delay-ms N      wait N milliseconds before every answer\n"
         "  --fault KIND      stall | reset | 500 | garbage | robot-check (result pages\n"
         "                    of the site only)\n"
         "  --fault-after N   answer the first N requests (robot-check: result pages)\n"
         "                    normally (default 0)\n"
         "  --fault-once      only one request meets the fault\n"
         "  --log FILE        append \"<method> <target>\" per request to FILE\n"
         "                    (default: stderr)\n"
         "  --item-host HOST  host of item links and pictures (default: this server)\n"
         "Beside the classic pages, the site's result pages as they are today (GET\n"
         "/sch/i.html; in German GET /de/sch/i.html), whose auctions end from an hour\n"
         "after the server starts on:\n"
         "  --site-layout L   card | item: today's s-card or the older s-item result\n"
         "                    cards (default card)\n"
         "The marketplace's API (token: POST /identity/v1/oauth2/token; search:\n"
         "GET /buy/browse/v1/item_summary/search), apart from the page faults above:\n"
         "  --api-client-id ID          client id a token request must carry\n"
         "                              (default sample-client-id)\n"
         "  --api-client-secret SECRET  its client secret (default sample-client-secret)\n"
         "  --api-token-lifetime S      seconds a token is good for (default 7200)\n"
         "  --api-fault KIND            expired-token | rate-limit | server-error\n"
         "  --api-fault-after N         answer the first N searches normally (default 0)\n"
         "  --api-fault-once            only one search meets the fault (expired-token\n"
         "                              always does)\n";
}

}  // namespace lotwise::sample
