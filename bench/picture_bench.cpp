// Decoding speed of large JPEG files and the scaler's reduction to a cell
// picture. The files are made by bench/compare_djpeg.sh into a temporary
// directory named by KX_PICTURE_BENCH_DIR (b420.jpg, b444.jpg, bprog.jpg,
// grey.jpg).
//
//   picture_bench --compare OURS.bmp REFERENCE.ppm|.pgm   prints max difference and PSNR
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

#include "pictures/bmp_file.h"
#include "pictures/dib_scale.h"
#include "pictures/jpeg_decoder.h"

namespace {

std::string BenchFile(const std::string& name) {
  const char* dir = std::getenv("KX_PICTURE_BENCH_DIR");
  return std::string(dir ? dir : ".") + "/" + name;
}

void DecodeJpeg(benchmark::State& state, const char* name) {
  std::string path = BenchFile(name);
  kx::Dib dib;
  for (auto _ : state) {
    int result = kx::DecodeJpegFile(path, &dib);
    if (result != 0) {
      state.SkipWithError(("decode failed: " + path + " error " + std::to_string(result)).c_str());
      return;
    }
    benchmark::DoNotOptimize(dib.pixels.data());
  }
  double pixels = double(dib.header.width) * dib.header.height;
  state.counters["MP/s"] = benchmark::Counter(pixels / 1e6, benchmark::Counter::kIsIterationInvariantRate);
}
BENCHMARK_CAPTURE(DecodeJpeg, baseline_420_q90, "b420.jpg")->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK_CAPTURE(DecodeJpeg, baseline_444_q90, "b444.jpg")->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK_CAPTURE(DecodeJpeg, progressive_420_q90, "bprog.jpg")->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK_CAPTURE(DecodeJpeg, grey_q90, "grey.jpg")->Unit(benchmark::kMillisecond)->UseRealTime();

void ScaleToCell(benchmark::State& state) {
  kx::Dib source;
  source.header = kx::MakeHeader24(4000, 3000);
  source.pixels.resize(source.header.sizeImage);
  for (size_t i = 0; i < source.pixels.size(); ++i) source.pixels[i] = static_cast<uint8_t>(i * 7 + i / 4001);
  kx::Dib cell;
  cell.header = kx::MakeHeader24(64, 64);
  cell.pixels.assign(cell.header.sizeImage, 0);
  for (auto _ : state) {
    int result = kx::ScaleDib(cell, 0, 0, 64, 64, 0, 0, 4000, 3000, source);
    if (result != 3000) state.SkipWithError("scaling failed");
    benchmark::DoNotOptimize(cell.pixels.data());
  }
}
BENCHMARK(ScaleToCell)->Unit(benchmark::kMillisecond);

// Reference PPM (P6) or PGM (P5, grey), 8 bits, against our BMP: the
// largest difference of any channel and the PSNR over all channels.
int Compare(const char* oursPath, const char* referencePath) {
  kx::Dib ours;
  if (int r = kx::ReadBmpFile(oursPath, &ours); r != 0) {
    std::fprintf(stderr, "cannot read %s: %d\n", oursPath, r);
    return 1;
  }
  std::ifstream in(referencePath, std::ios::binary);
  std::string magic;
  int width = 0, height = 0, maxValue = 0;
  in >> magic >> width >> height >> maxValue;
  in.get();
  std::vector<uint8_t> reference((std::istreambuf_iterator<char>(in)), {});
  int channels = magic == "P5" ? 1 : 3;
  if ((magic != "P6" && magic != "P5") || width != ours.header.width || height != ours.header.height ||
      reference.size() < size_t(width) * height * channels) {
    std::fprintf(stderr, "reference %s does not match\n", referencePath);
    return 1;
  }
  size_t stride = kx::BitmapStride(width, 24);
  int worst = 0;
  double squares = 0;
  for (int y = 0; y < height; ++y) {
    const uint8_t* row = ours.pixels.data() + size_t(height - 1 - y) * stride;
    for (int x = 0; x < width; ++x) {
      for (int c = 0; c < 3; ++c) {
        int expected = reference[(size_t(y) * width + x) * channels + (channels == 3 ? c : 0)];
        int d = std::abs(int(row[x * 3 + 2 - c]) - expected);
        worst = std::max(worst, d);
        squares += d * d;
      }
    }
  }
  double mse = squares / (double(width) * height * 3);
  std::printf("max %d psnr %.2f\n", worst, mse > 0 ? 10 * std::log10(255.0 * 255.0 / mse) : 99.0);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 4 && std::strcmp(argv[1], "--compare") == 0) return Compare(argv[2], argv[3]);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
