#pragma once

// Gives every Qt hash of the process the fixed seed 0. Call first in main(), before the
// application object is built, so that no hash is made with another seed.
//
// Why: with a random seed Qt hashes its keys with 256-bit AES instructions where the
// processor has them, and leaves the upper halves of the vector registers marked in use.
// Until something clears them, every plain SSE instruction that follows (SQLite's column
// reads and copies, our own sums) is slowed down: reading a large shop's tables took twice
// as long. With seed 0 Qt hashes without those instructions. The program hashes only its
// own statements, field names and the shop's data, nothing sent by an outsider, so a fixed
// seed gives nothing away.
void UseFixedHashSeed();
