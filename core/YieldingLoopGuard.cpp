#include "core/YieldingLoopGuard.h"

#include "core/mdlMain.h"
#include "platform/db/Recordset.h"

YieldingLoopGuard::YieldingLoopGuard(const Form* owner, const Recordset* source,
                                     std::function<const Recordset*()> currentSource)
    : owner_(owner),
      hasOwner_(owner != nullptr),
      source_(source),
      rowCount_(source ? source->RecordCount() : 0),
      currentSource_(std::move(currentSource)) {}

bool YieldingLoopGuard::MayGoOn() const {
    if (gExiting) return false;
    if (hasOwner_ && (!owner_ || owner_->IsUnloaded())) return false;
    if (currentSource_ && currentSource_() != source_) return false;
    return !source_ || source_->RecordCount() == rowCount_;
}
