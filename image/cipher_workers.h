#pragma once

#include "image/progress_window.h"
#include "image/cipher_job.h"

namespace tessaly {

// The workers behind the Encrypt and Decrypt dialogs' progress window:
// encryptWorker enciphers the job's source picture (and builds the
// self-extracting file when the job asks for one), decryptWorker deciphers
// it. Each publishes an empty slot before it starts, so the picture it will
// replace is gone, and the new picture at the end; a cancelled run leaves
// the slot empty.
WorkerOutcome encryptWorker(CipherJob& job, WorkerReport& report);
WorkerOutcome decryptWorker(CipherJob& job, WorkerReport& report);

}  // namespace tessaly
