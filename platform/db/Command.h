#pragma once
#include <QString>

#include "platform/db/Connection.h"

// A text command on a connection: the statement and its bound values.
class Command {
  public:
    Command(Connection& conn, const QString& commandText) : conn_(conn), text_(commandText) {}
    Command& Bind(const Value& v) {
        params_.push_back(v);
        return *this;
    }
    int Execute() { return conn_.Execute(text_, params_); }
    const QString& CommandText() const { return text_; }

  private:
    Connection& conn_;
    QString text_;
    Params params_;
};
