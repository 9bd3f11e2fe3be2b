#pragma once
#include <QString>
#include <stdexcept>

// A workbook step that could not be done. The message is in Chinese, ready for the
// operator; callers decide whether and how to show it.
class ExcelError : public std::runtime_error {
  public:
    explicit ExcelError(const QString& message)
        : std::runtime_error(message.toStdString()), message_(message) {}
    const QString& Message() const { return message_; }

  private:
    QString message_;
};
