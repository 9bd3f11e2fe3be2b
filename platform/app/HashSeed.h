#pragma once

// Gives every Qt hash of the process the fixed seed 0. Call first in main(), before the
// application object is built, so that no hash is made with another seed.
//
// Why: Qt 6.4.2 as Debian 12 ships it (libQt6Core6 6.4.2+dfsg), on x86-64 processors with
// AES-NI, AVX2 and the 256-bit AES instructions (VAES), hashes with those instructions when
// the seed is not 0 (keys longer than 32 bytes; with AVX-512 every key) and returns without
// a vzeroupper, leaving the upper halves of the vector registers marked in use. Until
// something clears them, every plain SSE instruction that follows (SQLite's column reads
// and copies, our own sums) is slowed down: reading a large shop's tables took twice as
// long. With seed 0 Qt hashes without those instructions. The program hashes only its own
// statements, field names and the shop's data, nothing sent by an outsider, so a fixed seed
// gives nothing away.
//
// Drop it with a Qt whose hash ends its vector code with vzeroupper (qHashBits in
// libQt6Core, disassembled), once the reports read as fast without the fixed seed.
void UseFixedHashSeed();
