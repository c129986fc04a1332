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
         "  --fault KIND      stall | reset | 500 | garbage\n"
         "  --fault-after N   answer the first N requests normally (default 0)\n"
         "  --log FILE        append \"GET <target>\" per request to FILE (default: stderr)\n"
         "  --item-host HOST  host of item links and pictures (default: this server)\n";
}

}  // namespace lotwise::sample
