#include "Indexed.h"

#include <QFile>

#include <algorithm>
#include <array>
#include <cstdint>
#include <unordered_map>
#include <vector>

namespace Tessaron::Art {

namespace {

// Channel weights of the colour distance: the eye is most sensitive to green,
// and the pictures are mostly blue, so blue gets more than its luminance share.
constexpr int kWeight[3] = {2, 4, 3};

struct Entry {
  std::array<int, 3> c;  // r, g, b
  int count;
};

struct Box {
  int begin, end;  // range in the entry list
  double error;    // weighted sum of squared deviations from the mean
  int axis;        // channel of largest spread
};

int channel(QRgb p, int axis) {
  return axis == 0 ? qRed(p) : axis == 1 ? qGreen(p) : qBlue(p);
}

Box measure(const std::vector<Entry>& e, int begin, int end) {
  double n = 0, s[3] = {0, 0, 0}, q[3] = {0, 0, 0};
  for (int i = begin; i < end; ++i)
    for (int a = 0; a < 3; ++a) {
      const double v = e[i].c[a];
      s[a] += v * e[i].count;
      q[a] += v * v * e[i].count;
    }
  for (int i = begin; i < end; ++i) n += e[i].count;
  Box b{begin, end, 0.0, 0};
  double best = -1;
  for (int a = 0; a < 3; ++a) {
    const double var = q[a] - s[a] * s[a] / n;
    b.error += var * kWeight[a];
    if (var * kWeight[a] > best) {
      best = var * kWeight[a];
      b.axis = a;
    }
  }
  if (end - begin < 2) b.error = 0;
  return b;
}

long distance(const std::array<int, 3>& a, const std::array<int, 3>& b) {
  long d = 0;
  for (int k = 0; k < 3; ++k) d += long(kWeight[k]) * (a[k] - b[k]) * (a[k] - b[k]);
  return d;
}

std::vector<std::array<int, 3>> medianCut(std::vector<Entry>& e, int colours) {
  std::vector<Box> boxes{measure(e, 0, int(e.size()))};
  while (int(boxes.size()) < colours) {
    auto worst = std::max_element(boxes.begin(), boxes.end(),
                                  [](const Box& x, const Box& y) { return x.error < y.error; });
    if (worst->error <= 0) break;
    const Box b = *worst;
    std::sort(e.begin() + b.begin, e.begin() + b.end,
              [&](const Entry& x, const Entry& y) { return x.c[b.axis] < y.c[b.axis]; });
    // Split where the weighted mean lies: it keeps gradients evenly stepped.
    double n = 0, s = 0;
    for (int i = b.begin; i < b.end; ++i) {
      n += e[i].count;
      s += double(e[i].c[b.axis]) * e[i].count;
    }
    const double mean = s / n;
    int cut = b.begin + 1;
    while (cut < b.end - 1 && e[cut].c[b.axis] <= mean) ++cut;
    *worst = measure(e, b.begin, cut);
    boxes.push_back(measure(e, cut, b.end));
  }
  std::vector<std::array<int, 3>> palette;
  for (const Box& b : boxes) {
    double n = 0, s[3] = {0, 0, 0};
    for (int i = b.begin; i < b.end; ++i) {
      n += e[i].count;
      for (int a = 0; a < 3; ++a) s[a] += double(e[i].c[a]) * e[i].count;
    }
    palette.push_back({int(s[0] / n + 0.5), int(s[1] / n + 0.5), int(s[2] / n + 0.5)});
  }
  return palette;
}

int nearest(const std::vector<std::array<int, 3>>& palette, const std::array<int, 3>& c) {
  int best = 0;
  long bestD = distance(palette[0], c);
  for (int i = 1; i < int(palette.size()); ++i) {
    const long d = distance(palette[i], c);
    if (d < bestD) {
      bestD = d;
      best = i;
    }
  }
  return best;
}

void refine(const std::vector<Entry>& e, std::vector<std::array<int, 3>>& palette, int passes) {
  for (int pass = 0; pass < passes; ++pass) {
    std::vector<std::array<double, 4>> sum(palette.size(), {0, 0, 0, 0});
    for (const Entry& x : e) {
      auto& s = sum[nearest(palette, x.c)];
      for (int a = 0; a < 3; ++a) s[a] += double(x.c[a]) * x.count;
      s[3] += x.count;
    }
    for (size_t i = 0; i < palette.size(); ++i)
      if (sum[i][3] > 0)
        for (int a = 0; a < 3; ++a) palette[i][a] = int(sum[i][a] / sum[i][3] + 0.5);
  }
}

constexpr int kBayer8[8][8] = {
    {0, 32, 8, 40, 2, 34, 10, 42},  {48, 16, 56, 24, 50, 18, 58, 26},
    {12, 44, 4, 36, 14, 46, 6, 38}, {60, 28, 52, 20, 62, 30, 54, 22},
    {3, 35, 11, 43, 1, 33, 9, 41},  {51, 19, 59, 27, 49, 17, 57, 25},
    {15, 47, 7, 39, 13, 45, 5, 37}, {63, 31, 55, 23, 61, 29, 53, 21}};

void put16(QByteArray& b, int v) {
  b.append(char(v & 0xFF));
  b.append(char((v >> 8) & 0xFF));
}

void put32(QByteArray& b, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) b.append(char((v >> (8 * i)) & 0xFF));
}

}  // namespace

QImage toIndexed256(const QImage& picture, float ditherAmplitude) {
  const QImage src = picture.convertToFormat(QImage::Format_RGB32);
  std::unordered_map<QRgb, int> histogram;
  for (int y = 0; y < src.height(); ++y) {
    const QRgb* line = reinterpret_cast<const QRgb*>(src.constScanLine(y));
    for (int x = 0; x < src.width(); ++x) ++histogram[line[x] & 0xFFFFFF];
  }
  std::vector<Entry> entries;
  entries.reserve(histogram.size());
  for (const auto& [rgb, count] : histogram)
    entries.push_back({{qRed(rgb), qGreen(rgb), qBlue(rgb)}, count});
  std::sort(entries.begin(), entries.end(), [](const Entry& a, const Entry& b) {
    return a.c != b.c ? a.c < b.c : a.count < b.count;
  });

  auto palette = medianCut(entries, 256);
  refine(entries, palette, 4);
  // Darkest colour first: a viewer that shows the palette looks orderly.
  std::sort(palette.begin(), palette.end(), [](const auto& a, const auto& b) {
    return a[0] * 3 + a[1] * 6 + a[2] < b[0] * 3 + b[1] * 6 + b[2];
  });

  QImage out(src.size(), QImage::Format_Indexed8);
  QVector<QRgb> table;
  for (const auto& c : palette) table.append(qRgb(c[0], c[1], c[2]));
  while (table.size() < 256) table.append(qRgb(0, 0, 0));
  out.setColorTable(table);

  std::unordered_map<std::uint32_t, int> cache;
  for (int y = 0; y < src.height(); ++y) {
    const QRgb* line = reinterpret_cast<const QRgb*>(src.constScanLine(y));
    uchar* dst = out.scanLine(y);
    for (int x = 0; x < src.width(); ++x) {
      const float offset = ditherAmplitude * ((kBayer8[y & 7][x & 7] + 0.5f) / 64.0f - 0.5f);
      std::array<int, 3> c;
      for (int a = 0; a < 3; ++a)
        c[a] = std::clamp(int(channel(line[x], a) + offset + (offset < 0 ? -0.5f : 0.5f)), 0, 255);
      const std::uint32_t key = std::uint32_t(c[0]) << 16 | std::uint32_t(c[1]) << 8 | std::uint32_t(c[2]);
      auto it = cache.find(key);
      if (it == cache.end()) it = cache.emplace(key, nearest(palette, c)).first;
      dst[x] = uchar(it->second);
    }
  }
  return out;
}

bool writeBmp8(const QImage& indexed, const QString& fileName) {
  if (indexed.format() != QImage::Format_Indexed8) return false;
  const int w = indexed.width(), h = indexed.height();
  const int stride = (w + 3) & ~3;
  const int offBits = 14 + 40 + 256 * 4;
  QByteArray b;
  b.append("BM");
  put32(b, std::uint32_t(offBits + stride * h));
  put32(b, 0);
  put32(b, offBits);
  put32(b, 40);
  put32(b, std::uint32_t(w));
  put32(b, std::uint32_t(h));  // positive: rows bottom up
  put16(b, 1);
  put16(b, 8);
  put32(b, 0);  // BI_RGB
  put32(b, std::uint32_t(stride * h));
  put32(b, 2835);  // 72 dpi
  put32(b, 2835);
  put32(b, 256);
  put32(b, 0);
  const QVector<QRgb> table = indexed.colorTable();
  for (int i = 0; i < 256; ++i) {
    const QRgb c = i < table.size() ? table[i] : qRgb(0, 0, 0);
    b.append(char(qBlue(c)));
    b.append(char(qGreen(c)));
    b.append(char(qRed(c)));
    b.append(char(0));
  }
  for (int y = h - 1; y >= 0; --y) {
    b.append(reinterpret_cast<const char*>(indexed.constScanLine(y)), w);
    b.append(QByteArray(stride - w, '\0'));
  }
  QFile f(fileName);
  if (!f.open(QIODevice::WriteOnly)) return false;
  return f.write(b) == b.size();
}

}  // namespace Tessaron::Art
