#include "platform/db/SqlKey.h"

#include <cstdint>
#include <cstring>

SqlKey SqlKey::Prefix(int n) const {
    if (null_) return *this;
    if (blob_) return SqlKey(bytes_.first(qMin<qsizetype>(n, bytes_.size())), true);
    const auto* p = reinterpret_cast<const unsigned char*>(bytes_.data());
    // The keys are digits: n bytes of ASCII are n characters. Eight bytes are tested at once.
    const qsizetype ascii = qMin<qsizetype>(n, bytes_.size());
    qsizetype at = 0;
    for (std::uint64_t word; at + 8 <= ascii; at += 8) {
        std::memcpy(&word, p + at, 8);
        if (word & 0x8080808080808080ULL) break;
    }
    while (at < ascii && p[at] < 0x80) ++at;
    if (at == ascii) return SqlKey(bytes_.first(ascii), false);
    // A character is a byte below 0xC0 or a lead byte with the 0x80..0xBF bytes after it.
    at = 0;
    for (int chars = 0; chars < n && at < bytes_.size(); ++chars) {
        if (p[at++] >= 0xC0)
            while (at < bytes_.size() && (p[at] & 0xC0) == 0x80) ++at;
    }
    return SqlKey(bytes_.first(at), false);
}

void SqlKeyCopy::Assign(const SqlKey& key) {
    null_ = key.IsNull();
    blob_ = key.IsBlob();
    // The buffer keeps its room: copying key after key allocates once.
    bytes_.resize(key.Bytes().size());
    if (!key.Bytes().isEmpty()) std::memcpy(bytes_.data(), key.Bytes().data(), key.Bytes().size());
}
