#include "core/ShopEvents.h"

#include <QPointer>

#include "core/mdlMain.h"

namespace {
// The signal goes out once the connection's outermost transaction has committed; the
// source may be gone by then.
template <typename Signal>
void AfterCommit(Signal signal, QObject* source) {
    gConn.AfterCommit([signal, source = QPointer<QObject>(source)] {
        emit(ShopEvents::Get().*signal)(source.data());
    });
}
}  // namespace

ShopEvents& ShopEvents::Get() {
    static ShopEvents* events = new ShopEvents;
    return *events;
}

void ShopEvents::AnnounceTitlesChanged(QObject* source) {
    AfterCommit(&ShopEvents::TitlesChanged, source);
}

void ShopEvents::AnnounceBasketsChanged(QObject* source) {
    AfterCommit(&ShopEvents::BasketsChanged, source);
}

void ShopEvents::AnnounceRentalsReturned(QObject* source) {
    AfterCommit(&ShopEvents::RentalsReturned, source);
}

void ShopEvents::AnnounceClassificationRead(const QString& table, const QStringList& names) {
    emit Get().ClassificationRead(table, names);
}
