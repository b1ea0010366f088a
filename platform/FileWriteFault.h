#pragma once
// For tests only: makes the file writes of ReplacingFile and OutputFile fail the way a full or
// broken disk does, so that every caller's handling of a failed write can be exercised.

#include <cstdint>

namespace platform::test {

// After `bytes` more bytes have been written (counted over all files), every write fails with
// the system error `code` (ENOSPC: the disk is full). A write that crosses the limit writes
// the bytes up to it and then fails, as a short write on a full disk does.
void failFileWritesAfter(std::uint64_t bytes, int code);
// Makes flushing a file to disk (fsync) fail with `code`, as a failing device does.
void failFileFlushes(int code);
// Lets every write and flush through again.
void clearFileFaults();

} // namespace platform::test
