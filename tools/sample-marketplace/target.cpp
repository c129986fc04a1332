#include "sample-marketplace/target.h"

namespace lotwise::sample {
namespace {

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

std::string_view WithoutSchemeAndHost(std::string_view target) {
  constexpr std::string_view kScheme = "http://";
  if (target.substr(0, kScheme.size()) != kScheme) return target;
  const auto slash = target.find('/', kScheme.size());
  return slash == std::string_view::npos ? std::string_view("/") : target.substr(slash);
}

}  // namespace

bool Target::Has(std::string_view name) const {
  for (const auto& param : params) {
    if (param.first == name) return true;
  }
  return false;
}

std::string Target::Param(std::string_view name) const {
  for (const auto& param : params) {
    if (param.first == name) return param.second;
  }
  return {};
}

std::string PercentDecode(std::string_view text) {
  std::string decoded;
  decoded.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '%' && i + 2 < text.size() && HexValue(text[i + 1]) >= 0 &&
        HexValue(text[i + 2]) >= 0) {
      decoded += static_cast<char>(HexValue(text[i + 1]) * 16 + HexValue(text[i + 2]));
      i += 2;
    } else {
      decoded += text[i];
    }
  }
  return decoded;
}

Target ParseTarget(std::string_view target) {
  target = WithoutSchemeAndHost(target);
  Target parsed;
  const auto question = target.find('?');
  parsed.path = PercentDecode(target.substr(0, question));
  if (question == std::string_view::npos) return parsed;
  std::string_view query = target.substr(question + 1);
  while (!query.empty()) {
    const auto amp = query.find('&');
    const std::string_view piece = query.substr(0, amp);
    if (!piece.empty()) {
      const auto equals = piece.find('=');
      if (equals == std::string_view::npos) {
        parsed.params.emplace_back(PercentDecode(piece), std::string());
      } else {
        parsed.params.emplace_back(PercentDecode(piece.substr(0, equals)),
                                   PercentDecode(piece.substr(equals + 1)));
      }
    }
    if (amp == std::string_view::npos) break;
    query.remove_prefix(amp + 1);
  }
  return parsed;
}

}  // namespace lotwise::sample
