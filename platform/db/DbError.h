#pragma once
#include <QString>
#include <stdexcept>

// A failure of the database: the provider's description (SQLite's message, or ours
// in Chinese for the recordset's own checks). Shown to the operator as it stands.
class DbError : public std::runtime_error {
  public:
    explicit DbError(const QString& description, int code = 0)
        : std::runtime_error(description.toStdString()), description_(description), code_(code) {}
    const QString& Description() const { return description_; }
    int Code() const { return code_; }  // SQLite's extended result code, 0 for our own checks

  private:
    QString description_;
    int code_;
};
