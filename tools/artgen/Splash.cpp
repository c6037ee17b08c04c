#include "Splash.h"

#include <QFont>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>
#include <vector>

namespace Tessaron::Art {

namespace {

constexpr float kInf = std::numeric_limits<float>::infinity();
constexpr float kPi = 3.14159265358979f;

struct V3 {
  float x = 0, y = 0, z = 0;
};
V3 operator+(V3 a, V3 b) { return {a.x + b.x, a.y + b.y, a.z + b.z}; }
V3 operator-(V3 a, V3 b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }
V3 operator*(V3 a, float s) { return {a.x * s, a.y * s, a.z * s}; }
V3 operator*(V3 a, V3 b) { return {a.x * b.x, a.y * b.y, a.z * b.z}; }
float dot(V3 a, V3 b) { return a.x * b.x + a.y * b.y + a.z * b.z; }
V3 cross(V3 a, V3 b) { return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x}; }
V3 normalize(V3 a) { return a * (1.0f / std::sqrt(dot(a, a))); }
V3 mix(V3 a, V3 b, float t) { return a * (1 - t) + b * t; }
V3 reflect(V3 d, V3 n) { return d - n * (2 * dot(d, n)); }
float clamp01(float v) { return std::clamp(v, 0.0f, 1.0f); }
float smoothstep(float e0, float e1, float x) {
  const float t = clamp01((x - e0) / (e1 - e0));
  return t * t * (3 - 2 * t);
}
// Colours are given as display values and lit in linear light.
V3 rgb(float r, float g, float b) { return {std::pow(r, 2.2f), std::pow(g, 2.2f), std::pow(b, 2.2f)}; }

// Signed distance (world units, negative inside) to a flat outline, sampled
// on a fine grid from an exact Euclidean distance transform of its mask.
class Sdf2 {
 public:
  Sdf2(const QPainterPath& outline, float pixelsPerUnit, float margin) : s_(pixelsPerUnit) {
    const QRectF b = outline.boundingRect().adjusted(-margin, -margin, margin, margin);
    x0_ = float(b.left());
    yTop_ = float(b.bottom());  // the outline's y axis points up
    w_ = int(std::ceil(b.width() * s_));
    h_ = int(std::ceil(b.height() * s_));
    QImage mask(w_, h_, QImage::Format_Grayscale8);
    mask.fill(0);
    {
      QPainter p(&mask);
      p.setRenderHint(QPainter::Antialiasing, true);
      p.setPen(Qt::NoPen);
      p.setBrush(Qt::white);
      p.scale(s_, -s_);
      p.translate(-x0_, -yTop_);
      p.drawPath(outline);
    }
    std::vector<double> inside(size_t(w_) * h_), outside(size_t(w_) * h_);
    for (int y = 0; y < h_; ++y) {
      const uchar* line = mask.constScanLine(y);
      for (int x = 0; x < w_; ++x) {
        const bool in = line[x] >= 128;
        inside[size_t(y) * w_ + x] = in ? 0 : kFar;
        outside[size_t(y) * w_ + x] = in ? kFar : 0;
      }
    }
    transform(inside);
    transform(outside);
    d_.resize(size_t(w_) * h_);
    for (size_t i = 0; i < d_.size(); ++i) {
      const double toInside = std::sqrt(inside[i]), toOutside = std::sqrt(outside[i]);
      d_[i] = float((toInside > 0 ? toInside - 0.5 : -(toOutside - 0.5)) / s_);
    }
  }

  float operator()(float x, float y) const {
    float fx = (x - x0_) * s_ - 0.5f, fy = (yTop_ - y) * s_ - 0.5f;
    const float cx = std::clamp(fx, 0.0f, float(w_ - 1) - 0.001f);
    const float cy = std::clamp(fy, 0.0f, float(h_ - 1) - 0.001f);
    const float outside = std::hypot(fx - cx, fy - cy) / s_;
    const int ix = int(cx), iy = int(cy);
    const float tx = cx - ix, ty = cy - iy;
    const float* r0 = &d_[size_t(iy) * w_ + ix];
    const float* r1 = r0 + w_;
    const float top = r0[0] + (r0[1] - r0[0]) * tx;
    const float bottom = r1[0] + (r1[1] - r1[0]) * tx;
    return top + (bottom - top) * ty + outside;
  }

 private:
  static constexpr double kFar = 1e20;

  // Felzenszwalb and Huttenlocher's squared distance transform, rows then columns.
  void transform(std::vector<double>& g) const {
    const int n = std::max(w_, h_);
    std::vector<double> f(n), d(n), z(n + 1);
    std::vector<int> v(n);
    auto pass = [&](int count) {
      int k = 0;
      v[0] = 0;
      z[0] = -kFar;
      z[1] = kFar;
      for (int q = 1; q < count; ++q) {
        double s = ((f[q] + double(q) * q) - (f[v[k]] + double(v[k]) * v[k])) / (2.0 * q - 2.0 * v[k]);
        while (s <= z[k]) {
          --k;
          s = ((f[q] + double(q) * q) - (f[v[k]] + double(v[k]) * v[k])) / (2.0 * q - 2.0 * v[k]);
        }
        ++k;
        v[k] = q;
        z[k] = s;
        z[k + 1] = kFar;
      }
      k = 0;
      for (int q = 0; q < count; ++q) {
        while (z[k + 1] < q) ++k;
        d[q] = double(q - v[k]) * (q - v[k]) + f[v[k]];
      }
    };
    for (int y = 0; y < h_; ++y) {
      for (int x = 0; x < w_; ++x) f[x] = g[size_t(y) * w_ + x];
      pass(w_);
      for (int x = 0; x < w_; ++x) g[size_t(y) * w_ + x] = d[x];
    }
    for (int x = 0; x < w_; ++x) {
      for (int y = 0; y < h_; ++y) f[y] = g[size_t(y) * w_ + x];
      pass(h_);
      for (int y = 0; y < h_; ++y) g[size_t(y) * w_ + x] = d[y];
    }
  }

  float s_;
  float x0_ = 0, yTop_ = 0;
  int w_ = 0, h_ = 0;
  std::vector<float> d_;
};

// ---- Scene ----------------------------------------------------------------

constexpr float kCapHeight = 1.55f;  // height of the capital T
constexpr float kDepth = 0.42f;      // extrusion depth
constexpr float kBevel = 0.055f;     // radius of the rounded edges
constexpr float kLift = 0.32f;       // gap between floor and baseline
constexpr float kYaw = -0.20f;       // turn of the lettering (radians)
const V3 kHorizon = rgb(0.09f, 0.14f, 0.38f);

struct Ray {
  V3 o, d;
};

class Scene {
 public:
  Scene() : outline_(lettering()), sdf_(outline_, 420.0f, 0.25f) {
    const QRectF b = outline_.boundingRect();
    lo_ = {float(b.left()) - 0.05f, float(b.top()) - 0.05f, -0.05f};
    hi_ = {float(b.right()) + 0.05f, float(b.bottom()) + 0.05f, kDepth + 0.05f};
    origin_ = {0.15f, kLift, 0.0f};
    key_ = normalize({-0.55f, 0.75f, -0.65f});
    fill_ = normalize({0.9f, 0.25f, -0.35f});
    rim_ = normalize({0.2f, 0.6f, 0.9f});
  }

  V3 toLocal(V3 p) const { return rotate(p - origin_, -kYaw); }
  V3 dirToLocal(V3 d) const { return rotate(d, -kYaw); }
  V3 dirToWorld(V3 d) const { return rotate(d, kYaw); }

  // Distance to the rounded extrusion, in local coordinates.
  float distance(V3 p) const {
    const float wx = sdf_(p.x, p.y) + kBevel;
    const float wz = std::fabs(p.z - kDepth * 0.5f) - (kDepth * 0.5f - kBevel);
    const float ox = std::max(wx, 0.0f), oz = std::max(wz, 0.0f);
    return std::min(std::max(wx, wz), 0.0f) + std::sqrt(ox * ox + oz * oz) - kBevel;
  }

  V3 normalLocal(V3 p) const {
    const float e = 0.004f;
    return normalize({distance({p.x + e, p.y, p.z}) - distance({p.x - e, p.y, p.z}),
                      distance({p.x, p.y + e, p.z}) - distance({p.x, p.y - e, p.z}),
                      distance({p.x, p.y, p.z + e}) - distance({p.x, p.y, p.z - e})});
  }

  // Nearest hit of the lettering along a world ray; kInf when missed.
  float trace(const Ray& r) const {
    const V3 o = toLocal(r.o), d = dirToLocal(r.d);
    float t0, t1;
    if (!box(o, d, t0, t1)) return kInf;
    float t = std::max(t0, 0.0f);
    for (int i = 0; i < 400 && t < t1; ++i) {
      const float h = distance(o + d * t);
      if (h < 0.0004f) return t;
      t += h * 0.9f;
    }
    return kInf;
  }

  // Soft shadow factor (1 = fully lit) from a point towards a light direction.
  float shadow(V3 p, V3 l) const {
    const V3 o = toLocal(p), d = dirToLocal(l);
    float t0, t1;
    if (!box(o, d, t0, t1)) return 1.0f;
    float t = std::max(t0, 0.02f), result = 1.0f;
    for (int i = 0; i < 120 && t < t1; ++i) {
      const float h = distance(o + d * t);
      if (h < 0.0005f) return 0.0f;
      result = std::min(result, 6.0f * h / t);
      t += std::clamp(h, 0.01f, 0.2f);
    }
    return clamp01(result);
  }

  V3 sky(V3 d) const {
    const float e = d.y;
    V3 c = mix(kHorizon, rgb(0.008f, 0.014f, 0.07f), std::pow(clamp01(e / 0.5f), 0.5f));
    // A soft haze behind the lettering keeps the gold readable on the dark sky.
    const V3 toText = normalize(V3{0.3f, 1.0f, 6.0f} - eye_);
    const float a = std::acos(std::clamp(dot(d, toText), -1.0f, 1.0f));
    c = c + rgb(0.14f, 0.22f, 0.52f) * (0.5f * std::exp(-a * a / 0.06f));
    c = c + rgb(0.45f, 0.62f, 1.0f) * (0.45f * std::exp(-(e * e) / 0.00002f));  // horizon line
    return c + stars(d);
  }

  // Faint stars, scattered by a hash over small cells of the sky.
  static V3 stars(V3 d) {
    if (d.y < 0.02f) return {};
    const float u = std::atan2(d.x, d.z), v = std::asin(std::clamp(d.y, -1.0f, 1.0f));
    const float cell = 0.014f;
    const int cu = int(std::floor(u / cell)), cv = int(std::floor(v / cell));
    std::uint32_t h = std::uint32_t(cu) * 73856093u ^ std::uint32_t(cv) * 19349663u;
    auto next = [&h] {
      h ^= h << 13;
      h ^= h >> 17;
      h ^= h << 5;
      return float(h & 0xFFFFFF) / float(0x1000000);
    };
    next();
    if (next() > 0.10f) return {};
    const float su = (cu + 0.15f + 0.7f * next()) * cell, sv = (cv + 0.15f + 0.7f * next()) * cell;
    const float brightness = 0.15f + 0.85f * std::pow(next(), 3.0f);
    const float r2 = ((u - su) * (u - su) + (v - sv) * (v - sv)) / (0.0011f * 0.0011f);
    const float fade = smoothstep(0.02f, 0.25f, d.y);
    return rgb(0.85f, 0.9f, 1.0f) * (brightness * fade * std::exp(-r2));
  }

  // What the metal mirrors: a bright sky above the horizon, the dark floor below.
  V3 environment(V3 d) const {
    if (d.y >= 0) {
      const V3 c = mix(rgb(0.80f, 0.86f, 1.0f), rgb(0.20f, 0.28f, 0.60f), std::pow(clamp01(d.y / 0.6f), 0.7f));
      return c + V3{1.6f, 1.6f, 1.6f} * std::exp(-(d.y * d.y) / 0.0015f);
    }
    return mix(rgb(0.25f, 0.22f, 0.30f), rgb(0.04f, 0.05f, 0.12f), clamp01(-d.y / 0.25f));
  }

  V3 shadeLettering(V3 p, V3 d) const {
    const V3 pl = toLocal(p);
    const V3 nl = normalLocal(pl);
    const V3 n = dirToWorld(nl);
    const V3 v = d * -1.0f;
    const float front = smoothstep(0.86f, 0.985f, -nl.z);

    const V3 gold = rgb(1.0f, 0.72f, 0.26f);
    const V3 tint = rgb(1.0f, 0.80f, 0.42f);
    const float kd = std::max(dot(n, key_), 0.0f), fd = std::max(dot(n, fill_), 0.0f);
    const float rd = std::max(dot(n, rim_), 0.0f);
    const float sh = 0.35f + 0.65f * shadow(p + n * 0.003f, key_);

    // Polished front: a banded gold gradient, as a curved metal face would mirror the horizon.
    const float h = clamp01(pl.y / kCapHeight);
    V3 face;
    if (h > 0.52f)
      face = mix(rgb(0.96f, 0.66f, 0.20f), rgb(1.0f, 0.96f, 0.72f), smoothstep(0.52f, 1.0f, h));
    else if (h > 0.44f)
      face = mix(rgb(0.42f, 0.20f, 0.05f), rgb(0.96f, 0.66f, 0.20f), smoothstep(0.44f, 0.52f, h));
    else
      face = mix(rgb(0.95f, 0.78f, 0.38f), rgb(0.50f, 0.25f, 0.06f), smoothstep(0.0f, 0.44f, h));
    face = face * (0.72f + 0.38f * kd * sh);

    // Sides and bevels: lit metal mirroring the environment.
    const V3 r = reflect(d, n);
    V3 side = gold * (0.10f + 0.55f * kd * sh + 0.25f * fd) + environment(r) * tint * 0.55f;
    side = side + rgb(0.45f, 0.55f, 0.95f) * (0.35f * rd);

    V3 c = mix(side, face, front);
    const V3 hk = normalize(key_ + v), hf = normalize(fill_ + v);
    c = c + V3{1.0f, 0.92f, 0.75f} * (1.6f * std::pow(std::max(dot(n, hk), 0.0f), 90.0f) * sh);
    c = c + V3{0.7f, 0.8f, 1.0f} * (0.6f * std::pow(std::max(dot(n, hf), 0.0f), 60.0f));
    return c;
  }

  V3 shadeFloor(V3 p, const Ray& ray, float t, float pixelAngle) const {
    V3 c = rgb(0.010f, 0.018f, 0.065f);
    // A pool of light on the floor around the lettering.
    const float dx = p.x - 0.2f, dz = p.z - 1.0f;
    c = c + rgb(0.06f, 0.10f, 0.32f) * std::exp(-(dx * dx / 40.0f + dz * dz / 14.0f));

    // Grid lines, box-filtered over the pixel's footprint and faded before they alias.
    const float across = t * pixelAngle, along = across / std::max(std::fabs(ray.d.y), 0.02f);
    const float half = 0.016f, cell = 1.0f;
    auto coverage = [&](float coord, float footprint) {
      const float dist = std::fabs(coord - cell * std::round(coord / cell));
      const float lo = std::max(dist - footprint * 0.5f, -half), hi = std::min(dist + footprint * 0.5f, half);
      const float sharp = std::max(hi - lo, 0.0f) / footprint;
      const float fade = clamp01(1.0f - (footprint - 0.12f * cell) / (0.25f * cell));
      return sharp * fade + (2 * half / cell) * (1 - fade);
    };
    const float gx = coverage(p.x, across), gz = coverage(p.z, along);
    const float grid = std::min(gx + gz, 1.0f);
    const float nearGlow = std::exp(-(dx * dx / 120.0f + dz * dz / 60.0f));
    c = c + rgb(0.30f, 0.55f, 1.0f) * (grid * (0.15f + 0.65f * nearGlow));

    // Shadow and contact darkening under the lettering.
    const float ao = clamp01(distance(toLocal(p)) / 0.9f);
    c = c * ((0.45f + 0.55f * std::sqrt(ao)) * (0.5f + 0.5f * shadow(p, key_)));

    // Mirror: the lettering, fading with its height above the floor, and the sky at grazing angles.
    const Ray mirrored{p + V3{0, 0.0005f, 0}, {ray.d.x, -ray.d.y, ray.d.z}};
    const float fresnel = 0.03f + 0.30f * std::pow(1.0f - std::fabs(ray.d.y), 5.0f);
    const float hit = trace(mirrored);
    if (hit < kInf) {
      const V3 q = mirrored.o + mirrored.d * hit;
      const float fade = 0.50f * std::exp(-(q.y - kLift) * 1.5f);
      c = mix(c, shadeLettering(q, mirrored.d), fade);
    } else {
      c = c + sky(mirrored.d) * fresnel;
    }
    // Haze towards the horizon.
    return mix(c, kHorizon, 1.0f - std::exp(-t * 0.03f));
  }

  V3 shade(const Ray& ray, float pixelAngle) const {
    const float tt = trace(ray);
    const float tf = ray.d.y < 0 ? -ray.o.y / ray.d.y : kInf;
    if (tt < tf) return shadeLettering(ray.o + ray.d * tt, ray.d);
    if (tf < kInf) return shadeFloor(ray.o + ray.d * tf, ray, tf, pixelAngle);
    return sky(ray.d);
  }

  // A point of the lettering's front face, in local outline coordinates, in the world.
  V3 frontPoint(float x, float y) const { return rotate({x, y, 0.0f}, kYaw) + origin_; }
  QRectF bounds() const { return outline_.boundingRect(); }

  V3 eye_{-0.9f, 2.15f, -13.0f};

 private:
  static V3 rotate(V3 v, float a) {
    const float c = std::cos(a), s = std::sin(a);
    return {v.x * c + v.z * s, v.y, -v.x * s + v.z * c};
  }

  // The outline of the product name in world units: baseline y = 0, centred on x = 0.
  static QPainterPath lettering() {
    QFont font(QStringLiteral("URW Gothic"));
    font.setPixelSize(400);
    font.setWeight(QFont::DemiBold);
    font.setLetterSpacing(QFont::PercentageSpacing, 104);
    QPainterPath text;
    text.addText(0, 0, font, QStringLiteral("Tessaron"));
    text = text.simplified();  // at glyph size, so that curves stay smooth
    text.setFillRule(Qt::WindingFill);
    QPainterPath capital;
    capital.addText(0, 0, font, QStringLiteral("T"));
    const QRectF cap = capital.boundingRect();
    const double s = kCapHeight / cap.height();
    QTransform m;
    m.scale(s, -s);
    QPainterPath scaled = m.map(text);
    const QRectF b = scaled.boundingRect();
    return QTransform::fromTranslate(-b.center().x(), 0).map(scaled);
  }

  bool box(V3 o, V3 d, float& t0, float& t1) const {
    t0 = -kInf;
    t1 = kInf;
    const float os[3] = {o.x, o.y, o.z}, ds[3] = {d.x, d.y, d.z};
    const float lo[3] = {lo_.x, lo_.y, lo_.z}, hi[3] = {hi_.x, hi_.y, hi_.z};
    for (int a = 0; a < 3; ++a) {
      if (std::fabs(ds[a]) < 1e-9f) {
        if (os[a] < lo[a] || os[a] > hi[a]) return false;
        continue;
      }
      float a0 = (lo[a] - os[a]) / ds[a], a1 = (hi[a] - os[a]) / ds[a];
      if (a0 > a1) std::swap(a0, a1);
      t0 = std::max(t0, a0);
      t1 = std::min(t1, a1);
    }
    return t1 >= std::max(t0, 0.0f);
  }

  QPainterPath outline_;
  Sdf2 sdf_;
  V3 lo_, hi_, origin_;
  V3 key_, fill_, rim_;
};

// A four-pointed glint with a soft core, added in linear light.
void addGlint(std::vector<V3>& light, int width, int height, float cx, float cy, float size) {
  const int r = int(size * 1.2f);
  for (int y = std::max(0, int(cy) - r); y < std::min(height, int(cy) + r); ++y)
    for (int x = std::max(0, int(cx) - r); x < std::min(width, int(cx) + r); ++x) {
      const float dx = (x + 0.5f - cx) / size, dy = (y + 0.5f - cy) / size;
      const float ax = std::fabs(dx), ay = std::fabs(dy);
      float g = std::exp(-ay * ay * 900.0f) * std::pow(clamp01(1 - ax), 3.0f) +
                std::exp(-ax * ax * 900.0f) * std::pow(clamp01(1 - ay), 3.0f);
      const float u = (dx + dy) * 0.7071f, v = (dx - dy) * 0.7071f;
      g += 0.35f * (std::exp(-v * v * 1600.0f) * std::pow(clamp01(1 - 2.2f * std::fabs(u)), 3.0f) +
                    std::exp(-u * u * 1600.0f) * std::pow(clamp01(1 - 2.2f * std::fabs(v)), 3.0f));
      g += 1.5f * std::exp(-(dx * dx + dy * dy) * 120.0f);
      light[size_t(y) * width + x] = light[size_t(y) * width + x] + V3{1.0f, 0.95f, 0.8f} * (1.4f * g);
    }
}

}  // namespace

QImage renderSplash(int width, int height) {
  const Scene scene;
  constexpr int kSamples = 3;  // per axis
  const V3 target{-0.15f, 0.80f, 1.5f};
  const V3 forward = normalize(target - scene.eye_);
  const V3 right = normalize(cross({0, 1, 0}, forward));
  const V3 up = cross(forward, right);
  const float fovY = 34.0f * kPi / 180.0f;
  const float halfH = std::tan(fovY * 0.5f), halfW = halfH * float(width) / float(height);
  const float pixelAngle = 2.0f * halfH / float(height * kSamples);

  std::vector<V3> light(size_t(width) * height);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) {
      V3 sum;
      for (int sy = 0; sy < kSamples; ++sy)
        for (int sx = 0; sx < kSamples; ++sx) {
          const float u = ((x + (sx + 0.5f) / kSamples) / width * 2 - 1) * halfW;
          const float v = (1 - (y + (sy + 0.5f) / kSamples) / height * 2) * halfH;
          const Ray ray{scene.eye_, normalize(forward + right * u + up * v)};
          sum = sum + scene.shade(ray, pixelAngle);
        }
      light[size_t(y) * width + x] = sum * (1.0f / (kSamples * kSamples));
    }

  // A glint on the top corner of the capital.
  auto project = [&](V3 p, float& sx, float& sy) {
    const V3 d = p - scene.eye_;
    const float z = dot(d, forward);
    sx = (dot(d, right) / z / halfW + 1) * 0.5f * width;
    sy = (1 - dot(d, up) / z / halfH) * 0.5f * height;
  };
  const QRectF b = scene.bounds();
  float gx, gy;
  project(scene.frontPoint(float(b.left()) + 0.02f, kCapHeight - 0.02f), gx, gy);
  addGlint(light, width, height, gx, gy, 46.0f);

  QImage out(width, height, QImage::Format_RGB32);
  auto encode = [](float c) {
    c = c / (1.0f + 0.12f * c);  // gentle shoulder for the highlights
    return int(std::round(255.0f * std::pow(clamp01(c * 1.06f), 1.0f / 2.2f)));
  };
  for (int y = 0; y < height; ++y) {
    QRgb* line = reinterpret_cast<QRgb*>(out.scanLine(y));
    for (int x = 0; x < width; ++x) {
      const V3 c = light[size_t(y) * width + x];
      line[x] = qRgb(encode(c.x), encode(c.y), encode(c.z));
    }
  }

  // The line under the reflection.
  QPainter p(&out);
  p.setRenderHint(QPainter::Antialiasing, true);
  p.setRenderHint(QPainter::TextAntialiasing, true);
  QFont font(QStringLiteral("URW Gothic"));
  font.setPixelSize(height / 30);
  font.setLetterSpacing(QFont::PercentageSpacing, 118);
  p.setFont(font);
  const QString tagline = QStringLiteral("KOMPONENTEN FÜR MESSTECHNIK UND SIGNALANALYSE");
  const QRect band(0, int(height * 0.905f), width, height / 20);
  const int tw = p.fontMetrics().horizontalAdvance(tagline);
  p.setPen(QColor(0, 0, 20, 150));
  p.drawText(band.translated(2, 2), Qt::AlignCenter, tagline);
  p.setPen(QColor(196, 210, 240));
  p.drawText(band, Qt::AlignCenter, tagline);
  QLinearGradient rule(0, 0, width, 0);
  rule.setColorAt(0.0, QColor(120, 160, 255, 0));
  rule.setColorAt(0.5, QColor(200, 170, 90, 230));
  rule.setColorAt(1.0, QColor(120, 160, 255, 0));
  p.fillRect(QRectF((width - tw) / 2.0 - 40, band.top() - 6, tw + 80, 1.5), rule);
  return out;
}

}  // namespace Tessaron::Art
