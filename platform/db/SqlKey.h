#pragma once
#include <QByteArray>
#include <QByteArrayView>
#include <cstring>

// A text or blob key read from a row, ordered and compared as SQLite orders such values
// under the BINARY collation: every text before every blob, then byte by byte, a value
// before the longer values it begins. Joining two key-ordered lists side by side in this
// order meets the same pairs as the database's "=" does. A Null key equals nothing.
class SqlKey {
  public:
    SqlKey() = default;
    SqlKey(QByteArrayView bytes, bool blob) : bytes_(bytes), blob_(blob), null_(false) {}

    bool IsNull() const { return null_; }
    QByteArrayView Bytes() const { return bytes_; }
    bool IsBlob() const { return blob_; }

    // What substr(key, 1, n) gives: the first n characters of a text (UTF-8, counted as
    // the database counts them), the first n bytes of a blob.
    SqlKey Prefix(int n) const;

    // <0, 0 or >0; a Null key sorts first. Inline: the reports compare keys by the
    // hundred thousand.
    static int Compare(const SqlKey& a, const SqlKey& b) {
        if (a.null_ || b.null_) return int(b.null_) - int(a.null_);
        if (a.blob_ != b.blob_) return a.blob_ ? 1 : -1;
        const qsizetype common = qMin(a.bytes_.size(), b.bytes_.size());
        const int bytes = common == 0 ? 0 : std::memcmp(a.bytes_.data(), b.bytes_.data(), common);
        if (bytes != 0) return bytes;
        return a.bytes_.size() < b.bytes_.size() ? -1 : (a.bytes_.size() > b.bytes_.size() ? 1 : 0);
    }
    friend bool operator==(const SqlKey& a, const SqlKey& b) {
        return !a.null_ && !b.null_ && Compare(a, b) == 0;
    }
    friend bool operator<(const SqlKey& a, const SqlKey& b) { return Compare(a, b) < 0; }

  private:
    QByteArrayView bytes_;
    bool blob_ = false;
    bool null_ = true;
};

// A key kept beyond the row it was read from (a row's key bytes last until its next step).
class SqlKeyCopy {
  public:
    void Assign(const SqlKey& key);
    SqlKey Key() const { return null_ ? SqlKey() : SqlKey(bytes_, blob_); }

  private:
    QByteArray bytes_;
    bool blob_ = false;
    bool null_ = true;
};
