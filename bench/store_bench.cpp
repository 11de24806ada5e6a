// Measures the store's heavy operations against the plain filesystem work
// they stand beside, and prints the ratios measured in the same run:
//   pack + unpack of 30 members of 400 KB  vs  copying the same files there and back, the
//                                          copies there flushed to the disk as the pack is
//   SizeOf of a 30 x 30 song tree         vs  a recursive_directory_iterator sum
//   compileLyrics of 900 lyrics files      (absolute time)
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <random>
#include <string>
#include <vector>

#include "folder_size.h"
#include "lyrics_database.h"
#include "pack_file.h"

namespace fs = std::filesystem;

namespace {

fs::path benchRoot() {
  static fs::path root = [] {
    std::string tmpl = (fs::temp_directory_path() / "quendrel-bench-XXXXXX").string();
    if (!::mkdtemp(tmpl.data())) std::abort();
    return fs::path(tmpl);
  }();
  return root;
}

void writeFile(const fs::path& p, std::size_t size, unsigned seed) {
  std::string data(size, '\0');
  std::mt19937 gen(seed);
  for (auto& c : data) c = static_cast<char>(gen());
  std::ofstream(p, std::ios::binary) << data;
}

const std::vector<std::string>& coverSet() {
  static std::vector<std::string> names = [] {
    fs::create_directories(benchRoot() / "covers");
    std::vector<std::string> n;
    for (int i = 1; i <= 30; ++i) {
      char name[16];
      std::snprintf(name, sizeof name, "%02d.jpg", i);
      writeFile(benchRoot() / "covers" / name, 400 * 1024, i);
      n.push_back(name);
    }
    return n;
  }();
  return names;
}

void BM_PackAndUnpack(benchmark::State& state) {
  const auto& names = coverSet();
  fs::create_directories(benchRoot() / "unpacked");
  for (auto _ : state) {
    store::packFiles(benchRoot() / "cvrd.qd", names, benchRoot() / "covers");
    benchmark::DoNotOptimize(store::unpackFiles(benchRoot() / "cvrd.qd", benchRoot() / "unpacked"));
  }
}

// Copies `from` over `to` with the steps the pack writer takes for its file:
// into a temporary file beside `to`, flushed to the disk, renamed over `to`.
void copyDurably(const fs::path& from, const fs::path& to) {
  const fs::path temp = to.parent_path() / ("." + to.filename().string() + ".new");
  fs::copy_file(from, temp, fs::copy_options::overwrite_existing);
  const int fd = ::open(temp.c_str(), O_WRONLY | O_CLOEXEC);
  if (fd < 0 || ::fdatasync(fd) != 0 || ::close(fd) != 0) std::abort();
  fs::rename(temp, to);
}

// The copies there stand for the pack, written durably; the copies back for
// the unpacked members, which are scratch files written without a flush.
void BM_CopyFileThereAndBack(benchmark::State& state) {
  const auto& names = coverSet();
  fs::create_directories(benchRoot() / "copied");
  fs::create_directories(benchRoot() / "back");
  for (auto _ : state) {
    for (const auto& n : names) copyDurably(benchRoot() / "covers" / n, benchRoot() / "copied" / n);
    for (const auto& n : names)
      fs::copy_file(benchRoot() / "copied" / n, benchRoot() / "back" / n, fs::copy_options::overwrite_existing);
  }
}

const fs::path& songTree() {
  static fs::path tree = [] {
    fs::path t = benchRoot() / "tree";
    for (int a = 1; a <= 30; ++a) {
      fs::path album = t / (std::to_string(a) + " - Album");
      fs::create_directories(album);
      for (int s = 1; s <= 30; ++s) writeFile(album / (std::to_string(s) + " - Song.mp3"), 100 + s, s);
    }
    return t;
  }();
  return tree;
}

void BM_SizeOf(benchmark::State& state) {
  const std::string tree = songTree().string();
  for (auto _ : state) benchmark::DoNotOptimize(store::SizeOf(tree));
}

void BM_DirectoryIteratorSum(benchmark::State& state) {
  const fs::path& tree = songTree();
  for (auto _ : state) {
    std::uintmax_t total = 0;
    for (const auto& e : fs::recursive_directory_iterator(tree))
      if (e.is_regular_file()) total += e.file_size();
    benchmark::DoNotOptimize(total);
  }
}

void BM_CompileLyrics(benchmark::State& state) {
  static fs::path mirror = [] {
    fs::path m = benchRoot() / "mirror";
    for (int a = 1; a <= 30; ++a) {
      char album[32];
      std::snprintf(album, sizeof album, "%02d - Album", a);
      fs::create_directories(m / album);
      for (int s = 1; s <= 30; ++s) {
        char song[32];
        std::snprintf(song, sizeof song, "%02d - Song.dat", s);
        std::ofstream out(m / album / song, std::ios::binary);
        for (int l = 0; l < 40; ++l) out << "A line of lyrics number " << l << "\r\n";
      }
    }
    return m;
  }();
  for (auto _ : state) store::compileLyrics(mirror, benchRoot() / "ldat.qd");
}

// Collects each benchmark's time per iteration for the ratios.
class RatioReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    ConsoleReporter::ReportRuns(runs);
    for (const auto& r : runs)
      if (r.run_type == Run::RT_Iteration) {
        seconds[r.benchmark_name()] = r.real_accumulated_time / static_cast<double>(r.iterations);
        cpuSeconds[r.benchmark_name()] = r.cpu_accumulated_time / static_cast<double>(r.iterations);
      }
  }
  std::map<std::string, double> seconds, cpuSeconds;
};

}  // namespace

BENCHMARK(BM_PackAndUnpack)->Unit(benchmark::kMillisecond)->MinTime(1.0);
BENCHMARK(BM_CopyFileThereAndBack)->Unit(benchmark::kMillisecond)->MinTime(1.0);
BENCHMARK(BM_SizeOf)->Unit(benchmark::kMillisecond)->MinTime(1.0);
BENCHMARK(BM_DirectoryIteratorSum)->Unit(benchmark::kMillisecond)->MinTime(1.0);
BENCHMARK(BM_CompileLyrics)->Unit(benchmark::kMillisecond)->MinTime(1.0);

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  auto& s = reporter.seconds;
  auto ratio = [&](const char* a, const char* b) { return s.count(a) && s.count(b) ? s[a] / s[b] : 0.0; };
  auto& c = reporter.cpuSeconds;
  const char* pack = "BM_PackAndUnpack/min_time:1.000";
  const char* copy = "BM_CopyFileThereAndBack/min_time:1.000";
  // Both flush the same bytes to the disk, so the wall-clock time, what the
  // user waits for, is the one compared.
  std::printf("\npack + unpack / copy there and back:       %.2fx wall (goal <= 1.2x), %.2fx CPU\n",
              ratio(pack, copy), c.count(pack) && c.count(copy) ? c[pack] / c[copy] : 0.0);
  std::printf("SizeOf / recursive_directory_iterator:     %.2fx (goal <= 2x)\n",
              ratio("BM_SizeOf/min_time:1.000", "BM_DirectoryIteratorSum/min_time:1.000"));
  if (s.count("BM_CompileLyrics/min_time:1.000"))
    std::printf("compileLyrics of 900 files:               %.3f s (goal < 0.2 s)\n",
                s["BM_CompileLyrics/min_time:1.000"]);
  benchmark::Shutdown();
  std::error_code ec;
  fs::remove_all(benchRoot(), ec);
  return 0;
}
