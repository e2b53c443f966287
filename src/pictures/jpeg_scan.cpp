#include <cstring>

#include "pictures/jpeg_idct.h"
#include "pictures/jpeg_state.h"

namespace kx::jpeg {

namespace {

// Predictions wrap at 16 bits, so that no run of differences overflows.
inline int Predict(int& prediction, int difference) {
  prediction = static_cast<int16_t>(prediction + difference);
  return prediction;
}

class ScanDecoder {
 public:
  explicit ScanDecoder(DecoderState& d) : d_(d), reader_(d.input) {}

  int Run();

 private:
  int Restart();
  int FinishScan();
  template <typename BlockFn>
  int ForEachBlock(JpegErrorNumber error, BlockFn&& block);

  // Sequential: decodes, transforms and stores one block. False on damage.
  bool SequentialBlock(int c, const ScanComponent& sc, int bx, int by);
  // The block's coefficients, dequantized, into coefficients_, on a local
  // bit window; returns how many AC terms were written (their places in
  // `written`), or -1 on damage.
  int SequentialCoefficients(BitWindow& br, int c, const ScanComponent& sc, uint8_t* written);
  bool DcFirst(int16_t* block, const ScanComponent& sc, int c);
  bool DcRefine(int16_t* block);
  bool AcFirst(int16_t* block, const HuffmanTable& table);
  bool AcRefine(int16_t* block, const HuffmanTable& table);

  DecoderState& d_;
  JpegBitReader reader_;
  int eobRun_ = 0;
  const InverseDctFunction inverseDct_ = FastestInverseDct();
  int32_t quant_[4][64];  // zigzag order, widened
  alignas(16) int32_t coefficients_[64] = {};
  uint8_t samples_[64];
};

int ScanDecoder::Restart() {
  if (reader_.RealBits() >= 8) return kJpegRestartMarkerMissing;
  reader_.Reset();
  JpegInput& in = d_.input;
  int first = in.Byte();
  int second = in.Byte();
  while (first == 0xFF && second == 0xFF) second = in.Byte();
  if (first != 0xFF || second < 0xD0 || second > 0xD7) return kJpegRestartMarkerMissing;
  for (auto& c : d_.components) c.dcPrediction = 0;
  eobRun_ = 0;
  return 0;
}

int ScanDecoder::FinishScan() {
  if (reader_.RealBits() >= 8) return kJpegUnusedScanBytes;
  if (d_.input.ReadFailed()) return kJpegScanReadError;
  reader_.Reset();
  return 0;
}

// Walks the scan's MCUs in order with the restart intervals; `block` is
// called with (scan component, frame component, block x, block y).
template <typename BlockFn>
int ScanDecoder::ForEachBlock(JpegErrorNumber error, BlockFn&& block) {
  const ScanHeader& s = d_.scan;
  int restartsLeft = d_.restartInterval;
  auto beforeMcu = [&]() -> int {
    if (d_.restartInterval == 0) return 0;
    if (restartsLeft == 0) {
      int r = Restart();
      if (r != 0) return r;
      restartsLeft = d_.restartInterval;
    }
    --restartsLeft;
    return 0;
  };
  bool convertRows = !d_.progressive && s.count == d_.componentCount && (s.count == 1 || s.count == 3);
  if (s.count == 1) {
    const ScanComponent& sc = s.components[0];
    const FrameComponent& fc = d_.components[sc.frameIndex];
    if (convertRows) StartBand(d_);
    for (int by = 0; by < fc.blocksHigh; ++by) {
      d_.input.Ensure(1024);
      for (int bx = 0; bx < fc.blocksWide; ++bx) {
        if (int r = beforeMcu()) return r;
        if (!block(sc, sc.frameIndex, bx, by) || reader_.Overran()) return error;
      }
      if (convertRows) ConvertBand(d_, by);
    }
    if (convertRows) d_.rowsConverted = true;
    d_.bandMode = false;
    return 0;
  }
  if (convertRows) StartBand(d_);
  for (int my = 0; my < d_.mcusHigh; ++my) {
    for (int mx = 0; mx < d_.mcusWide; ++mx) {
      if (int r = beforeMcu()) return r;
      for (int i = 0; i < s.count; ++i) {
        const ScanComponent& sc = s.components[i];
        const FrameComponent& fc = d_.components[sc.frameIndex];
        for (int v = 0; v < fc.v; ++v) {
          for (int h = 0; h < fc.h; ++h) {
            if (!block(sc, sc.frameIndex, mx * fc.h + h, my * fc.v + v)) return error;
          }
        }
      }
      if (reader_.Overran()) return error;
    }
    // Colour conversion while the samples are still in the cache.
    if (convertRows) ConvertBand(d_, my);
  }
  if (convertRows) d_.rowsConverted = true;
  d_.bandMode = false;
  return 0;
}

int ScanDecoder::SequentialCoefficients(BitWindow& br, int c, const ScanComponent& sc, uint8_t* written) {
  const HuffmanTable& dc = d_.dcTables[sc.dcTable];
  const HuffmanTable& ac = d_.acTables[sc.acTable];
  const int32_t* q = quant_[d_.components[c].quantTable];
  int32_t* block = coefficients_;

  reader_.EnsureBits(br, 32);
  int s = DecodeSymbol(br, dc);
  if (s < 0 || s > 15) return -1;
  block[0] = Predict(d_.components[c].dcPrediction, br.Receive(s)) * q[0];
  int writtenCount = 0;
  for (int k = 1; k < 64;) {
    reader_.EnsureBits(br, 32);
    int32_t fast = ac.fastAc[br.Peek(HuffmanTable::kLookBits)];
    if (fast != 0) {
      k += (fast >> 4) & 15;
      br.Skip(fast & 15);
      if (k > 63) return -1;
      block[written[writtenCount++] = kZigzagToNatural[k]] = (fast >> 8) * q[k];
      ++k;
      continue;
    }
    int rs = DecodeSymbol(br, ac);
    if (rs < 0) return -1;
    int run = rs >> 4, size = rs & 15;
    if (size == 0) {
      if (run != 15) break;
      k += 16;
      continue;
    }
    k += run;
    if (k > 63) return -1;
    block[written[writtenCount++] = kZigzagToNatural[k]] = br.Receive(size) * q[k];
    ++k;
  }
  return writtenCount;
}

bool ScanDecoder::SequentialBlock(int c, const ScanComponent& sc, int bx, int by) {
  // Where AC terms went, so that only those are cleared afterwards.
  uint8_t written[63];
  BitWindow bits = reader_.Window();
  const int writtenCount = SequentialCoefficients(bits, c, sc, written);
  reader_.SetWindow(bits);
  if (writtenCount < 0) return false;
  int32_t* block = coefficients_;
  if (d_.IsGreyStream()) {
    int16_t* stored = GreyBandMaker::Coefficients(d_.band[c], bx);
    std::memset(stored, 0, 64 * sizeof(int16_t));
    stored[0] = static_cast<int16_t>(block[0]);
    for (int i = 0; i < writtenCount; ++i) {
      stored[written[i]] = static_cast<int16_t>(block[written[i]]);
      block[written[i]] = 0;
    }
    d_.greyBands->DcOnlyFlags(d_.band[c])[bx] = writtenCount == 0;
    return true;
  }
  uint8_t* to = samples_;
  int stride = 8;
  if (d_.bandMode) {
    to = BandBlock(d_, c, bx, by % d_.components[c].v);
    stride = static_cast<int>(d_.bandStride[c]);
  }
  if (writtenCount != 0) {
    inverseDct_(block, to, stride);
    for (int i = 0; i < writtenCount; ++i) block[written[i]] = 0;
  } else {
    PutFlatBlock(block[0], to, stride);
  }
  if (!d_.bandMode) PutBlock(d_, c, bx, by, samples_);
  return true;
}

bool ScanDecoder::DcFirst(int16_t* block, const ScanComponent& sc, int c) {
  reader_.EnsureBits(32);
  int s = DecodeSymbol(reader_, d_.dcTables[sc.dcTable]);
  if (s < 0 || s > 15) return false;
  block[0] = static_cast<int16_t>(Predict(d_.components[c].dcPrediction, reader_.Receive(s)) * (1 << d_.scan.al));
  return true;
}

bool ScanDecoder::DcRefine(int16_t* block) {
  reader_.EnsureBits(1);
  if (reader_.Bits(1)) block[0] = static_cast<int16_t>(block[0] | (1 << d_.scan.al));
  return true;
}

bool ScanDecoder::AcFirst(int16_t* block, const HuffmanTable& table) {
  if (eobRun_ > 0) {
    --eobRun_;
    return true;
  }
  const ScanHeader& s = d_.scan;
  for (int k = s.ss; k <= s.se; ++k) {
    reader_.EnsureBits(32);
    int rs = DecodeSymbol(reader_, table);
    if (rs < 0) return false;
    int run = rs >> 4, size = rs & 15;
    if (size == 0) {
      if (run == 15) {
        k += 15;
        continue;
      }
      eobRun_ = (1 << run) - 1;
      if (run != 0) eobRun_ += static_cast<int>(reader_.Bits(run));
      break;
    }
    k += run;
    if (k > 63) return false;
    block[kZigzagToNatural[k]] = static_cast<int16_t>(reader_.Receive(size) * (1 << s.al));
  }
  return true;
}

// T.81 G.1.2.3: correction bits for coefficients already known, new
// coefficients of magnitude 1, and end-of-band runs.
bool ScanDecoder::AcRefine(int16_t* block, const HuffmanTable& table) {
  const ScanHeader& s = d_.scan;
  const int plus = 1 << s.al, minus = -plus;
  auto refine = [&](int16_t& coefficient) {
    reader_.EnsureBits(1);
    if (reader_.Bits(1) && (coefficient & plus) == 0) {
      coefficient = static_cast<int16_t>(coefficient + (coefficient >= 0 ? plus : minus));
    }
  };
  int k = s.ss;
  if (eobRun_ == 0) {
    for (; k <= s.se; ++k) {
      reader_.EnsureBits(32);
      int rs = DecodeSymbol(reader_, table);
      if (rs < 0) return false;
      int run = rs >> 4, size = rs & 15, value = 0;
      if (size != 0) {
        if (size != 1) return false;
        value = reader_.Bits(1) ? plus : minus;
      } else if (run != 15) {
        eobRun_ = 1 << run;
        if (run != 0) eobRun_ += static_cast<int>(reader_.Bits(run));
        break;
      }
      for (; k <= s.se; ++k) {
        int16_t& coefficient = block[kZigzagToNatural[k]];
        if (coefficient != 0) {
          refine(coefficient);
        } else if (--run < 0) {
          break;
        }
      }
      if (value != 0) {
        if (k > s.se) return false;
        block[kZigzagToNatural[k]] = static_cast<int16_t>(value);
      }
    }
  }
  if (eobRun_ > 0) {
    for (; k <= s.se; ++k) {
      int16_t& coefficient = block[kZigzagToNatural[k]];
      if (coefficient != 0) refine(coefficient);
    }
    --eobRun_;
  }
  return true;
}

int ScanDecoder::Run() {
  const ScanHeader& s = d_.scan;
  for (int i = 0; i < s.count; ++i) {
    if (s.components[i].dcTable > 3) return kJpegBadDcTableNumber;
    if (s.components[i].acTable > 3) return kJpegBadAcTableNumber;
  }
  // Grey bands going to a file are dequantized on the writing thread.
  for (int t = 0; t < 4; ++t) {
    for (int k = 0; k < 64; ++k) quant_[t][k] = d_.IsGreyStream() ? 1 : d_.quant[t][k];
  }
  bool dcScan = !d_.progressive || s.ss == 0;
  bool needsDc = !d_.progressive || (s.ss == 0 && s.ah == 0);
  bool needsAc = !d_.progressive || s.ss != 0;
  if (d_.progressive && !(s.ss == 0 && s.se == 0)) {
    if (s.ss == 0) return kJpegSpectralStartZero;
    if (s.ss > 63) return kJpegSpectralStartPastBlock;
    if (s.ss > s.se) return kJpegSpectralStartAfterEnd;
    if (s.se > 63) return kJpegSpectralEndPastBlock;
    if (s.count != 1) return kJpegAcScanOfSeveralComponents;
  }
  for (int i = 0; i < s.count; ++i) {
    const ScanComponent& sc = s.components[i];
    if (needsDc && d_.dcTables[sc.dcTable].codeCount == 0) return kJpegHuffmanTableWithoutCodes;
    if (needsAc && d_.acTables[sc.acTable].codeCount == 0) return kJpegHuffmanTableWithoutCodes;
  }
  for (auto& c : d_.components) c.dcPrediction = 0;
  eobRun_ = 0;
  reader_.Reset();

  int result;
  if (!d_.progressive) {
    result = ForEachBlock(kJpegBadSequentialBlock, [&](const ScanComponent& sc, int c, int bx, int by) {
      return SequentialBlock(c, sc, bx, by);
    });
    if (s.count == d_.componentCount) d_.allComponentsDone = true;
  } else {
    auto at = [&](int c, int bx, int by) {
      FrameComponent& fc = d_.components[c];
      return fc.coefficients.data() + (static_cast<size_t>(by) * fc.gridWide + bx) * 64;
    };
    if (dcScan && s.ah == 0) {
      result = ForEachBlock(kJpegBadDcBlock, [&](const ScanComponent& sc, int c, int bx, int by) {
        return DcFirst(at(c, bx, by), sc, c);
      });
    } else if (dcScan) {
      result = ForEachBlock(kJpegBadDcBlock, [&](const ScanComponent&, int c, int bx, int by) {
        return DcRefine(at(c, bx, by));
      });
    } else {
      const HuffmanTable& table = d_.acTables[s.components[0].acTable];
      bool first = s.ah == 0;
      result = ForEachBlock(first ? kJpegBadAcFirstBlock : kJpegBadAcRefinementBlock,
                            [&](const ScanComponent&, int c, int bx, int by) {
                              return first ? AcFirst(at(c, bx, by), table) : AcRefine(at(c, bx, by), table);
                            });
    }
  }
  if (result == 0 && d_.input.ReadFailed()) result = kJpegScanReadError;
  if (result != 0) return result;
  return FinishScan();
}

}  // namespace

int DecodeScan(DecoderState& d) {
  ScanDecoder decoder(d);
  return decoder.Run();
}

}  // namespace kx::jpeg
