// The report writer: one reading of the page file against one reading per bid count,
// and against the scan that reads the file and finds every line's bid count once; the
// peak memory of a report from a large page file, measured in a process of its own.

#include <benchmark/benchmark.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "collect/page_file.h"
#include "page_file_maker.h"
#include "report/affiliate.h"
#include "report/one_pass_writer.h"
#include "report/report_file.h"
#include "report/report_page.h"
#include "report/strip_bid.h"
#include "support/count_passes.h"
#include "timing.h"

namespace lotwise::bench {
namespace {

enum class Writer { kCountPasses, kOnePass };

// A category report, as the window writes it: the beginning, the rows (StripBid for
// the counts, AddAffliate for the rows), the ending, committed under its name.
void WriteReport(const std::filesystem::path& pageFile, const std::filesystem::path& report,
                 std::int16_t highest, std::int16_t minimum, Writer writer) {
  const Config config = BenchConfig();
  const BidCountOf bidCount = [&](std::string_view line) { return StripBid(line, 2); };
  const RowTextOf rowText = [&](std::string_view line) { return AddAffliate(line, config); };
  ReportFile file(report);
  file.Write(ReportBeginning(config));
  if (writer == Writer::kCountPasses) {
    WriteRowsByCountPasses(pageFile, highest, minimum, bidCount, rowText,
                           [&file](std::string_view row) { file.Write(row); });
  } else {
    WriteRowsInOnePass(pageFile, highest, minimum, bidCount, rowText, file);
  }
  file.Write(kReportEnding);
  file.Commit();
}

// What the scan before the writer does: read the page file and find every line's bid
// count once. With `rewrite`, also the row text of every line from `minimum` on, thrown
// away: what the rows cost before they are put in order and written.
std::int16_t Scan(const std::filesystem::path& pageFile, bool rewrite = false,
                  std::int16_t minimum = 0) {
  const Config config = BenchConfig();
  std::int16_t highest = 0;
  ReadLines(pageFile, [&](std::string_view line) {
    const std::int16_t count = StripBid(line, 2);
    highest = std::max(highest, count);
    if (rewrite && count >= minimum) benchmark::DoNotOptimize(AddAffliate(line, config).size());
  });
  return highest;
}

// Writes `bytes` bytes to a new file in pieces of 1 MiB: what putting a report of that
// size on disk costs at the least.
void WritePlainFile(const std::filesystem::path& file, std::uintmax_t bytes) {
  std::filesystem::remove(file);
  std::FILE* out = std::fopen(file.c_str(), "wb");
  const std::vector<char> piece(1 << 20, 'x');
  while (out != nullptr && bytes > 0) {
    const std::size_t size =
        static_cast<std::size_t>(std::min<std::uintmax_t>(bytes, piece.size()));
    if (std::fwrite(piece.data(), 1, size, out) != size) break;
    bytes -= size;
  }
  if (out != nullptr) std::fclose(out);
}

std::string ReadAll(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

struct Sample {
  std::filesystem::path folder;
  std::filesystem::path pageFile;
  MadePageFile made;
};

// 5,000 rows in 10 MiB, bid counts 0 to 999.
const Sample& TenMegabytes() {
  static ScratchFolder folder("report-10mb");
  static const Sample sample{folder.path(), folder.path() / kPageFileName,
                             MakeCategoryPageFile(folder.path() / kPageFileName, 5000, 2097)};
  return sample;
}

// 250,000 rows of the same kind in 500 MiB.
const Sample& FiveHundredMegabytes() {
  static ScratchFolder folder("report-500mb");
  static const Sample sample{folder.path(), folder.path() / kPageFileName,
                             MakeCategoryPageFile(folder.path() / kPageFileName, 250000, 2097)};
  return sample;
}

// Each repetition writes the report once the count-passes way and five times the
// one-pass way; the speed-up is the ratio of the one time to the median of the five,
// in wall-clock time and in processor time.
void BM_Report10MB_OnePassVersusCountPasses(benchmark::State& state) {
  const Sample& sample = TenMegabytes();
  const auto minimum = static_cast<std::int16_t>(state.range(0));
  const std::filesystem::path report = sample.folder / kReportFileName;
  const std::filesystem::path plainReport = sample.folder / "count-passes.htm";
  for (auto _ : state) {
    std::filesystem::remove(plainReport);
    const Times passes = Measure([&] {
      WriteReport(sample.pageFile, plainReport, sample.made.highest, minimum, Writer::kCountPasses);
    });
    std::vector<double> wall;
    std::vector<double> cpu;
    for (int i = 0; i < 5; ++i) {
      std::filesystem::remove(report);
      const Times once = Measure([&] {
        WriteReport(sample.pageFile, report, sample.made.highest, minimum, Writer::kOnePass);
      });
      wall.push_back(once.wall);
      cpu.push_back(once.cpu);
    }
    if (ReadAll(report) != ReadAll(plainReport)) {
      state.SkipWithError("the two reports differ");
      break;
    }
    state.SetIterationTime(Median(wall));
    state.counters["count_passes_s"] = passes.wall;
    state.counters["one_pass_ms"] = Median(wall) * 1e3;
    state.counters["speedup"] = passes.wall / Median(wall);
    state.counters["speedup_cpu"] = passes.cpu / Median(cpu);
  }
  state.counters["page_MiB"] = static_cast<double>(sample.made.bytes) / (1 << 20);
  state.counters["rows"] = static_cast<double>(sample.made.lines);
}
BENCHMARK(BM_Report10MB_OnePassVersusCountPasses)
    ->ArgName("minimum")
    ->Arg(0)
    ->UseManualTime()
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);

// Each repetition runs the scan once, the one-pass report once, the writing of a plain
// file as long as the report once and the scan with the rewriting of the rows kept
// once, in this order; the ratios are of the report to the scan, in wall-clock time
// and in processor time. The last two show where the time of the report goes.
void BM_Report500MB_VersusScan(benchmark::State& state) {
  const Sample& sample = FiveHundredMegabytes();
  const auto minimum = static_cast<std::int16_t>(state.range(0));
  const std::filesystem::path report = sample.folder / kReportFileName;
  for (auto _ : state) {
    std::filesystem::remove(report);
    std::int16_t highest = 0;
    const Times scan = Measure([&] { highest = Scan(sample.pageFile); });
    const Times write =
        Measure([&] { WriteReport(sample.pageFile, report, highest, minimum, Writer::kOnePass); });
    const std::uintmax_t reportBytes = std::filesystem::file_size(report);
    std::filesystem::remove(report);
    const double plain = Seconds([&] { WritePlainFile(sample.folder / "plain", reportBytes); });
    std::filesystem::remove(sample.folder / "plain");
    const double rewrite = Seconds([&] { Scan(sample.pageFile, true, minimum); });
    state.SetIterationTime(write.wall);
    state.counters["scan_s"] = scan.wall;
    state.counters["report_s"] = write.wall;
    state.counters["report_per_scan"] = write.wall / scan.wall;
    state.counters["report_per_scan_cpu"] = write.cpu / scan.cpu;
    state.counters["report_MiB"] = static_cast<double>(reportBytes) / (1 << 20);
    state.counters["plain_write_s"] = plain;
    state.counters["scan_rewrite_s"] = rewrite;
  }
}
BENCHMARK(BM_Report500MB_VersusScan)
    ->ArgName("minimum")
    ->Arg(0)
    ->Arg(500)
    ->Arg(900)
    ->Arg(990)
    ->UseManualTime()
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);

// The report written by a process of its own, whose peak resident memory (getrusage's
// ru_maxrss) is compared with 64 MiB plus 32 bytes per line of the page file.
void BM_Report500MB_PeakMemory(benchmark::State& state) {
  const Sample& sample = FiveHundredMegabytes();
  const auto minimum = static_cast<std::int16_t>(state.range(0));
  const std::string highest = std::to_string(sample.made.highest);
  const std::string minimumText = std::to_string(minimum);
  const std::string report = (sample.folder / kReportFileName).string();
  for (auto _ : state) {
    std::filesystem::remove(report);
    rusage usage{};
    int status = 0;
    const double seconds = Seconds([&] {
      const pid_t child = ::fork();
      if (child == 0) {
        ::execl("/proc/self/exe", "lotwise_bench_report", "--write-report", sample.pageFile.c_str(),
                report.c_str(), highest.c_str(), minimumText.c_str(), static_cast<char*>(nullptr));
        ::_exit(127);
      }
      ::wait4(child, &status, 0, &usage);
    });
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
      state.SkipWithError("the report process failed");
      break;
    }
    state.SetIterationTime(seconds);
    state.counters["peak_MiB"] = static_cast<double>(usage.ru_maxrss) / 1024;
    state.counters["allowed_MiB"] = 64 + 32.0 * static_cast<double>(sample.made.lines) / (1 << 20);
  }
  std::filesystem::remove(report);
}
BENCHMARK(BM_Report500MB_PeakMemory)
    ->ArgName("minimum")
    ->Arg(0)
    ->UseManualTime()
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace lotwise::bench

int main(int argc, char** argv) {
  if (argc == 6 && std::strcmp(argv[1], "--write-report") == 0) {
    lotwise::bench::WriteReport(argv[2], argv[3], static_cast<std::int16_t>(std::stoi(argv[4])),
                                static_cast<std::int16_t>(std::stoi(argv[5])),
                                lotwise::bench::Writer::kOnePass);
    return 0;
  }
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
