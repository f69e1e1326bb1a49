// Correlation of two 1024 x 1024 images by the library against the same linear correlation
// through FFTW (when present); the autocorrelation of one beside the correlation of the image
// with itself; and the 2048 x 2048 forward transform alone.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <random>

#include "core/imagens.h"
#include "proc/fft.h"
#include "proc/xcorr.h"

#ifdef MORVIA_FFTW
#include <fftw3.h>
#endif

namespace {

constexpr int LADO = 1024;

IMGFLT aleatoria(int nl, int nc, unsigned semente) {
  std::mt19937 g(semente);
  std::uniform_real_distribution<float> u(0, 1);
  IMGFLT img(nl, nc);
  for (int i = 0; i < img.n(); i++) img.data[i] = u(g);
  return img;
}

void BM_xcorr(benchmark::State& state) {
  const IMGFLT a = aleatoria(LADO, LADO, 1), b = aleatoria(LADO, LADO, 2);
  for (auto _ : state) benchmark::DoNotOptimize(xcorr(a, b).data);
}
BENCHMARK(BM_xcorr)->Unit(benchmark::kMillisecond);

void BM_autocorr(benchmark::State& state) {
  const IMGFLT a = aleatoria(LADO, LADO, 1);
  for (auto _ : state) benchmark::DoNotOptimize(autocorr(a).data);
}
BENCHMARK(BM_autocorr)->Unit(benchmark::kMillisecond);

void BM_xcorr_mesma(benchmark::State& state) {
  const IMGFLT a = aleatoria(LADO, LADO, 1);
  for (auto _ : state) benchmark::DoNotOptimize(xcorr(a, a).data);
}
BENCHMARK(BM_xcorr_mesma)->Unit(benchmark::kMillisecond);

// The phase-3 shape: a 1088 x 1088 scan against a 512 x 512 model, one quarter turn read
// from transforms made once.
void BM_xcorrgiros(benchmark::State& state) {
  const XCORRGIROS giros(aleatoria(1088, 1088, 1), aleatoria(512, 512, 2));
  for (auto _ : state) benchmark::DoNotOptimize(giros(static_cast<int>(state.range(0))).data);
}
BENCHMARK(BM_xcorrgiros)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

void BM_fft2direta_2048(benchmark::State& state) {
  const IMGCPX img(aleatoria(2 * LADO, 2 * LADO, 3));
  for (auto _ : state) benchmark::DoNotOptimize(fft2direta(img, 0, 0).data);
}
BENCHMARK(BM_fft2direta_2048)->Unit(benchmark::kMillisecond);

#ifdef MORVIA_FFTW
// The same correlation with double-precision real transforms: pad, two forward transforms,
// product with the conjugate, one inverse, scale and reorder into the linear result.
class XCORRFFTW {
 public:
  XCORRFFTW(int nla, int nca, int nlb, int ncb)
      : nla_(nla),
        nca_(nca),
        nlb_(nlb),
        ncb_(ncb),
        NL_(potencia(nla + nlb - 1)),
        NC_(potencia(nca + ncb - 1)),
        nh_(NC_ / 2 + 1) {
    ra_ = fftw_alloc_real(static_cast<size_t>(NL_) * NC_);
    rb_ = fftw_alloc_real(static_cast<size_t>(NL_) * NC_);
    fa_ = fftw_alloc_complex(static_cast<size_t>(NL_) * nh_);
    fb_ = fftw_alloc_complex(static_cast<size_t>(NL_) * nh_);
    pa_ = fftw_plan_dft_r2c_2d(NL_, NC_, ra_, fa_, FFTW_MEASURE);
    pb_ = fftw_plan_dft_r2c_2d(NL_, NC_, rb_, fb_, FFTW_MEASURE);
    pi_ = fftw_plan_dft_c2r_2d(NL_, NC_, fa_, ra_, FFTW_MEASURE);
  }
  ~XCORRFFTW() {
    fftw_destroy_plan(pa_);
    fftw_destroy_plan(pb_);
    fftw_destroy_plan(pi_);
    fftw_free(ra_);
    fftw_free(rb_);
    fftw_free(fa_);
    fftw_free(fb_);
  }

  IMGFLT operator()(const IMGFLT& a, const IMGFLT& b) {
    carrega(a, ra_);
    carrega(b, rb_);
    fftw_execute(pa_);
    fftw_execute(pb_);
    for (size_t i = 0; i < static_cast<size_t>(NL_) * nh_; i++) {
      const double xr = fa_[i][0], xi = fa_[i][1], yr = fb_[i][0], yi = -fb_[i][1];
      fa_[i][0] = xr * yr - xi * yi;
      fa_[i][1] = xr * yi + xi * yr;
    }
    fftw_execute(pi_);
    IMGFLT r(nla_ + nlb_ - 1, nca_ + ncb_ - 1);
    const double escala = 1.0 / (static_cast<double>(NL_) * NC_);
    for (int i = 0; i < r.nl(); i++) {
      const double* o = ra_ + static_cast<size_t>((i + NL_ - nlb_ + 1) % NL_) * NC_;
      for (int j = 0; j < r.nc(); j++)
        r.lin[i][j] = static_cast<FLT>(o[(j + NC_ - ncb_ + 1) % NC_] * escala);
    }
    return r;
  }

 private:
  int nla_, nca_, nlb_, ncb_, NL_, NC_, nh_;
  double *ra_, *rb_;
  fftw_complex *fa_, *fb_;
  fftw_plan pa_, pb_, pi_;

  static int potencia(int n) {
    int p = 1;
    while (p < n) p <<= 1;
    return p;
  }
  void carrega(const IMGFLT& img, double* dest) const {
    std::fill_n(dest, static_cast<size_t>(NL_) * NC_, 0.0);
    for (int l = 0; l < img.nl(); l++)
      std::copy_n(img.lin[l], img.nc(), dest + static_cast<size_t>(l) * NC_);
  }
};

void BM_xcorr_fftw(benchmark::State& state) {
  const IMGFLT a = aleatoria(LADO, LADO, 1), b = aleatoria(LADO, LADO, 2);
  XCORRFFTW correlacao(LADO, LADO, LADO, LADO);
  // Both must give the same correlation; the largest difference is reported beside the time.
  const IMGFLT nosso = xcorr(a, b), deles = correlacao(a, b);
  double dif = 0, maior = 0;
  for (int i = 0; i < nosso.n(); i++) {
    dif = std::max(dif, std::fabs(double(nosso.data[i]) - deles.data[i]));
    maior = std::max(maior, std::fabs(double(deles.data[i])));
  }
  state.counters["difrel"] = dif / maior;
  for (auto _ : state) benchmark::DoNotOptimize(correlacao(a, b).data);
}
BENCHMARK(BM_xcorr_fftw)->Unit(benchmark::kMillisecond);
#endif

}  // namespace
