#pragma once
#include <QPointer>
#include <functional>

#include "platform/ui/Form.h"

class Recordset;

// What a loop that yields to the event loop (DoEvents) asks after each yield before it
// goes on: while it yielded, its window may have closed or been unloaded, the program may
// be ending, or the recordset it walks may have been replaced or changed its rows. Then the
// loop must stop, touching nothing it held.
//     const YieldingLoopGuard guard(this, rs, [this] { return Catalogue(); });
//     ... DoEvents(); if (!guard.MayGoOn()) return;
class YieldingLoopGuard {
  public:
    // owner: the window running the loop (none: nullptr). source: the recordset the loop
    // walks (none: nullptr); currentSource, when given, tells which recordset the loop must
    // still be walking (its owner may open another one).
    YieldingLoopGuard(const Form* owner, const Recordset* source,
                      std::function<const Recordset*()> currentSource = {});

    bool MayGoOn() const;

  private:
    QPointer<const Form> owner_;
    bool hasOwner_;
    const Recordset* source_;
    int rowCount_;
    std::function<const Recordset*()> currentSource_;
};
