#include "image/cipher_workers.h"

#include "formats/guarded_picture.h"
#include "image/image_cipher.h"
#include "settings/language.h"

namespace tessaly {

namespace {

void publish(CipherJob& job, WorkerReport& report, BitmapHandle image)
{
    if (job.publish) report.onWindowThread([&] { job.publish(std::move(image)); });
}

WorkerOutcome buildFile(CipherJob& job, HBITMAP encrypted, WorkerReport& report)
{
    report.setStatus("building_sfx");
    SelfExtractorContent content;
    GuardedPicture guarded;
    if (job.guarded) {
        const GuardResult result = guardPicture(job.source, job.password, guarded);
        if (result == GuardResult::OutOfMemory) return WorkerOutcome::OutOfMemory;
        if (result != GuardResult::Done) {
            job.built = result == GuardResult::Unavailable ? SelfExtractorResult::NoSystemCrypto
                                                           : SelfExtractorResult::Failed;
            return WorkerOutcome::Finished;
        }
        if (report.cancelled()) return WorkerOutcome::Cancelled;
        encrypted = guarded.sealed.get();
        content.guardedHeader = guarded.header;
        content.wrongPassword = translate("sfx_wrong_password");
    }
    content.exePath = job.exePath;
    content.prompt = translate("sfx_insert_password");
    content.ok = translate("sfx_ok");
    content.cancel = translate("sfx_cancel");
    content.wait = translate("sfx_wait");
    content.spotlightRadius = job.spotlightRadius;
    content.spotlightOn = job.spotlightOn;
    job.built = buildSelfExtractor(encrypted, content, &report.cancelFlag());
    return job.built == SelfExtractorResult::Cancelled ? WorkerOutcome::Cancelled : WorkerOutcome::Finished;
}

WorkerOutcome runImageJob(CipherJob& job, WorkerReport& report, bool encrypt)
{
    publish(job, report, BitmapHandle());
    // A guarded file leaves no picture under the cipher beside it: one
    // saved from the page could be guessed at the cipher's speed, and the
    // same password opens the guarded file.
    if (encrypt && job.createExe && job.guarded) return buildFile(job, nullptr, report);

    ImageCipherReport cipherReport;
    cipherReport.status = [&](const char* key) { report.setStatus(key); };
    cipherReport.progress = &report.progress();
    cipherReport.cancelled = &report.cancelFlag();
    BitmapHandle result(encrypt ? encryptImage(job.source, job, cipherReport)
                                : decryptImage(job.source, job, cipherReport));
    if (result && report.cancelled()) result.reset();
    if (!result) return cipherReport.outOfMemory ? WorkerOutcome::OutOfMemory : WorkerOutcome::Cancelled;
    // The slot keeps the picture alive while the progress window runs.
    const HBITMAP published = result.get();
    publish(job, report, std::move(result));
    if (encrypt && job.createExe) return buildFile(job, published, report);
    return WorkerOutcome::Finished;
}

}  // namespace

WorkerOutcome encryptWorker(CipherJob& job, WorkerReport& report)
{
    return runImageJob(job, report, true);
}

WorkerOutcome decryptWorker(CipherJob& job, WorkerReport& report)
{
    return runImageJob(job, report, false);
}

}  // namespace tessaly
