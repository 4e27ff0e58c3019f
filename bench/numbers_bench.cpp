// How fast the division panel and the gematrical calculators are on long
// input, with GMP as the yardstick for the division.
#include "numbers/division.h"
#include "numbers/gematria.h"
#include "numbers/letters.h"
#include "numbers/utf8.h"

#include <benchmark/benchmark.h>
#include <gmp.h>

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <fstream>
#include <malloc.h>
#include <new>
#include <random>
#include <string>

// ---- allocation counting: the peak of live heap bytes during a division ----

namespace {
std::atomic<long long> liveBytes{0};
std::atomic<long long> peakBytes{0};

void allocated(void* p)
{
    const long long now = liveBytes += static_cast<long long>(malloc_usable_size(p));
    long long peak = peakBytes.load();
    while (now > peak && !peakBytes.compare_exchange_weak(peak, now)) {
    }
}
}  // namespace

void* operator new(std::size_t n)
{
    void* p = std::malloc(n ? n : 1);
    if (!p)
        throw std::bad_alloc();
    allocated(p);
    return p;
}
void operator delete(void* p) noexcept
{
    if (!p)
        return;
    liveBytes -= static_cast<long long>(malloc_usable_size(p));
    std::free(p);
}
void operator delete(void* p, std::size_t) noexcept { operator delete(p); }

namespace {

// Peak heap growth over what was live when the measurement started.
class PeakHeap {
public:
    PeakHeap() : base_(liveBytes.load()) { peakBytes = base_; }
    long long growth() const { return peakBytes.load() - base_; }

private:
    long long base_;
};

// Peak resident memory growth, from the kernel's high-water mark (reset
// through clear_refs). -1 where the kernel does not allow the reset.
class PeakResident {
public:
    PeakResident()
    {
        // Memory freed earlier would otherwise be reused without showing.
        ::malloc_trim(0);
        std::ofstream("/proc/self/clear_refs") << "5";
        base_ = field("VmRSS:");
        resetWorked_ = field("VmHWM:") <= base_ + 64;
    }
    long long growth() const { return resetWorked_ ? (field("VmHWM:") - base_) * 1024 : -1; }

private:
    static long long field(const std::string& name)
    {
        std::ifstream status("/proc/self/status");
        std::string key;
        while (status >> key) {
            if (key == name) {
                long long kb = 0;
                status >> kb;
                return kb;
            }
            status.ignore(1 << 16, '\n');
        }
        return 0;
    }
    long long base_ = 0;
    bool resetWorked_ = false;
};

const std::string& randomNumber(size_t digits)
{
    static std::string text;
    if (text.size() != digits) {
        std::mt19937_64 rng(digits);
        std::uniform_int_distribution<int> digit(0, 9);
        text.assign(digits, '0');
        for (char& c : text)
            c = static_cast<char>('0' + digit(rng));
        text[0] = '7';
    }
    return text;
}

// GMP: read the decimal text, divide, write the quotient as decimal text.
std::string gmpQuotient(const std::string& digits, unsigned long divisor, unsigned long& remainder)
{
    mpz_t n, q;
    mpz_init_set_str(n, digits.c_str(), 10);
    mpz_init(q);
    remainder = mpz_fdiv_q_ui(q, n, divisor);
    std::string out(mpz_sizeinbase(q, 10) + 2, '\0');
    mpz_get_str(out.data(), 10, q);
    mpz_clear(n);
    mpz_clear(q);
    return out;
}

void BM_DivideBy19(benchmark::State& state)
{
    const std::string& number = randomNumber(static_cast<size_t>(state.range(0)));
    for (auto _ : state)
        benchmark::DoNotOptimize(numbers::divideByNineteen(number));
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_DivideBy19)->Arg(1'000'000)->Arg(10'000'000)->Unit(benchmark::kMillisecond);

// Memory on top of the number text itself, measured apart from the timing
// (reading the kernel's figures takes time of its own).
void BM_DivideBy19Memory(benchmark::State& state)
{
    const std::string& number = randomNumber(static_cast<size_t>(state.range(0)));
    long long heap = 0, resident = -1;
    for (auto _ : state) {
        PeakResident rss;
        PeakHeap peak;
        numbers::DivisionResult result = numbers::divideByNineteen(number);
        benchmark::DoNotOptimize(result);
        heap = std::max(heap, peak.growth());
        resident = std::max(resident, rss.growth());
    }
    const double digits = static_cast<double>(number.size());
    state.counters["heap_B/digit"] = static_cast<double>(heap) / digits;
    state.counters["rss_B/digit"] = resident < 0 ? -1 : static_cast<double>(resident) / digits;
}
BENCHMARK(BM_DivideBy19Memory)->Arg(10'000'000)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_DivideByOther(benchmark::State& state)
{
    const std::string& number = randomNumber(static_cast<size_t>(state.range(0)));
    const numbers::Divisor divisor = *numbers::parseDivisor("1000003");
    for (auto _ : state)
        benchmark::DoNotOptimize(numbers::divideBy(number, divisor));
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_DivideByOther)->Arg(1'000'000)->Unit(benchmark::kMillisecond);

// GMP and ours on the same number in the same run, with the ratio.
void BM_GmpAgainstOurs(benchmark::State& state)
{
    using Clock = std::chrono::steady_clock;
    const std::string& number = randomNumber(static_cast<size_t>(state.range(0)));
    double gmpSeconds = 0, oursSeconds = 0;
    for (auto _ : state) {
        unsigned long remainder = 0;
        auto t0 = Clock::now();
        std::string q = gmpQuotient(number, 19, remainder);
        auto t1 = Clock::now();
        numbers::DivisionResult ours = numbers::divideByNineteen(number);
        auto t2 = Clock::now();
        benchmark::DoNotOptimize(q);
        benchmark::DoNotOptimize(ours);
        gmpSeconds += std::chrono::duration<double>(t1 - t0).count();
        oursSeconds += std::chrono::duration<double>(t2 - t1).count();
        const bool agree = (remainder == 0) == (ours.res1.rfind("This number IS", 0) == 0);
        if (!agree)
            state.SkipWithError("GMP and the long division disagree");
    }
    const double n = static_cast<double>(state.iterations());
    state.counters["gmp_ms"] = gmpSeconds / n * 1e3;
    state.counters["ours_ms"] = oursSeconds / n * 1e3;
    state.counters["gmp/ours"] = gmpSeconds / oursSeconds;
}
BENCHMARK(BM_GmpAgainstOurs)->Arg(1'000'000)->Arg(10'000'000)->Unit(benchmark::kMillisecond)->Iterations(3);

// An expression of `letters` Arabic letters in words of one to seven
// letters, as UTF-8 the way the expression box hands it over.
const std::string& arabicExpression(size_t letters)
{
    static std::string text;
    if (text.empty()) {
        std::mt19937 rng(1);
        const auto table = numbers::arabicLetters();
        std::uniform_int_distribution<size_t> pick(0, table.size() - 1);
        std::uniform_int_distribution<int> wordLength(1, 7);
        int left = wordLength(rng);
        for (size_t i = 0; i < letters; ++i) {
            numbers::appendUtf8(text, table[pick(rng)].unicode);
            if (--left == 0 && i + 1 < letters) {
                text += ' ';
                left = wordLength(rng);
            }
        }
    }
    return text;
}

void BM_WordWise(benchmark::State& state)
{
    const std::string& expression = arabicExpression(static_cast<size_t>(state.range(0)));
    const numbers::GvOptions options{true, true, false, false, false};
    for (auto _ : state)
        benchmark::DoNotOptimize(numbers::wordWiseValues(numbers::decodeUtf8(expression), options));
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_WordWise)->Arg(100'000)->Unit(benchmark::kMillisecond);

void BM_LetterWise(benchmark::State& state)
{
    const std::string& expression = arabicExpression(static_cast<size_t>(state.range(0)));
    const numbers::GvOptions options{true, true, true, true, false};  // the longest output
    for (auto _ : state)
        benchmark::DoNotOptimize(numbers::letterWiseValues(numbers::decodeUtf8(expression), options));
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_LetterWise)->Arg(100'000)->Unit(benchmark::kMillisecond);

void BM_Details(benchmark::State& state)
{
    const std::string& expression = arabicExpression(static_cast<size_t>(state.range(0)));
    for (auto _ : state)
        benchmark::DoNotOptimize(numbers::detailsText(numbers::gvDetails(numbers::decodeUtf8(expression))));
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_Details)->Arg(100'000)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
