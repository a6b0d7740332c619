// A timing program for the Windows build (run under Wine): the system's
// key derivation and AES-GCM beside the bare Rijndael cipher on the same
// bytes, and saving and opening protected list files.
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "bench/timing.h"
#include "cipher/password_key.h"
#include "cipher/system_crypto.h"
#include "formats/sealed_headers.h"
#include "platform/file_io.h"
#include "formats/list_file.h"
#include "formats/protected_list_file.h"
#include "platform/text_codec.h"

namespace {

using tessaly::bench::bestOf;
using tessaly::bench::secondsOf;

constexpr char kPassword[] = "a bench passphrase";
// The pixel stream of a 2000 x 8000 picture.
constexpr size_t kStreamBytes = 3u * 2000u * 8000u;

double derivation()
{
    uint8_t salt[16] = {1}, key[32];
    return bestOf([&] { tessaly::derivePbkdf2Sha256(kPassword, salt, sizeof salt, tessaly::kSealIterations, key, 32); },
                  2);
}

std::vector<tessaly::PasswordEntry> listOf(int count)
{
    std::vector<tessaly::PasswordEntry> entries;
    for (int i = 0; i < count; ++i) {
        entries.push_back({"user" + std::to_string(i), "password " + std::to_string(i * 7919),
                           "the account of entry " + std::to_string(i)});
    }
    return entries;
}

void measureList(int count, const std::string& path, double derive)
{
    const auto entries = listOf(count);
    const double save = bestOf([&] { (void)tessaly::saveProtectedList(path, entries, kPassword); }, 2);
    // A save or read that failed shows as a wrong list below.
    std::string bytes;
    (void)tessaly::readWholeFile(path, bytes);
    tessaly::ProtectedListFile file;
    file.take(std::move(bytes));
    const tessaly::ProtectedListParts& parts = file.parts;
    tessaly::DecodedList list;
    bool same = false;
    const double open = bestOf(
        [&] {
            same = tessaly::openProtectedList(parts, kPassword, list) == tessaly::ProtectedListResult::Done &&
                   list.entries == entries;
        },
        2);
    std::printf("  %6d entries (%7zu bytes): save %7.1f ms (%4.2f x derivation) | open %7.1f ms (%4.2f x)%s\n", count,
                file.bytes.size(), save * 1e3, save / derive, open * 1e3, open / derive, same ? "" : "  WRONG LIST");
    DeleteFileA(path.c_str());
}

// What the open list costs once its key is kept: Save seals again without a
// derivation, Lock seals the list in memory, Unlock derives the key again
// and opens what Lock kept.
void measureKeptKey(int count, const std::string& folder, double derive)
{
    const auto entries = listOf(count);
    const std::string plainPath = folder + "\\bench-list.slc", sealedPath = folder + "\\bench-list.slp";
    tessaly::SealParameters parameters;
    tessaly::SealKey key;
    if (!tessaly::newListSeal(parameters) || !tessaly::deriveListKey(kPassword, parameters, key)) {
        std::printf("  no system cryptography\n");
        return;
    }
    const double plain = bestOf([&] { (void)tessaly::saveListFile(plainPath, entries, tessaly::systemTextCodec()); });
    const double kept = bestOf([&] { (void)tessaly::saveProtectedList(sealedPath, entries, key, parameters); });
    std::string locked;
    const double lock = bestOf([&] { (void)tessaly::sealListFile(entries, key, parameters, locked); });
    bool same = false;
    const double unlock = bestOf(
        [&] {
            tessaly::ProtectedListFile file;
            file.take(locked);
            tessaly::SealKey again;
            tessaly::DecodedList list;
            same = tessaly::deriveListKey(kPassword, parameters, again) &&
                   tessaly::openProtectedList(file.parts, again, list) == tessaly::ProtectedListResult::Done &&
                   list.entries == entries;
        },
        2);
    std::printf("  %6d entries: plain save %6.1f ms | Save with the kept key %6.1f ms (%4.2f x plain) | Lock %6.1f ms"
                " | Unlock %7.1f ms (%4.2f x derivation)%s\n",
                count, plain * 1e3, kept * 1e3, kept / plain, lock * 1e3, unlock * 1e3, unlock / derive,
                same ? "" : "  WRONG LIST");
    DeleteFileA(plainPath.c_str());
    DeleteFileA(sealedPath.c_str());
}

}  // namespace

int main()
{
    std::vector<uint8_t> stream(kStreamBytes);
    for (size_t i = 0; i < stream.size(); ++i) stream[i] = static_cast<uint8_t>(i * 131 + (i >> 9));
    tessaly::RijndaelCipher cipher;
    if (!tessaly::keyWithPassword(cipher, kPassword)) return 1;
    const double rijndael = bestOf([&] { cipher.encryptBuffer(stream.data(), stream.size()); });

    const uint8_t key[32] = {7}, nonce[12] = {9};
    uint8_t tag[16];
    const tessaly::GcmInput input{key, nonce, "header"};
    const double gcm = bestOf([&] { (void)tessaly::gcmEncrypt(input, stream.data(), stream.size(), tag); });
    const double derive = derivation();

    std::printf("System cryptography beside the bare cipher on the same %zu bytes, best of 3:\n", kStreamBytes);
    std::printf("  bare Rijndael %8.1f ms | AES-256-GCM %8.1f ms (%5.2f x) | PBKDF2-HMAC-SHA256 at %u iterations "
                "%8.1f ms\n",
                rijndael * 1e3, gcm * 1e3, gcm / rijndael, tessaly::kSealIterations, derive * 1e3);

    char folder[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, folder);
    const std::string path = std::string(folder) + "\\bench-list.slp";
    std::printf("Protected list files (target: opening 1,000 entries within 1.5 x the derivation):\n");
    measureList(1000, path, derive);
    measureList(10000, path, derive);
    std::printf("An open protected list (targets: Save under 3 x a plain save, Lock under 100 ms at 10,000 entries,"
                " Unlock within 1.2 x the derivation):\n");
    measureKeptKey(1000, folder, derive);
    measureKeptKey(10000, folder, derive);
    return 0;
}
