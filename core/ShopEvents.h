#pragma once
#include <QObject>
#include <QStringList>

// Changes that pages must follow, announced once what caused them is in the file: after
// the outermost transaction has committed (at once when none is open), and never when it
// rolls back. This is the one way a page learns of a change made elsewhere, or by itself
// through a dialog: each page decides how to follow, and refills once for one announcement.
// One change is one announcement: a basket written at the counter is announced as a basket
// change alone, though its titles' copies on the shelf changed with it.
class ShopEvents : public QObject {
    Q_OBJECT
  public:
    static ShopEvents& Get();

    // source is the page that made the change, or null. Titles changed: added, edited or
    // deleted in the catalogue, or their prices or classifications changed in the settings.
    static void AnnounceTitlesChanged(QObject* source = nullptr);
    // A basket at the counter was written: a line checked out, edited or removed, a basket
    // settled. Rentals, sales and the titles' copies on the shelf changed with it.
    static void AnnounceBasketsChanged(QObject* source = nullptr);
    // Rentals were returned: a return settled. The open rentals and the titles' copies on the
    // shelf changed with it.
    static void AnnounceRentalsReturned(QObject* source = nullptr);
    // A classification list (table "type" or "movietype") was read afresh: names in order.
    static void AnnounceClassificationRead(const QString& table, const QStringList& names);

  signals:
    void TitlesChanged(QObject* source);
    void BasketsChanged(QObject* source);
    void RentalsReturned(QObject* source);
    void ClassificationRead(const QString& table, const QStringList& names);

  private:
    ShopEvents() = default;
};
