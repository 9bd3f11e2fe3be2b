#pragma once
#include <QDate>
#include <QDateTime>
#include <QString>
#include <QVariant>
#include <cstdint>
#include <variant>

// A field value as the database holds it: Null, an integer, a double or a text.
// Reading never fails: Null reads as 0 or the empty text (a Null amount counts as 0).
class Value {
  public:
    Value() = default;  // Null
    Value(std::nullptr_t) {}
    Value(int v) : v_(static_cast<std::int64_t>(v)) {}
    Value(std::int64_t v) : v_(v) {}
    Value(long long v) : v_(static_cast<std::int64_t>(v)) {}
    Value(bool v) : v_(static_cast<std::int64_t>(v ? 1 : 0)) {}
    Value(double v) : v_(v) {}
    Value(const QString& v) : v_(v) {}
    Value(const char* v) : v_(QString::fromUtf8(v)) {}
    // Dates are stored as text: "yyyy-mm-dd", date-times as "yyyy-mm-dd hh:mm:ss".
    static Value FromDate(const QDate& d);
    static Value FromDateTime(const QDateTime& dt);
    static Value FromVariant(const QVariant& v);

    bool IsNull() const { return std::holds_alternative<std::monostate>(v_); }
    bool IsInteger() const { return std::holds_alternative<std::int64_t>(v_); }
    bool IsDouble() const { return std::holds_alternative<double>(v_); }
    bool IsText() const { return std::holds_alternative<QString>(v_); }
    bool IsNumber() const { return IsInteger() || IsDouble(); }

    // Null gives 0 / "" / an invalid date. A text reads as the number it starts with.
    std::int64_t ToInt() const;
    double ToDouble() const;
    bool ToBool() const;
    QString ToString() const;  // doubles without exponent or trailing zeros: 12.5, 3
    QDate ToDate() const;      // from "yyyy-mm-dd[ hh:mm:ss]"
    QDateTime ToDateTime() const;
    QVariant ToVariant() const;  // Null gives an invalid QVariant

    bool operator==(const Value& o) const;
    bool operator!=(const Value& o) const { return !(*this == o); }

  private:
    std::variant<std::monostate, std::int64_t, double, QString> v_;
};

inline const Value Null{};
