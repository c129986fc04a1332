// The reading of the site's result pages: against libgumbo parsing the same real page
// (the largest result page others saved, from ../shared), side by side in one run, and
// the growth of its time on hostile pages when they double (2 for linear time; at most
// 2.2 allowed). Processor time of this thread, so that other programs on the machine do
// not stretch one side more than the other.

#include <benchmark/benchmark.h>
#include <gumbo.h>
#include <zlib.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <string>
#include <vector>

#include "collect/site_page.h"
#include "growth.h"
#include "timing.h"

namespace lotwise::bench {
namespace {

namespace fs = std::filesystem;

constexpr std::size_t kMiB = 1 << 20;
constexpr std::size_t kLargePage = 2500000;  // bytes: a large page of today's site
const SiteReading kReading{"https://www.ebay.com", "USD", 1765000000};

std::string Gunzipped(const fs::path& file) {
  gzFile in = gzopen(file.string().c_str(), "rb");
  if (in == nullptr) return {};
  std::string bytes;
  std::vector<char> buffer(1 << 16);
  for (int got; (got = gzread(in, buffer.data(), static_cast<unsigned>(buffer.size()))) > 0;) {
    bytes.append(buffer.data(), static_cast<std::size_t>(got));
  }
  gzclose(in);
  return bytes;
}

// The largest result page saved in ../shared, with the next largest after it while it is
// shorter than a large page; empty when the folder is not there.
const std::string& RealPage() {
  static const std::string page = [] {
    const fs::path shared = fs::path(LOTWISE_SHARED_DIR);
    std::vector<std::string> pages;
    for (const fs::path& folder :
         {shared / "todayspages" / "pages" / "sitem", shared / "todayspages" / "pages" / "scard",
          shared / "todayspages" / "pages" / "sold", shared / "realpages" / "modern"}) {
      std::error_code missing;
      for (const auto& entry : fs::directory_iterator(folder, missing)) {
        if (entry.path().extension() == ".gz") pages.push_back(Gunzipped(entry.path()));
      }
    }
    std::sort(pages.begin(), pages.end(),
              [](const std::string& a, const std::string& b) { return a.size() > b.size(); });
    std::string largest;
    for (const std::string& saved : pages) {
      if (largest.size() >= kLargePage) break;
      largest += saved;
    }
    return largest;
  }();
  return page;
}

void Read(const std::string& page) {
  benchmark::DoNotOptimize(ReadSitePage(page, kReading).items.size());
}

void Gumbo(const std::string& page) {
  GumboOutput* output = gumbo_parse_with_options(&kGumboDefaultOptions, page.data(), page.size());
  benchmark::DoNotOptimize(output->root);
  gumbo_destroy_output(&kGumboDefaultOptions, output);
}

// Nine readings and nine parses in turn; the ratio is the median of the nine ratios of a
// parse to the reading just before it.
void SiteVersusGumbo(benchmark::State& state) {
  const std::string& page = RealPage();
  if (page.empty()) {
    state.SkipWithError("no saved result pages beside the checkout (../shared)");
    return;
  }
  Read(page);
  Gumbo(page);
  for (auto _ : state) {
    std::vector<double> reader, gumbo, ratios;
    for (int i = 0; i < 9; ++i) {
      reader.push_back(CpuSeconds([&] { Read(page); }));
      gumbo.push_back(CpuSeconds([&] { Gumbo(page); }));
      ratios.push_back(gumbo.back() / reader.back());
    }
    state.SetIterationTime(Median(reader));
    state.counters["reader_ms"] = Median(reader) * 1e3;
    state.counters["gumbo_ms"] = Median(gumbo) * 1e3;
    state.counters["gumbo_per_reader"] = Median(ratios);
    state.counters["reader_MBps"] = static_cast<double>(page.size()) / Median(reader) / 1e6;
  }
  state.counters["page_KiB"] = static_cast<double>(page.size()) / 1024;
}
BENCHMARK(SiteVersusGumbo)->UseManualTime()->Iterations(1)->Unit(benchmark::kMillisecond);

std::string Repeat(const std::string& unit, std::size_t bytes) {
  std::string text;
  text.reserve(bytes + unit.size());
  while (text.size() < bytes) text += unit;
  return text;
}

const std::string kCardStart = "<li class=\"s-card s-card--vertical\"><a href=/itm/204512345678>";

// One card whose title holds a mebibyte of words and tags.
std::string OneLargeCard(int k) {
  return kCardStart + "<div class=s-card__title>" +
         Repeat("brass lamp <b>&amp;</b> shade ", static_cast<std::size_t>(k) * kMiB) +
         "</div><span class=s-card__price>$5.00</span></a></li>";
}
// 100,000 whole cards.
std::string ManyCards(int k) {
  const std::string card =
      kCardStart +
      "<img src=https://ir.test/s_1x2.gif data-defer-load=https://i.test/a.webp>"
      "<div class=s-card__title><span>Brass lamp</span><span class=clipped>Opens in a new "
      "window</span></div></a><div class=s-card__attribute-row><span class=s-card__price>$1,234.50"
      "</span></div><div class=s-card__attribute-row><span>12 bids</span><span "
      "class=s-card__time-left>1d 19h</span></div></li>";
  std::string page;
  for (int i = 0; i < 100000 * k; ++i) page += card;
  return page;
}
// An attribute whose quote never closes, a mebibyte long.
std::string UnclosedAttribute(int k) {
  return kCardStart + "<a href=\"/itm/1" + Repeat("x", static_cast<std::size_t>(k) * kMiB);
}
// A title whose elements never close: every same-named tag deepens it.
std::string UnclosedElements(int k) {
  return kCardStart + "<span class=s-card__title>" +
         Repeat("<span class=clipped>a", static_cast<std::size_t>(k) * kMiB);
}
// One tag of a mebibyte of attributes.
std::string ManyAttributes(int k) {
  return kCardStart + "<span class=s-card__price " +
         Repeat("data-x=1 ", static_cast<std::size_t>(k) * kMiB) + ">$5</span></li>";
}

LOTWISE_GROWTH(ReadSitePage_OneCardOf1MiB, OneLargeCard, Read);
LOTWISE_GROWTH(ReadSitePage_100000Cards, ManyCards, Read);
LOTWISE_GROWTH(ReadSitePage_1MiBUnclosedAttribute, UnclosedAttribute, Read);
LOTWISE_GROWTH(ReadSitePage_1MiBOfUnclosedElements, UnclosedElements, Read);
LOTWISE_GROWTH(ReadSitePage_1MiBOfAttributes, ManyAttributes, Read);

}  // namespace
}  // namespace lotwise::bench

int main(int argc, char** argv) { return lotwise::bench::RunKeepingFreedMemory(argc, argv); }
