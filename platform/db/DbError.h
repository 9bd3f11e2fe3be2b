#pragma once
#include <QString>
#include <stdexcept>

#include "platform/app/FailureKind.h"

// A failure of the database, described in Chinese for the operator: for a failure of the
// engine, the sentence of its kind, or a Chinese lead and the engine's number; for the
// recordset's own checks, their own texts. Shown to the operator as it stands.
class DbError : public std::runtime_error {
  public:
    explicit DbError(const QString& description, int code = 0,
                     FailureKind kind = FailureKind::Other, const QString& engineText = QString())
        : std::runtime_error(description.toStdString()),
          description_(description),
          engineText_(engineText),
          code_(code),
          kind_(kind) {}
    const QString& Description() const { return description_; }
    int Code() const { return code_; }  // SQLite's extended result code, 0 for our own checks
    FailureKind Kind() const { return kind_; }
    // The engine's own words, in English: for developers reading a failed test, never for
    // the operator.
    const QString& EngineText() const { return engineText_; }

  private:
    QString description_;
    QString engineText_;
    int code_;
    FailureKind kind_;
};
