#pragma once
#include <QObject>
#include <QStringList>

// Changes that other pages must follow, announced once what caused them is in the file:
// after the outermost transaction has committed (at once when none is open), and never
// when it rolls back. Each page decides how to follow.
class ShopEvents : public QObject {
    Q_OBJECT
  public:
    static ShopEvents& Get();

    // source is the page that made the change (it has followed already), or null.
    static void AnnounceTitlesChanged(QObject* source = nullptr);
    static void AnnounceBasketsChanged(QObject* source = nullptr);
    // A classification list (table "type" or "movietype") was read afresh: names in order.
    static void AnnounceClassificationRead(const QString& table, const QStringList& names);

  signals:
    void TitlesChanged(QObject* source);
    void BasketsChanged(QObject* source);
    void ClassificationRead(const QString& table, const QStringList& names);

  private:
    ShopEvents() = default;
};
