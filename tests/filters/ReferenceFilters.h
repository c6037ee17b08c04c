#pragma once
// The filters written down as plainly as possible, one sample after the other,
// with the IIR delay table kept literally (six rows of five values, shifted
// after every sample). The components must give bit for bit the same results.

#include <cmath>
#include <numbers>

namespace Reference {

constexpr long double Pi = std::numbers::pi_v<long double>;

struct RC {
    float a = 0, b = 0, s = 0;
    void Design(float fs, float fc)
    {
        b = float(std::exp(-2.0L * Pi * fc / fs));
        a = 1.0f - b;
    }
    void LowPass(float* data, int count)
    {
        for (int i = 0; i < count; ++i) {
            const float x = data[i];
            const float y = a * s;
            s = s - y;
            s = s + x;
            data[i] = y;
        }
    }
    void HighPass(float* data, int count)
    {
        for (int i = 0; i < count; ++i) {
            const float x = data[i];
            const float y = x - a * s;
            s = s - a * s;
            s = s + x;
            data[i] = y;
        }
    }
};

struct StateVariable {
    float F = 0, D = 0, low = 0, band = 0;
    int output = 0; // low, band, high, notch
    void Design(float fs, float fc, float q)
    {
        D = float(1.0L / q);
        F = float(2.0L * std::sin(Pi * fc / fs));
    }
    void Filter(float* data, int count)
    {
        for (int i = 0; i < count; ++i) {
            const float x = data[i];
            float t = F * band;
            low = t + low;
            float high = x - low;
            t = D * band;
            high = high - t;
            t = F * high;
            band = t + band;
            const float outputs[4] = {low, band, high, high + low};
            data[i] = outputs[output];
        }
    }
};

// Rows and indices counted from 1 as in the design; index 0 and row 0 unused.
struct IIR {
    enum Kind { LowPass, BandPass, HighPass };
    Kind kind = LowPass;
    int n = 1;
    float c[6][6] = {};
    float w[7][6] = {};

    static float T(float f, float fs)
    {
        const float arg = float(Pi * f / fs);
        return float(std::sin((long double)arg) / std::cos((long double)arg));
    }

    void Design(float fs, float fc, float fh)
    {
        for (int s = 1; s <= n; ++s) {
            const float k = float(std::cos((2 * (n + s) - 1) * Pi / (4 * n)));
            if (kind == BandPass) {
                const long double W1 = T(fc, fs), W2 = T(fh, fs);
                const float B = float(W2 - W1);
                const float E = float((long double)B * B + 2 * W1 * W2);
                const float F = float(W1 * W1 * W2 * W2);
                const float G = float(-2 * (long double)B * k);
                const float H = float((long double)G * W1 * W2);
                const float D = float(1.0L + G + E + H + F);
                const long double g = G, h = H, e = E, f = F, d = D;
                c[s][1] = float((long double)B * B / d);
                c[s][2] = float((-4 - 2 * g + 2 * h + 4 * f) / d);
                c[s][3] = float((6 - 2 * e + 6 * f) / d);
                c[s][4] = float((2 * g - 4 - 2 * h + 4 * f) / d);
                c[s][5] = float((1 - g + e - h + f) / d);
            } else {
                const long double W = T(fc, fs);
                const long double t = 2 * W * k;
                const float d = float(1 / (W * W + 1 - t));
                c[s][1] = kind == HighPass ? d : float(W * W * d);
                c[s][2] = float(2 * (W * W - 1) * (long double)d);
                c[s][3] = float((W * W + 1 + t) * (long double)d);
            }
        }
    }

    void Filter(float* data, int count)
    {
        const int top = kind == BandPass ? 5 : 3;
        for (int i = 0; i < count; ++i) {
            w[1][top] = data[i];
            for (int s = 1; s <= n; ++s) {
                const float* x = w[s];
                const float* y = w[s + 1];
                float v;
                if (kind != BandPass) {
                    v = kind == LowPass ? x[3] + 2 * x[2] : x[3] - 2 * x[2];
                    v = v + x[1];
                    v = v * c[s][1];
                    v = v - c[s][2] * y[2];
                    v = v - c[s][3] * y[1];
                } else {
                    v = x[5] - 2 * x[3];
                    v = v + x[1];
                    v = v * c[s][1];
                    v = v - c[s][2] * y[4];
                    v = v - c[s][3] * y[3];
                    v = v - c[s][4] * y[2];
                    v = v - c[s][5] * y[1];
                }
                w[s + 1][top] = v;
            }
            for (int r = 1; r <= n + 1; ++r)
                for (int j = 1; j < top; ++j)
                    w[r][j] = w[r][j + 1];
            data[i] = w[n + 1][top];
        }
    }
};

} // namespace Reference
