#pragma once

#include "image/encrypt_job.h"
#include "image/progress_window.h"

namespace tessaly {

// Workers run behind the progress window, each given its EncryptJob:
// runEncryptJob enciphers the job's source picture, decryptWorker deciphers
// it. Each publishes an empty slot before it starts, so the picture it will
// replace is gone, and the new picture at the end; a cancelled run leaves
// the slot empty.
WorkerOutcome runEncryptJob(EncryptJob& job, WorkerReport& report);
WorkerOutcome decryptWorker(EncryptJob& job, WorkerReport& report);

}  // namespace tessaly
