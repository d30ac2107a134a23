// The automatic name a job's PDF takes in a folder that already holds pdf_01.pdf
// to pdf_<count>.pdf (Google Benchmark), on the real file system:
//   build/native/benchmarks/automatic_name_benchmark
#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "procs/numbered_name.h"

namespace {

namespace fs = std::filesystem;

// A scratch folder of `count` PDFs (empty files), removed at the end.
class FolderOfPdfs {
 public:
  explicit FolderOfPdfs(int count)
      : path_(fs::temp_directory_path() / ("pdfprinter-benchmark-" + std::to_string(count))) {
    fs::remove_all(path_);
    fs::create_directories(path_);
    for (int n = 1; n <= count; ++n) {
      char name[32];
      std::snprintf(name, sizeof name, "pdf_%02d.pdf", n);
      std::FILE* file = std::fopen((path_ / name).c_str(), "wb");
      if (file) std::fclose(file);
    }
  }
  ~FolderOfPdfs() { fs::remove_all(path_); }
  std::string Path() const { return path_.string(); }

 private:
  fs::path path_;
};

// One listing and one move to the name; the PDF is moved back.
void Claimed(benchmark::State& state) {
  FolderOfPdfs folder(static_cast<int>(state.range(0)));
  const std::string pdf = folder.Path() + "/.made.tmp";
  std::fclose(std::fopen(pdf.c_str(), "wb"));
  for (auto _ : state) {
    const std::string name = procs::MoveToFreeName(pdf, folder.Path(), procs::AutomaticName());
    fs::rename(name, pdf);
  }
}
BENCHMARK(Claimed)->Arg(0)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
