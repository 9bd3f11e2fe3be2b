#pragma once
#include <QString>
#include <optional>

#include "platform/db/Connection.h"

// Disc ids: the format code (2 digits), the movie-type code (2 digits) and a sequence
// number (8 digits). The sequence is one more than the highest in use with the same
// prefix in the catalogue, the rental lines, the return lines and the sale lines (their
// first twelve characters), so a number that still has history is never given again. A
// key that is not twelve digits there (one another program wrote) holds no sequence and
// never holds the numbering back: the id given is above every well-formed one, so it is
// never one already taken.
class DiscIdAllocator {
  public:
    static constexpr int kLastCode = 99;
    static constexpr qint64 kLastSequence = 99999999;

    explicit DiscIdAllocator(Connection& conn) : conn_(conn) {}

    // The next free id for the two codes (0 is "none chosen"). Nothing when the codes do
    // not fit two digits or the prefix has used up its numbers; Refusal() then says why.
    std::optional<QString> Next(int typeCode, int movieTypeCode);
    const QString& Refusal() const { return refusal_; }

    static QString Prefix(int typeCode, int movieTypeCode);

  private:
    qint64 HighestSequence(const QString& prefix);
    qint64 HighestIn(const char* sql, const QString& prefix);

    Connection& conn_;
    QString refusal_;
};
