// Google Benchmark: encryptBuffer and decryptBuffer on 64 MiB with 32-byte
// blocks and an eight-word key, per engine, beside memcpy of the same buffer.
#include <benchmark/benchmark.h>

#include <cstring>

#include "bench/cipher_buffers.h"
#include "cipher/rijndael_cipher.h"

namespace {

using tessaly::RijndaelCipher;

void memcpyReference(benchmark::State& state)
{
    auto source = tessaly::bench::benchmarkBuffer();
    std::vector<uint8_t> target(source.size());
    for (auto _ : state) {
        std::memcpy(target.data(), source.data(), source.size());
        benchmark::DoNotOptimize(target.data());
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * source.size()));
}

void cipherRun(benchmark::State& state, RijndaelCipher::Engine engine, bool encrypt)
{
    auto buffer = tessaly::bench::benchmarkBuffer();
    RijndaelCipher cipher;
    cipher.setKey(tessaly::bench::benchmarkPassword(), 32);
    if (!cipher.engineAvailable(engine)) {
        state.SkipWithError("engine not available on this processor");
        return;
    }
    cipher.useEngine(engine);
    for (auto _ : state) {
        encrypt ? cipher.encryptBuffer(buffer.data(), buffer.size())
                : cipher.decryptBuffer(buffer.data(), buffer.size());
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * buffer.size()));
}

}  // namespace

BENCHMARK(memcpyReference)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(cipherRun, encrypt_tables, RijndaelCipher::Engine::Tables, true)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(cipherRun, decrypt_tables, RijndaelCipher::Engine::Tables, false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(cipherRun, encrypt_aes_instructions, RijndaelCipher::Engine::AesInstructions, true)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(cipherRun, decrypt_aes_instructions, RijndaelCipher::Engine::AesInstructions, false)
    ->Unit(benchmark::kMillisecond);

BENCHMARK_CAPTURE(cipherRun, encrypt_wide_aes_instructions, RijndaelCipher::Engine::WideAesInstructions, true)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(cipherRun, decrypt_wide_aes_instructions, RijndaelCipher::Engine::WideAesInstructions, false)
    ->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
