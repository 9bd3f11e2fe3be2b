#include "catalogue/DiscLists.h"

#include "core/frmMain.h"
#include "platform/db/Recordset.h"

namespace {
void RequeryIfSettled(Recordset* rs) {
    if (rs && rs->IsOpen() && !rs->HasPendingChanges()) rs->Requery();
}
}  // namespace

void DiscLists::Requery() {
    if (!frmMain::isLoaded()) return;
    frmMain& main = frmMain::instance();
    RequeryIfSettled(main.adoCDInfo());
    RequeryIfSettled(main.adoDispBorrow());
    RequeryIfSettled(main.adoDispCDInfo());
}
