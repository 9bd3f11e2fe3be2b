#include "catalogue/CatalogueFilter.h"

#include "core/Filters.h"

CatalogueFilter::CatalogueFilter(const QString& movieType, const QString& format) {
    if (Narrows(movieType)) {
        where_ += QStringLiteral(" and movietype = ?");
        params_.push_back(movieType);
    }
    if (Narrows(format)) {
        where_ += QStringLiteral(" and type = ?");
        params_.push_back(format);
    }
}
