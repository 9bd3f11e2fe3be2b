#pragma once
#include <QString>

#include "platform/db/Connection.h"

// The titles the catalogue and the stock list show: every title still in the shop
// (issell<2), narrowed by movie type and by format unless a filter is "全部" or empty.
class CatalogueFilter {
  public:
    static constexpr const char* kTitles = "select * from cdinfo where issell<2";

    CatalogueFilter(const QString& movieType, const QString& format);

    // What follows kTitles (" and movietype = ? and type = ?", or less), with its values.
    const QString& Where() const { return where_; }
    const Params& Parameters() const { return params_; }

  private:
    QString where_;
    Params params_;
};
