// A small timing program, built natively and for Windows (run under Wine):
// the cipher engines on 64 MiB with 32-byte blocks, as MB/s and as a ratio to
// memcpy of the same buffer in the same run.
#include <cstdio>
#include <cstring>
#include <utility>

#include "bench/cipher_buffers.h"
#include "bench/timing.h"
#include "cipher/rijndael_cipher.h"

using tessaly::RijndaelCipher;
using tessaly::bench::bestOf;

constexpr int kRepeats = 5;

int main()
{
    auto buffer = tessaly::bench::benchmarkBuffer();
    std::vector<uint8_t> copy(buffer.size());
    const double megabytes = buffer.size() / 1e6;

    const double memcpyTime = bestOf(
                                  [&] {
                                      std::memcpy(copy.data(), buffer.data(), buffer.size());
                                      std::memcpy(buffer.data(), copy.data(), buffer.size());
                                  },
                                  kRepeats) /
                              2;
    std::printf("%-40s %9.1f MB/s\n", "memcpy", megabytes / memcpyTime);

    RijndaelCipher cipher;
    cipher.setKey(tessaly::bench::benchmarkPassword(), 32);
    const std::pair<RijndaelCipher::Engine, const char*> engines[] = {
        {RijndaelCipher::Engine::Tables, "tables"},
        {RijndaelCipher::Engine::AesInstructions, "AES instructions"},
        {RijndaelCipher::Engine::WideAesInstructions, "wide AES instructions"},
    };
    for (auto [engine, name] : engines) {
        if (!cipher.engineAvailable(engine)) {
            std::printf("%-40s not available on this processor\n", name);
            continue;
        }
        cipher.useEngine(engine);
        for (bool encrypt : {true, false}) {
            const double time = bestOf(
                [&] {
                    encrypt ? cipher.encryptBuffer(buffer.data(), buffer.size())
                            : cipher.decryptBuffer(buffer.data(), buffer.size());
                },
                kRepeats);
            char label[64];
            std::snprintf(label, sizeof label, "%s %s", encrypt ? "encryptBuffer" : "decryptBuffer", name);
            std::printf("%-40s %9.1f MB/s   %6.2f x memcpy time\n", label, megabytes / time, time / memcpyTime);
        }
    }
    return 0;
}
