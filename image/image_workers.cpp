#include "image/image_workers.h"

#include "image/image_cipher.h"

namespace tessaly {

namespace {

void publish(EncryptJob& job, WorkerReport& report, BitmapHandle image)
{
    if (job.publish) report.onWindowThread([&] { job.publish(std::move(image)); });
}

WorkerOutcome runImageJob(EncryptJob& job, WorkerReport& report, bool encrypt)
{
    publish(job, report, BitmapHandle());

    ImageCipherReport cipherReport;
    cipherReport.status = [&](const char* key) { report.setStatus(key); };
    cipherReport.progress = &report.progress();
    cipherReport.cancelled = &report.cancelFlag();
    BitmapHandle result(encrypt ? encryptImage(job.source, job, cipherReport)
                                : decryptImage(job.source, job, cipherReport));
    if (result && report.cancelled()) result.reset();
    if (!result) return cipherReport.outOfMemory ? WorkerOutcome::OutOfMemory : WorkerOutcome::Cancelled;
    publish(job, report, std::move(result));
    return WorkerOutcome::Finished;
}

}  // namespace

WorkerOutcome runEncryptJob(EncryptJob& job, WorkerReport& report)
{
    return runImageJob(job, report, true);
}

WorkerOutcome decryptWorker(EncryptJob& job, WorkerReport& report)
{
    return runImageJob(job, report, false);
}

}  // namespace tessaly
