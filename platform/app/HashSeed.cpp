#include "platform/app/HashSeed.h"

#include <QHashFunctions>

void UseFixedHashSeed() {
    QHashSeed::setDeterministicGlobalSeed();
}
